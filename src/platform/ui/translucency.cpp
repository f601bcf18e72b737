#include "platform/ui/translucency.h"

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ui/form.h"

namespace qor::ui {

namespace {

// Outside the window, so "nothing shows" is not mistaken for "no mask".
const QRegion kNothingVisible(-1, -1, 1, 1);

// The pixels of `area` (window coordinates) that are not the key colour, as drawn now.
QRegion NonKeyRegion(QWidget& widget, const QRect& area, QRgb key) {
    if (area.isEmpty()) return {};
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(key);
    widget.render(&image, QPoint(), QRegion(area),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);

    // Runs of visible pixels per row; rows with the same runs form one band of rectangles,
    // which is the layout QRegion::setRects expects.
    using Runs = std::vector<std::pair<int, int>>;
    std::vector<QRect> rects;
    Runs band;
    Runs row;
    int bandTop = 0;
    const QRgb keyRgb = key & 0xFFFFFFu;
    auto flush = [&](int bottom) {
        for (const auto& [x0, x1] : band) {
            rects.emplace_back(area.x() + x0, area.y() + bandTop, x1 - x0, bottom - bandTop);
        }
    };
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        row.clear();
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && (line[x] & 0xFFFFFFu) == keyRgb) ++x;
            const int start = x;
            while (x < image.width() && (line[x] & 0xFFFFFFu) != keyRgb) ++x;
            if (x > start) row.emplace_back(start, x);
        }
        if (y == 0 || row != band) {
            if (y > 0) flush(y);
            band = row;
            bandTop = y;
        }
    }
    flush(image.height());

    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

}  // namespace

namespace detail {

ColourKeyMask::ColourKeyMask(QWidget& window) : window_(window) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, &window_, [this] { apply(); });
}

void ColourKeyMask::setKey(const QColor& key) {
    key_ = key;
    active_ = true;
    refresh();
}

void ColourKeyMask::clear() {
    active_ = false;
    timer_.stop();
    mask_ = QRegion();
    dirty_ = QRegion();
    whole_ = false;
    window_.clearMask();
}

void ColourKeyMask::refresh() {
    if (!active_) return;
    whole_ = true;
    apply();
}

void ColourKeyMask::changed(const QRect& area) {
    if (!active_ || area.isEmpty()) return;
    dirty_ |= area;
    if (!timer_.isActive()) timer_.start();
}

void ColourKeyMask::changedAll() {
    if (!active_) return;
    whole_ = true;
    if (!timer_.isActive()) timer_.start();
}

void ColourKeyMask::apply() {
    timer_.stop();
    if (!active_) return;
    const QRect whole = window_.rect();
    const QRgb key = key_.rgb();
    if (whole_) {
        mask_ = NonKeyRegion(window_, whole, key);
    } else {
        // Only the areas that changed are drawn again; the rest of the mask stands.
        const QRegion area = dirty_ & whole;
        mask_ -= area;
        mask_ |= NonKeyRegion(window_, area.boundingRect(), key) & area;
    }
    whole_ = false;
    dirty_ = QRegion();
    const QRegion before = window_.mask();
    window_.setMask(mask_.isEmpty() ? kNothingVisible : mask_);
    // What was cut out until now was never drawn on screen (drawing is clipped to the mask),
    // and the window system does not ask for it when the cut shrinks: draw it now.
    const QRegion uncovered = mask_ - before;
    if (!uncovered.isEmpty()) window_.update(uncovered);
}

}  // namespace detail

void SetWindowTranslucency(Form& form, const QColor& colourKey, int alpha, int flags) {
    form.setLayered(true);
    if (flags & kLayeredAlpha) SetWindowAlpha(form, alpha);
    if (flags & kLayeredColourKey) form.setColourKey(colourKey);
}

void SetWindowAlpha(Form& form, int alpha) {
    form.setLayered(true);
    form.widget()->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

void ClearLayered(Form& form) {
    form.clearColourKey();
    form.widget()->setWindowOpacity(1.0);
    form.setLayered(false);
}

bool isLayered(const Form& form) { return form.layered(); }

int32_t SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t, int32_t, int32_t, int32_t,
                     int32_t) {
    Form* form = FormFromHandle(hWnd);
    if (form == nullptr) return 0;
    if (hWndInsertAfter == HWND_TOPMOST) form->setTopMost(true);
    if (hWndInsertAfter == HWND_NOTOPMOST) form->setTopMost(false);
    return 1;
}

}  // namespace qor::ui
