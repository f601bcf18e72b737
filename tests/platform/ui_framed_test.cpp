// Framed windows: menu bar, tab strip, sliders and scroll bars, lines, the calendar, modal show,
// resizing from code and the stay-on-top switch.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "sample_settings_window.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

using Lines = std::vector<std::string>;

class FramedTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Show();
        QApplication::setActiveWindow(form.widget());
    }
    test::FrmSampleSettings form;
};

TEST_F(FramedTest, MenuEntriesClickedByTheUserRunTheirHandlersWhileEnabledAndShown) {
    QMenuBar* bar = form.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(form.mnuHelp.action()).center());
    form.mnustandard.action()->trigger();  // chosen from the Layout drop-down
    EXPECT_EQ(form.log, (Lines{"mnuHelp_Click", "mnustandard_Click"}));
    EXPECT_EQ(form.menu("MNUADVANCED"), &form.MnuAdvanced);
    EXPECT_EQ(form.mnustandard.action()->parent(), form.widget());
    EXPECT_FALSE(bar->actions().contains(form.mnustandard.action())) << "it sits under Layout";

    form.log.clear();
    form.MnuAdvanced.setEnabled(false);
    form.MnuAdvanced.action()->trigger();
    form.mnuHelp.setVisible(false);
    EXPECT_TRUE(bar->actionGeometry(form.mnuHelp.action()).isEmpty());
    EXPECT_TRUE(form.log.empty());
    EXPECT_THROW(form.addMenu("mnuhelp", "Again"), std::invalid_argument);
}

TEST_F(FramedTest, ControlsCountTheirPlaceBelowTheMenuBar) {
    const QPoint frame = form.Frame1[0].widget()->mapTo(form.widget(), QPoint(0, 0));
    EXPECT_EQ(frame.y(), form.menuBar()->height());
    EXPECT_LT(form.ScaleHeight(), PixelsToTwipsY(form.widget()->height()));
}

TEST_F(FramedTest, ATabChosenByTheUserClicksOneChosenByCodeDoesNot) {
    for (int tab = 1; tab <= 4; ++tab)
        form.TabStrip1.setTabCaption(tab, "Zone " + std::to_string(tab));
    form.TabStrip1.setSelectedIndex(2);
    form.TabStrip1.setSelectedIndex(9);  // no such tab
    EXPECT_EQ(form.TabStrip1.SelectedIndex(), 2);
    EXPECT_EQ(form.TabStrip1.TabCaption(4), "Zone 4");
    EXPECT_EQ(form.TabStrip1.TabCaption(5), "");

    auto* bar = form.TabStrip1.widget()->findChild<QTabBar*>();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());  // already chosen
    EXPECT_EQ(form.log, (Lines{"TabStrip1_Click 3"}));
}

TEST_F(FramedTest, SlidersRaiseOnlyForTheUserOnceAMoveAndScrollWhileDragged) {
    form.Slider1.setValue(80);
    form.Slider5.setValue(40);  // beyond the maximum
    EXPECT_EQ(form.Slider5.Value(), 30);
    EXPECT_TRUE(form.log.empty()) << "a value set from code is never echoed";

    auto* slider = static_cast<QSlider*>(form.Slider5.widget());
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);
    QTest::keyClick(slider, Qt::Key_PageDown);
    EXPECT_EQ(form.log, (Lines{"Slider5_Change 29", "Slider5_Change 24"}));

    // A drag of the handle: Scroll while it moves, one Change when it is let go.
    form.log.clear();
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Horizontal;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    const QPoint handle =
        slider->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
            .center();
    test::SendMouse(slider, QEvent::MouseButtonPress, handle, Qt::LeftButton, Qt::LeftButton);
    for (int dx : {-20, -40})
        test::SendMouse(slider, QEvent::MouseMove, handle + QPoint(dx, 0), Qt::NoButton,
                        Qt::LeftButton);
    test::SendMouse(slider, QEvent::MouseButtonRelease, handle + QPoint(-40, 0), Qt::LeftButton,
                    Qt::NoButton);
    ASSERT_EQ(form.log.size(), 3u);
    EXPECT_EQ(form.log[0].rfind("Slider5_Scroll", 0), 0u);
    EXPECT_EQ(form.log[1].rfind("Slider5_Scroll", 0), 0u);
    EXPECT_EQ(form.log[2], "Slider5_Change " + std::to_string(form.Slider5.Value()));
    EXPECT_LT(form.Slider5.Value(), 24);

    form.Slider5.SetFocus();
    form.log.clear();
    form.Check1.SetFocus();
    EXPECT_EQ(form.log, (Lines{"Slider5_LostFocus"})) << "the focus went to another control";
}

