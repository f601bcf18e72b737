// Checks that a label a skinned window shows off its skin, over the see-through blue, can be read
// on screen: what the window system was given, not a fresh rendering of the window.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/ui/controls.h"
#include "platform/ui/form.h"
#include "platform/ui/runtime.h"
#include "support/ui_events.h"

namespace qor::ui::test {

// The contrast of two colours as readability guidelines measure it: 1 (none) to 21.
inline double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What the screen shows inside the label's rectangle.
struct LabelOnScreen {
    int pixels = 0;
    int keyPixels = 0;    // the colour key, so see-through
    int textPixels = 0;   // clearly apart from the label's backing
    bool cutOut = false;  // part of it lies outside the window's mask
};

inline LabelOnScreen LookAt(const Form& form, const Label& label) {
    LabelOnScreen seen;
    QWidget* window = form.widget();
    const QRect area = label.widget()->geometry() & window->rect();
    const QImage screen = window->screen()->grabWindow(window->winId()).toImage();
    seen.cutOut = !window->mask().isEmpty() && !(QRegion(area) - window->mask()).isEmpty();
    const QColor key = form.colourKey(), back = label.BackColor();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            ++seen.pixels;
            if (c.rgb() == key.rgb()) ++seen.keyPixels;
            const int apart =
                std::max({std::abs(c.red() - back.red()), std::abs(c.green() - back.green()),
                          std::abs(c.blue() - back.blue())});
            if (apart >= 64) ++seen.textPixels;
        }
    }
    return seen;
}

// The label shows on its own backing, none of it see-through, with its caption drawn in a
// colour that reads well on that backing.
inline void ExpectReadableOffSkin(const Form& form, const Label& label) {
    ASSERT_TRUE(label.Visible());
    ASSERT_TRUE(form.hasColourKey());
    EXPECT_EQ(label.backStyle(), BackStyle::Opaque);
    EXPECT_NE(label.BackColor().rgb(), form.colourKey().rgb());
    EXPECT_GE(Contrast(label.ForeColor(), label.BackColor()), 4.5);
    // The whole caption fits, inside the window.
    QWidget* shown = label.widget();
    const QRect needs = shown->fontMetrics().boundingRect(QRect(0, 0, shown->width(), 1 << 20),
                                                          Qt::TextWordWrap, ToQt(label.Caption()));
    EXPECT_LE(needs.height(), shown->height()) << "caption cut off at the bottom";
    EXPECT_TRUE(form.widget()->rect().contains(shown->geometry())) << "label runs off the window";
    // Enough strokes for every letter of the caption.
    const std::string caption = label.Caption();
    const auto letters =
        std::count_if(caption.begin(), caption.end(), [](char c) { return c != ' '; });
    const auto readable = [&] {
        const LabelOnScreen seen = LookAt(form, label);
        return seen.pixels > 0 && seen.keyPixels == 0 && !seen.cutOut &&
               seen.textPixels >= 3 * letters;
    };
    RunUntil(readable, 500);
    const LabelOnScreen seen = LookAt(form, label);
    EXPECT_GT(seen.pixels, 0);
    EXPECT_EQ(seen.keyPixels, 0);
    EXPECT_FALSE(seen.cutOut);
    EXPECT_GE(seen.textPixels, 3 * letters) << "of " << seen.pixels << " pixels";
}

}  // namespace qor::ui::test
