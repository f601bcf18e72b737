// Labels, pictures, combo and text boxes, timers: the events window code relies on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "platform/ui/ui.h"
#include "ui_test_support.h"

namespace qor::ui {
namespace {

using test::RunUntil;
using test::SendMouse;

void SendMove(QWidget* widget, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

// What the window system sends for a double click.
void DoubleClick(QWidget* widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

struct MouseLog {
    int clicks = 0;
    int dblClicks = 0;
    std::vector<std::tuple<char, int, int, double, double>> events;  // kind, button, shift, x, y

    void attach(MouseEvents& control) {
        control.onClick = [this] { ++clicks; };
        control.onDblClick = [this] { ++dblClicks; };
        control.onMouseDown = [this](int b, int s, double x, double y) {
            events.emplace_back('D', b, s, x, y);
        };
        control.onMouseMove = [this](int b, int s, double x, double y) {
            events.emplace_back('M', b, s, x, y);
        };
        control.onMouseUp = [this](int b, int s, double x, double y) {
            events.emplace_back('U', b, s, x, y);
        };
    }
};

class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Move(0, 0, 6000, 4500);
        form.Show();
    }
    Form form{"FrmTest"};
};

TEST_F(ControlsTest, ADisabledLabelReactsToNothing) {
    auto* label = form.Add<Label>("Label1", {1500, 300, 975, 255});
    label->setCaption("File");
    MouseLog log;
    log.attach(*label);

    label->setEnabled(false);
    QTest::mouseClick(label->widget(), Qt::LeftButton, {}, QPoint(5, 5));
    SendMove(label->widget(), QPoint(6, 6));
    DoubleClick(label->widget(), QPoint(5, 5));
    EXPECT_EQ(log.clicks, 0);
    EXPECT_EQ(log.dblClicks, 0);
    EXPECT_TRUE(log.events.empty());

    label->setEnabled(true);
    QTest::mouseClick(label->widget(), Qt::LeftButton, {}, QPoint(5, 3));
    SendMove(label->widget(), QPoint(6, 4));
    EXPECT_EQ(log.clicks, 1);
    ASSERT_EQ(log.events.size(), 3u);
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    EXPECT_EQ(log.events[0], std::make_tuple('D', kLeftButton, 0, 5 * tx, 3 * ty));
    EXPECT_EQ(log.events[1], std::make_tuple('U', kLeftButton, 0, 5 * tx, 3 * ty));
    EXPECT_EQ(log.events[2], std::make_tuple('M', 0, 0, 6 * tx, 4 * ty));
}

TEST_F(ControlsTest, PictureMouseEventsCarryButtonShiftAndTwipsInsideTheControl) {
    auto* image = form.Add<Image>("Image1", {750, 750, 1500, 1500});
    image->setStretch(true);
    MouseLog log;
    log.attach(*image);
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();

    QTest::mousePress(image->widget(), Qt::RightButton, Qt::ShiftModifier, QPoint(4, 6));
    SendMove(image->widget(), QPoint(200, 9), Qt::RightButton);  // captured outside the control
    QTest::mouseRelease(image->widget(), Qt::RightButton, Qt::ShiftModifier, QPoint(200, 9));
    EXPECT_EQ(log.clicks, 0) << "released outside the control";
    ASSERT_EQ(log.events.size(), 3u);
    EXPECT_EQ(log.events[0], std::make_tuple('D', kRightButton, kShiftMask, 4 * tx, 6 * ty));
    EXPECT_EQ(log.events[1], std::make_tuple('M', kRightButton, 0, 200 * tx, 9 * ty));
    EXPECT_EQ(std::get<0>(log.events[2]), 'U');

    QTest::mouseClick(image->widget(), Qt::LeftButton, Qt::ControlModifier, QPoint(1, 1));
    EXPECT_EQ(log.clicks, 1);
    EXPECT_EQ(std::get<2>(log.events[3]), kCtrlMask);

    // The second press of a double click makes a DblClick, not another Click.
    DoubleClick(image->widget(), QPoint(2, 2));
    EXPECT_EQ(log.dblClicks, 1);
    EXPECT_EQ(log.clicks, 2);
}

TEST_F(ControlsTest, ComboChoicesRaiseClickAndTypingRaisesChange) {
    auto* combo = form.Add<ComboBox>("Combo1", {150, 150, 1500, 315});
    int clicks = 0;
    int changes = 0;
    combo->onClick = [&] { ++clicks; };
    combo->onChange = [&] { ++changes; };

    combo->AddItem("High");
    combo->AddItem("Low");
    combo->AddItem("Mid", 1);
    EXPECT_EQ(combo->ListCount(), 3);
    EXPECT_EQ(combo->List(1), "Mid");
    EXPECT_EQ(combo->List(3), "");
    EXPECT_EQ(combo->ListIndex(), -1) << "adding items chooses none";
    EXPECT_EQ(combo->Text(), "");

    combo->setListIndex(1);
    combo->setListIndex(1);
    combo->setListIndex(9);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(combo->Text(), "Mid");

    // The user steps to the next item with the keyboard.
    QApplication::setActiveWindow(form.widget());
    combo->widget()->setFocus();
    QTest::keyClick(combo->widget(), Qt::Key_Down);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(combo->ListIndex(), 2);
    EXPECT_EQ(changes, 0);

    // Typing: a Change per key, nothing chosen; Enter on a listed text chooses nothing either.
    combo->widget()->findChild<QLineEdit*>()->clear();
    QTest::keyClicks(combo->widget(), "High");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(combo->Text(), "High");
    EXPECT_EQ(combo->ListIndex(), -1);
    QTest::keyClick(combo->widget(), Qt::Key_Return);
    EXPECT_EQ(clicks, 2);

    combo->setText("Com3");
    combo->setText("Com3");
    EXPECT_EQ(changes, 5);
    combo->setText("Low");
    EXPECT_EQ(combo->ListIndex(), 2);
    EXPECT_EQ(changes, 6);

    combo->Clear();
    EXPECT_EQ(combo->ListCount(), 0);
    EXPECT_EQ(combo->Text(), "");
    EXPECT_EQ(combo->ListIndex(), -1);
    EXPECT_EQ(changes, 6);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, FocusLeavingTheComboRaisesLostFocusWithoutAChoice) {
    auto* combo = form.Add<ComboBox>("Combo1", {150, 150, 1500, 315});
    auto* text = form.Add<TextBox>("Text1", {150, 900, 1500, 315});
    combo->AddItem("Com1");
    combo->AddItem("Com2");
    int lost = 0;
    int clicks = 0;
    combo->onLostFocus = [&] { ++lost; };
    combo->onClick = [&] { ++clicks; };

    QApplication::setActiveWindow(form.widget());
    combo->widget()->setFocus();
    QTest::keyClicks(combo->widget(), "Com2");
    text->widget()->setFocus();
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(clicks, 0) << "leaving typed text that names an item is not a choice";
    EXPECT_EQ(combo->ListIndex(), -1);
}

TEST_F(ControlsTest, TextBoxChangeAndLock) {
    auto* text = form.Add<TextBox>("Text4", {1080, 840, 3375, 195});
    int changes = 0;
    text->onChange = [&] { ++changes; };
    text->setText("Tuner / Aux");
    text->setText("Tuner / Aux");
    EXPECT_EQ(changes, 1);

    QApplication::setActiveWindow(form.widget());
    text->widget()->setFocus();
    QTest::keyClicks(text->widget(), "!");
    EXPECT_EQ(text->Text(), "Tuner / Aux!");
    EXPECT_EQ(changes, 2);

    text->setLocked(true);
    QTest::keyClicks(text->widget(), "x");
    EXPECT_EQ(text->Text(), "Tuner / Aux!");
    text->setText("        Aux");
    EXPECT_EQ(changes, 3) << "a locked box still takes text from code";
}

TEST_F(ControlsTest, TimersTickWhileEnabledWithAnInterval) {
    auto* clock = form.Add<Timer>("Timer1");
    auto* off = form.Add<Timer>("Timer2");
    auto* zero = form.Add<Timer>("Timer3");
    form.Load();
    int ticks = 0;
    int offTicks = 0;
    int zeroTicks = 0;
    clock->onTimer = [&] { ++ticks; };
    off->onTimer = [&] { ++offTicks; };
    zero->onTimer = [&] { ++zeroTicks; };
    clock->setInterval(2);
    off->setInterval(1);
    off->setEnabled(false);
    EXPECT_TRUE(zero->Enabled());  // but no interval

    EXPECT_TRUE(RunUntil([&] { return ticks >= 5; }));
    EXPECT_EQ(offTicks, 0);
    EXPECT_EQ(zeroTicks, 0);

    // Stopped through the base class, as a walk over the controls would.
    static_cast<Control*>(clock)->setEnabled(false);
    const int stoppedAt = ticks;
    off->setEnabled(true);
    EXPECT_TRUE(RunUntil([&] { return offTicks >= 3; }));
    EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(ControlsTest, ShapeTakesNoMouseAndPaintsItsFill) {
    form.setBackColor(RGB(0, 0, 255));
    auto* shape = form.Add<Shape>("Shape4", {1020, 120, 255, 135});
    shape->setFillColor(RGB(128, 128, 255));
    EXPECT_TRUE(shape->widget()->testAttribute(Qt::WA_TransparentForMouseEvents));

    auto centre = [&] {
        const QImage image = form.widget()->grab().toImage();
        return image.pixelColor(shape->widget()->geometry().center());
    };
    EXPECT_EQ(centre(), QColor(0, 0, 255)) << "transparent fill by default";
    shape->setFillStyle(FillStyle::Solid);
    EXPECT_EQ(centre(), QColor(128, 128, 255));
    shape->setVisible(false);
    EXPECT_EQ(centre(), QColor(0, 0, 255));
}

}  // namespace
}  // namespace qor::ui