TEST_F(FramedTest, AScrollBarWhoseMinIsTheLargerLimitRaisesChangeFromCodeOnARealChange) {
    form.VScroll2.setValue(40);
    form.VScroll2.setValue(40);
    form.VScroll2.setValue(100);  // beyond the larger limit
    EXPECT_EQ(form.VScroll2.Value(), 65);
    EXPECT_EQ(form.log, (Lines{"VScroll2_Change 40", "VScroll2_Change 65"}));
    EXPECT_EQ(form.Label13.Caption(), "65");
    EXPECT_EQ(form.VScroll2.Min(), 65);
    EXPECT_EQ(form.VScroll2.Max(), 30);
}

TEST_F(FramedTest, ALineMovesByItsEndPoints) {
    Line& line = form.Line1[1];
    const QRect before = line.widget()->geometry();
    line.setX1(line.X1() + 150)
        .setX2(line.X2() + 150)
        .setY1(line.Y1() + 300)
        .setY2(line.Y2() + 300);
    EXPECT_EQ(line.widget()->geometry(),
              before.translated(TwipsToPixelsX(150), TwipsToPixelsY(300)));
    line.setEnds(4800, 2000, 3840, 1300);  // the same line, drawn the other way
    EXPECT_EQ(line.widget()->geometry(), before);
    EXPECT_EQ(line.X1(), 4800);
}

TEST_F(FramedTest, TheCalendarTakesADayMonthYearTextOfARealDate) {
    EXPECT_TRUE(form.Calendar1.setValue("7/3/2026"));
    for (const char* wrong : {"31/2/2026", "7/3", "7-3-2026", "x/3/2026", ""}) {
        EXPECT_FALSE(form.Calendar1.setValue(wrong)) << wrong;
    }
    EXPECT_EQ(form.Calendar1.Day(), 7);
    EXPECT_EQ(form.Calendar1.Month(), 3);
    EXPECT_EQ(form.Calendar1.Year(), 2026);
}

class ResizeCounter : public Form {
  public:
    ResizeCounter() : Form("FrmResize") {}
    int resizes = 0;
    void Form_Resize() override { ++resizes; }
};

TEST(FramedWindow, WidthSetFromCodeResizesAndRaisesFormResize) {
    ResizeCounter form;
    form.setBorderStyle(FormBorderStyle::FixedSingle);
    form.Move(0, 0, 5665, 4000);
    form.Show();
    const int before = form.resizes;
    form.setWidth(10760);
    EXPECT_TRUE(test::RunUntil([&] { return form.resizes > before; }));
    EXPECT_NEAR(form.Width(), 10760, TwipsPerPixelX());
}

TEST(FramedWindow, AModalShowReturnsOnlyOnceTheWindowHasUnloaded) {
    test::FrmSampleSettings form;
    bool returned = false;
    int checks = 0;
    // While the window is up, the user works in it and finally closes it.
    QTimer::singleShot(0, [&] {
        ++checks;
        EXPECT_FALSE(returned);
        form.mnustandard.action()->trigger();
        QTimer::singleShot(0, [&] {
            ++checks;
            EXPECT_FALSE(returned);
            form.Unload();
        });
    });
    form.Show(Form::Mode::Modal);
    returned = true;
    EXPECT_EQ(checks, 2);
    EXPECT_TRUE(form.isUnloaded());
    EXPECT_EQ(form.log, (Lines{"mnustandard_Click"}));
}

TEST(FramedWindow, TheStayOnTopSwitchTakesTheWindowsOwnHandle) {
    test::FrmSampleSettings form;
    form.Show();
    EXPECT_EQ(FormFromHandle(form.hWnd()), &form);
    EXPECT_EQ(SetWindowPos(form.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE), 1);
    EXPECT_TRUE(form.TopMost());
    EXPECT_TRUE(form.Visible());
    SetWindowPos(form.hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(form.TopMost());
    EXPECT_EQ(SetWindowPos(form.hWnd() + 1, HWND_TOPMOST, 0, 0, 0, 0, 3), 0);
}

}  // namespace
}  // namespace qor::ui
