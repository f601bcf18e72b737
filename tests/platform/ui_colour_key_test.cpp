// The colour key: pure blue is cut out of the window and the cut follows the controls.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPixmap>
#include <QWidget>

#include "platform/ui/ui.h"

namespace qor::ui {
namespace {

class ColourKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.setBorderStyle(FormBorderStyle::None);
        form.setBackColor(RGB(0, 0, 255));
        form.Move(0, 0, 4500, 3000);  // 300 x 200 px at 96 dpi
        label = &form.add<Label>("Label1", {1500, 1500, 750, 300});
        label->setBackColor(RGB(255, 0, 0));
        form.Show();
    }
    // Runs the pending re-mask.
    static void Settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
    QRegion mask() const { return form.widget()->mask(); }
    bool shows(QPoint p) const { return mask().contains(p); }
    static QPoint centre(const Control* c) { return c->widget()->geometry().center(); }

    Form form{"FrmZone_1"};
    Label* label = nullptr;
};

TEST_F(ColourKeyTest, BlueIsCutOutAndTheCutFollowsMovesShowsAndPictures) {
    EXPECT_FALSE(isLayered(form));
    SetWindowTranslucency(form, RGB(0, 0, 255), 150, kLayeredColourKey);
    EXPECT_TRUE(isLayered(form));
    EXPECT_DOUBLE_EQ(form.widget()->windowOpacity(), 1.0) << "the alpha needs its own flag";
    const QRect area = label->widget()->geometry();
    EXPECT_TRUE(shows(area.topLeft()));
    EXPECT_TRUE(shows(area.bottomRight()));
    EXPECT_FALSE(shows(area.topLeft() - QPoint(1, 0)));
    EXPECT_FALSE(shows(QPoint(2, 2)));
    EXPECT_FALSE(shows(QPoint(290, 190)));

    label->Move(150, 150);
    Settle();
    EXPECT_TRUE(shows(centre(label)));
    EXPECT_FALSE(shows(area.center()));
    label->setVisible(false);
    Settle();
    EXPECT_FALSE(shows(centre(label)));
    label->setVisible(true);

    auto* image = &form.add<Image>("Image2", {3000, 1500, 0, 0});
    QPixmap green(20, 20);
    green.fill(Qt::green);
    image->setPicture(green);
    Settle();
    EXPECT_TRUE(shows(centre(image)));
    EXPECT_TRUE(shows(centre(label)));

    // Updates made area by area end where a fresh look at the whole window does.
    image->Move(600, 2100);
    label->setBackColor(RGB(0, 0, 255));
    Settle();
    const QRegion byArea = mask();
    form.refreshColourKey();
    EXPECT_EQ(byArea, mask());
    EXPECT_FALSE(shows(centre(label))) << "a blue label is cut out too";
    image->setVisible(false);
    Settle();
    EXPECT_FALSE(mask().isEmpty()) << "an empty mask would mean no mask at all";
    EXPECT_TRUE((mask() & form.widget()->rect()).isEmpty()) << "an all-blue window shows nothing";
}

// The area of the paint events a widget receives.
struct PaintSpy : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted |= static_cast<QPaintEvent*>(e)->region();
        return false;
    }
    QRegion painted;
};

// Drawing is clipped to the cut, and the window system does not ask for what a shrinking cut
// uncovers: a control drawn while its area was still cut out (when a drawing fell due before
// the cut was worked out again) would show the blue that stood there before.
TEST_F(ColourKeyTest, AreaUncoveredByTheCutIsDrawnAgain) {
    SetWindowTranslucency(form, RGB(0, 0, 255), 150, kLayeredColourKey);
    Settle();
    const QRect area = label->widget()->geometry();
    form.widget()->setMask(mask() - area);
    Settle();
    form.refreshColourKey();
    ASSERT_TRUE(shows(area.center()));
    PaintSpy spy;
    form.widget()->installEventFilter(&spy);
    Settle();
    EXPECT_TRUE(spy.painted.contains(area));
    EXPECT_FALSE(spy.painted.intersects(QRect(0, 0, 20, 20))) << "the rest of the cut stays";
}

TEST_F(ColourKeyTest, AlphaAndClearing) {
    SetWindowTranslucency(form, RGB(0, 0, 0), 51, kLayeredAlpha);
    EXPECT_NEAR(form.widget()->windowOpacity(), 0.2, 0.01);
    EXPECT_TRUE(mask().isEmpty()) << "no colour key asked for";

    SetWindowTranslucency(form, RGB(0, 0, 255), 150, kLayeredColourKey | kLayeredAlpha);
    EXPECT_FALSE(mask().isEmpty());
    ClearLayered(form);
    EXPECT_FALSE(isLayered(form));
    EXPECT_TRUE(mask().isEmpty());
    EXPECT_DOUBLE_EQ(form.widget()->windowOpacity(), 1.0);
    label->Move(0, 0);
    Settle();
    EXPECT_TRUE(mask().isEmpty()) << "a cleared key stays off";
}

}  // namespace
}  // namespace qor::ui
