// Labels, pictures, combo and text boxes, timers, shapes: the events window code relies on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/ui/ui.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

using test::DoubleClick;
using test::RunUntil;
using test::SendMouse;

void SendMove(QWidget* widget, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

using MouseEvent = std::tuple<char, int, int, double, double>;  // kind, button, shift, x, y

struct MouseLog {
    int clicks = 0;
    int dblClicks = 0;
    std::vector<MouseEvent> events;

    template <class C>
    void attach(C& control) {
        control.onClick([this] { ++clicks; });
        control.onDblClick([this] { ++dblClicks; });
        auto log = [this](char kind) {
            return [this, kind](int b, int s, double x, double y) {
                events.emplace_back(kind, b, s, x, y);
            };
        };
        control.onMouseDown(log('D'));
        control.onMouseMove(log('M'));
        control.onMouseUp(log('U'));
    }
};

class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Move(0, 0, 6000, 4500);
        form.Show();
        QApplication::setActiveWindow(form.widget());
    }
    Form form{"FrmTest"};
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
};

TEST_F(ControlsTest, MouseEventsCarryButtonShiftAndTwipsAndADisabledLabelRaisesNone) {
    auto* label = &form.add<Label>("Label1", {1500, 300, 975, 255});
    QWidget* w = label->widget();
    MouseLog log;
    log.attach(*label);

    label->setEnabled(false);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    SendMove(w, QPoint(6, 6));
    DoubleClick(w, QPoint(5, 5));
    EXPECT_EQ(log.clicks, 0);
    EXPECT_EQ(log.dblClicks, 0);
    EXPECT_TRUE(log.events.empty());

    label->setEnabled(true);
    QTest::mouseClick(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 3));
    SendMove(w, QPoint(6, 4));
    QTest::mousePress(w, Qt::RightButton, Qt::ControlModifier, QPoint(4, 6));
    SendMove(w, QPoint(200, 9), Qt::RightButton);  // captured outside the control
    QTest::mouseRelease(w, Qt::RightButton, Qt::ControlModifier, QPoint(200, 9));
    EXPECT_EQ(log.clicks, 1) << "the second press was released outside the control";
    ASSERT_EQ(log.events.size(), 6u);
    EXPECT_EQ(std::vector<MouseEvent>(log.events.begin(), log.events.begin() + 5),
              (std::vector<MouseEvent>{{'D', kLeftButton, kShiftMask, 5 * tx, 3 * ty},
                                       {'U', kLeftButton, kShiftMask, 5 * tx, 3 * ty},
                                       {'M', 0, 0, 6 * tx, 4 * ty},
                                       {'D', kRightButton, kCtrlMask, 4 * tx, 6 * ty},
                                       {'M', kRightButton, 0, 200 * tx, 9 * ty}}));
    EXPECT_EQ(std::get<0>(log.events[5]), 'U');

    // The second press of a double click makes a DblClick, not another Click.
    DoubleClick(w, QPoint(2, 2));
    EXPECT_EQ(log.dblClicks, 1);
    EXPECT_EQ(log.clicks, 2);
}

TEST_F(ControlsTest, ComboChoicesRaiseClickTypingRaisesChangeAndLeavingRaisesLostFocus) {
    auto* combo = &form.add<ComboBox>("Combo1", {150, 150, 1500, 315});
    auto* text = &form.add<TextBox>("Text1", {150, 900, 1500, 315});
    int clicks = 0, changes = 0, lost = 0;
    combo->onClick([&] { ++clicks; });
    combo->onChange([&] { ++changes; });
    combo->onLostFocus([&] { ++lost; });

    for (const char* item : {"High", "Low"}) combo->AddItem(item);
    combo->AddItem("Mid", 1);
    EXPECT_EQ(combo->ListCount(), 3);
    EXPECT_EQ(combo->List(1), "Mid");
    EXPECT_EQ(combo->List(3), "");
    EXPECT_EQ(combo->ListIndex(), -1) << "adding items chooses none";

    combo->setListIndex(1);
    combo->setListIndex(1);
    combo->setListIndex(9);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(combo->Text(), "Mid");
    combo->widget()->setFocus();
    QTest::keyClick(combo->widget(), Qt::Key_Down);  // the user steps to the next item
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(combo->ListIndex(), 2);
    EXPECT_EQ(changes, 0);

    // Typing: a Change per key, nothing chosen; neither Enter nor leaving on a listed text chooses.
    combo->widget()->findChild<QLineEdit*>()->clear();
    QTest::keyClicks(combo->widget(), "High");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(combo->Text(), "High");
    QTest::keyClick(combo->widget(), Qt::Key_Return);
    text->widget()->setFocus();
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(combo->ListIndex(), -1);

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

TEST_F(ControlsTest, TextBoxChangeAndLock) {
    auto* text = &form.add<TextBox>("Text4", {1080, 840, 3375, 195});
    int changes = 0;
    text->onChange([&] { ++changes; });
    text->setText("Tuner / Aux");
    text->setText("Tuner / Aux");
    EXPECT_EQ(changes, 1);
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
    auto* clock = &form.add<Timer>("Timer1");
    auto* off = &form.add<Timer>("Timer2");
    auto* zero = &form.add<Timer>("Timer3");  // enabled, but no interval
    form.Load();
    int ticks = 0, offTicks = 0, zeroTicks = 0;
    clock->onTimer([&] { ++ticks; });
    off->onTimer([&] { ++offTicks; });
    zero->onTimer([&] { ++zeroTicks; });
    clock->setInterval(2);
    off->setInterval(1);
    off->setEnabled(false);

    EXPECT_TRUE(RunUntil([&] { return ticks >= 5; }));
    EXPECT_EQ(offTicks, 0);
    EXPECT_EQ(zeroTicks, 0);
    // Stopped through the base class, as a walk over the controls would.
    static_cast<Control*>(clock)->setEnabled(false);
    const int stoppedAt = ticks;
    off->setEnabled(true);
    EXPECT_TRUE(RunUntil([&] { return offTicks >= 3; }));
    EXPECT_EQ(ticks, stoppedAt);

    // An interval of 0 pauses a timer that stays enabled; a new interval starts it again.
    off->setInterval(0);
    const int pausedAt = offTicks;
    EXPECT_FALSE(RunUntil([&] { return offTicks > pausedAt; }, 50));
    EXPECT_TRUE(off->Enabled());
    off->setInterval(1);
    EXPECT_TRUE(RunUntil([&] { return offTicks > pausedAt; }));
}

TEST_F(ControlsTest, ShapeTakesNoMouseAndPaintsItsFill) {
    form.setBackColor(RGB(0, 0, 255));
    auto* shape = &form.add<Shape>("Shape4", {1020, 120, 255, 135});
    shape->setFillColor(RGB(128, 128, 255));
    EXPECT_TRUE(shape->widget()->testAttribute(Qt::WA_TransparentForMouseEvents));
    auto centre = [&] {
        return form.widget()->grab().toImage().pixelColor(shape->widget()->geometry().center());
    };
    EXPECT_EQ(centre(), QColor(0, 0, 255)) << "transparent fill by default";
    shape->setFillStyle(FillStyle::Solid);
    EXPECT_EQ(centre(), QColor(128, 128, 255));
    shape->setVisible(false);
    EXPECT_EQ(centre(), QColor(0, 0, 255));
}

}  // namespace
}  // namespace qor::ui
