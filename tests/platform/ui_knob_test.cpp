// The knob: change events only for the user's real moves, key / wheel / mouse steps, limits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "platform/ui/ui.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

class KnobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Move(0, 0, 3000, 3000);
        knob = &form.add<IKnobX>("iKnobX11", {150, 150, 1500, 1500});  // 100 x 100 px at 96 dpi
        knob->setPositionMin(-15);
        knob->setPositionMax(15);
        knob->onPositionChange([this] { ++changes; });
        form.Show();
        QApplication::setActiveWindow(form.widget());
        knob->widget()->setFocus();
    }
    void key(Qt::Key k, int times = 1) {
        for (int i = 0; i < times; ++i) QTest::keyClick(knob->widget(), k);
    }
    void wheel(int delta) {
        QWheelEvent event(QPointF(10, 10), knob->widget()->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(knob->widget(), &event);
    }
    // A left-button event at an offset from the knob's centre.
    void mouse(QEvent::Type type, QPointF fromCentre = {}) {
        QWidget* w = knob->widget();
        const QPointF at = QPointF(w->width(), w->height()) / 2 + fromCentre;
        test::SendMouse(w, type, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton);
    }

    Form form{"FrmZone_1"};
    IKnobX* knob = nullptr;
    int changes = 0;
};

// Only the user's moves raise the event, and only when they move the knob; a position set by the
// program (a value read from the device) raises nothing, so it is never sent back.
TEST_F(KnobTest, OnlyTheUsersRealMovesRaiseTheEvent) {
    knob->setPosition(40);  // beyond the maximum
    EXPECT_EQ(knob->Position(), 15);
    knob->setPosition(12);
    knob->setPositionMax(10);  // narrowing the range moves the position
    EXPECT_EQ(knob->Position(), 10);
    knob->setPositionMin(-5);
    knob->setPosition(-99);
    EXPECT_EQ(knob->Position(), -5);
    EXPECT_EQ(changes, 0);
    key(Qt::Key_Down);
    wheel(-120);
    EXPECT_EQ(changes, 0) << "at the end nothing moves";
    key(Qt::Key_Up);
    EXPECT_EQ(changes, 1);

    // A handler that sets the position it was given ends there.
    int inner = 0;
    knob->onPositionChange([&] {
        ++inner;
        knob->setPosition(std::round(knob->Position()));
    });
    wheel(120);
    EXPECT_EQ(knob->Position(), -4);
    EXPECT_EQ(inner, 1);
}

TEST_F(KnobTest, KeysStepByTheArrowAndPageSizesAndTheWheelOneANotch) {
    key(Qt::Key_Up, 3);
    EXPECT_EQ(knob->Position(), 0.3);
    key(Qt::Key_Left);
    EXPECT_EQ(knob->Position(), 0.2);
    key(Qt::Key_PageUp);
    EXPECT_EQ(knob->Position(), 1.2);
    key(Qt::Key_PageDown, 2);
    EXPECT_EQ(knob->Position(), -0.8);
    EXPECT_EQ(changes, 7);
    knob->setPosition(0);
    wheel(120);
    EXPECT_EQ(knob->Position(), 1);
    wheel(-240);
    EXPECT_EQ(knob->Position(), -1);
    wheel(60);  // half notches add up
    EXPECT_EQ(knob->Position(), -1);
    wheel(60);
    EXPECT_EQ(knob->Position(), 0);
    EXPECT_EQ(changes, 10);

    key(Qt::Key_End);
    EXPECT_EQ(knob->Position(), 15);
    changes = 0;
    key(Qt::Key_Up);
    key(Qt::Key_PageUp);
    key(Qt::Key_End);
    wheel(120);
    EXPECT_EQ(changes, 0) << "at the end nothing moves";
    key(Qt::Key_Home);
    EXPECT_EQ(knob->Position(), -15);
    key(Qt::Key_Down);
    EXPECT_EQ(knob->Position(), -15);
}

TEST_F(KnobTest, DraggingUpFromTheCapOrClockwiseAroundTurnsItUp) {
    mouse(QEvent::MouseButtonPress);
    mouse(QEvent::MouseMove, {0, -50});  // a third of the 150-pixel travel
    EXPECT_NEAR(knob->Position(), 10, 1e-9);
    mouse(QEvent::MouseMove, {0, -300});  // past the end
    EXPECT_EQ(knob->Position(), 15);
    mouse(QEvent::MouseMove, {0, -285});  // turning back moves at once
    EXPECT_NEAR(knob->Position(), 12, 1e-9);
    mouse(QEvent::MouseButtonRelease, {0, -285});
    mouse(QEvent::MouseMove);
    EXPECT_NEAR(knob->Position(), 12, 1e-9) << "no drag after release";

    knob->setPosition(0);
    const double r = 45;
    mouse(QEvent::MouseButtonPress, {r, 0});             // 3 o'clock
    mouse(QEvent::MouseMove, {r * 0.7071, r * 0.7071});  // half way down
    mouse(QEvent::MouseMove, {0, r});                    // 6 o'clock
    EXPECT_NEAR(knob->Position(), 90.0 / 270.0 * 30.0, 1e-6);
    mouse(QEvent::MouseMove, {r, 0});
    mouse(QEvent::MouseMove, {0, -r});  // back past the start, to 12 o'clock
    EXPECT_NEAR(knob->Position(), -90.0 / 270.0 * 30.0, 1e-6);
}

TEST_F(KnobTest, ASlowDragProgressesThoughTheHandlerRoundsEachStep) {
    knob->onPositionChange([this] { knob->setPosition(std::round(knob->Position())); });
    mouse(QEvent::MouseButtonPress);
    for (int dy = 1; dy <= 30; ++dy) mouse(QEvent::MouseMove, {0, double(-dy)});  // 0.2 a pixel
    EXPECT_EQ(knob->Position(), 6);
}

TEST_F(KnobTest, DrawnOnATransparentGround) {
    form.setBackColor(RGB(0, 0, 255));
    const QImage image = form.widget()->grab().toImage();
    const QRect area = knob->widget()->geometry();
    EXPECT_EQ(image.pixelColor(area.topLeft() + QPoint(1, 1)), QColor(0, 0, 255));
    EXPECT_NE(image.pixelColor(area.center()), QColor(0, 0, 255));
}

}  // namespace
}  // namespace qor::ui
