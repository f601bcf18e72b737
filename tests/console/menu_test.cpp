// The menu of the main window: the Zones cascade, the quit entries, hints and disabled entries,
// the skin drag and the window helpers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

#include "console/menu_fixture.h"
#include "platform/ui/runtime.h"

namespace qor::test {
namespace {

// A real mouse event delivered to the control's widget, as the window system would.
void SendMouse(ui::Control& control, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* w = control.widget();
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                         ? Qt::NoButton
                                         : Qt::MouseButtons(button);
    QMouseEvent event(type, local, w->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void Click(ui::Control& control) {
    SendMouse(control, QEvent::MouseButtonPress);
    SendMouse(control, QEvent::MouseButtonRelease);
}

TEST_F(MenuTest, ZonesCascadeShowsTheChosenPanelsOneSlotApart) {
    FrmMenu_1& m = StartWithoutDevice();
    EXPECT_EQ(state.vq.PanelSlot, 0);
    state.vq.ZoneShow = {false, false, true, false, true};

    m.Label2_Click();
    EXPECT_EQ(windows.zones, (std::vector<int>{2, 4}));
    EXPECT_EQ(windows.panelSlots, (std::vector<int>{1, 2}));
    EXPECT_EQ(state.vq.PanelSlot, 3);

    // Panels already open are asked again and the panelSlots counted all the same.
    m.Label2_Click();
    EXPECT_EQ(windows.zones, (std::vector<int>{2, 4, 2, 4}));
    EXPECT_EQ(state.vq.PanelSlot, 6);

    // The zone 3 shortcut shows its panel and leaves the slot alone.
    m.Image5_Click();
    EXPECT_EQ(windows.zones.back(), 3);
    EXPECT_EQ(state.vq.PanelSlot, 6);
}

TEST_F(MenuTest, ZonesWithNothingChosenOnlyCountsTheSlot) {
    FrmMenu_1& m = StartWithoutDevice();  // no showzones.ini
    EXPECT_EQ(state.vq.ZoneShow, (std::array<bool, 5>{}));
    m.Label2_Click();
    EXPECT_TRUE(windows.zones.empty());
    EXPECT_EQ(state.vq.PanelSlot, 1);
}

TEST_F(MenuTest, DisabledEntriesReactNeitherToClicksNorToPointerMoves) {
    FrmMenu_1& m = StartWithoutDevice();
    state.vq.ZoneShow = {false, true, true, true, true};
    ASSERT_FALSE(m.Label2->Enabled());
    // Dimmed over the skin, which has no disabled look of its own.
    EXPECT_EQ(m.Label2->backStyle(), ui::BackStyle::Opaque);

    const std::string before = m.Label8->Caption();
    Click(*m.Label2);
    SendMouse(*m.Label1, QEvent::MouseMove);
    EXPECT_TRUE(windows.zones.empty());
    EXPECT_EQ(state.vq.PanelSlot, 0);
    EXPECT_EQ(m.Label8->Caption(), before);

    // The same events on an enabled entry do reach it.
    m.Label2->setEnabled(true);
    m.Label1->setEnabled(true);
    EXPECT_EQ(m.Label2->backStyle(), ui::BackStyle::Transparent);
    Click(*m.Label2);
    SendMouse(*m.Label1, QEvent::MouseMove);
    EXPECT_EQ(windows.zones.size(), 4u);
    EXPECT_EQ(m.Label8->Caption(), "Click here to manage your settings (user.ini)");
    EXPECT_EQ(m.Label1->MousePointer(), ui::Pointer::Hand);

    // Connect is always there; the quit hotspot hints without the hand.
    m.Label8->setVisible(false);
    SendMouse(*m.Label5, QEvent::MouseMove);
    EXPECT_TRUE(m.Label8->Visible());
    EXPECT_EQ(m.Label8->Caption(), "Select a valid COM port");
    SendMouse(*m.Label10, QEvent::MouseMove);
    EXPECT_EQ(m.Label8->Caption(),
              "Click here to close the software. Your system will continu with the current "
              "settings.");
    EXPECT_EQ(m.Label10->MousePointer(), ui::Pointer::Default);

    // File hides the hint.
    Click(*m.Label1);
    EXPECT_FALSE(m.Label8->Visible());
}

TEST_F(MenuTest, EntriesOpenTheirWindowsAndATunerOrSettingsPanelThatFailsIsNotShown) {
    Attach(1);
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start();
    ASSERT_TRUE(m.Label1->Enabled());

    m.Label8->setVisible(true);
    Click(*m.Label1);
    EXPECT_FALSE(m.Label8->Visible());
    m.Label8->setVisible(true);
    Click(*m.Label3);
    EXPECT_FALSE(m.Label8->Visible());
    // Events and Settings leave the hint alone.
    m.Label8->setVisible(true);
    Click(*m.Label4);
    Click(*m.Label6);
    EXPECT_TRUE(m.Label8->Visible());
    EXPECT_EQ(windows.shown,
              (std::vector<std::string>{"FrmFile", "FrmTuner", "FrmEvents", "Frmsettings"}));
    EXPECT_EQ(m.Label4->MousePointer(), ui::Pointer::Hand);

    windows.failing = {"FrmTuner", "Frmsettings"};
    windows.shown.clear();
    EXPECT_NO_THROW(m.Label3_Click());
    EXPECT_NO_THROW(m.Label6_Click());
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_EQ(dialogs.msgBoxes().size(), 1u);  // only the start-up question
}

TEST_F(MenuTest, QuitEndsAtOnceAndSendsNothingWhileConnected) {
    auto& amp = Attach(1);
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start();
    ASSERT_EQ(state.vq.DeviceModel, "QOR 82");
    ASSERT_TRUE(state.vq.ExitToggle);
    amp.clearLog();

    Click(*m.Label10);
    EXPECT_EQ(quitCalls, 1);
    EXPECT_TRUE(m.Shape2->Visible());
    m.Image4_Click();
    m.Image2_Click();
    EXPECT_EQ(quitCalls, 3);
    EXPECT_TRUE(StaysQuiet(amp));
}

TEST_F(MenuTest, QuitAfterAnUnidentifiedAnswerSetsTheToggleAndStillEndsOnce) {
    WriteUserIni(kUserIni);
    FrmMenu_1& m = StartWithoutDevice();
    ASSERT_FALSE(state.vq.ExitToggle);
    m.Shape2->setVisible(false);
    m.Label10_Click();
    EXPECT_TRUE(state.vq.ExitToggle);
    EXPECT_TRUE(m.Shape2->Visible());
    EXPECT_EQ(quitCalls, 1);
}

TEST_F(MenuTest, MinimiseEntryMinimisesTheWindow) {
    FrmMenu_1& m = StartWithoutDevice();
    m.Image3_Click();
    EXPECT_EQ(m.windowState(), ui::WindowState::Minimized);
}

// --- drag ---------------------------------------------------------------------------------

struct Place {
    double left, top;
    bool visible;
};

std::map<std::string, Place> Places(const FrmMenu_1& m) {
    std::map<std::string, Place> out;
    for (const ui::Control* c : m.controls())
        if (c->hasWidget()) out[c->UpperName()] = {c->Left(), c->Top(), c->Visible()};
    return out;
}

// Puts the pointer on the window-local pixel (x, y).
void PointerAt(const FrmMenu_1& m, int x, int y) {
    QCursor::setPos(m.widget()->mapToGlobal(QPoint(x, y)));
}

TEST_F(MenuTest, DragWithoutMovementPutsEverythingBackAsItWas) {
    FrmMenu_1& m = StartWithoutDevice();
    m.Combo1->setVisible(false);  // hidden before the drag
    const auto before = Places(m);

    m.Image1_MouseDown(ui::kLeftButton, 0, 600, 300);
    EXPECT_EQ(state.vq.DragActive, 1);
    EXPECT_TRUE(m.Label9->Visible());
    EXPECT_EQ(m.Label9->Caption(),
              "To re-locate this control panel : move mouse to the new position and release it ");
    EXPECT_DOUBLE_EQ(m.Label9->Left(), m.Image1->Left() + 10);
    EXPECT_DOUBLE_EQ(m.Label9->Top(), m.Image1->Top() - m.Label9->Height());
    EXPECT_TRUE(m.Image1->Visible());
    EXPECT_FALSE(m.Label1->Visible());
    EXPECT_FALSE(m.Label8->Visible());
    // Hidden ones are recorded in control order; the already hidden list is not.
    EXPECT_EQ(state.iv.HiddenCtlNames[0], "IMAGE3");
    EXPECT_EQ(std::count(state.iv.HiddenCtlNames.begin(), state.iv.HiddenCtlNames.end(), "COMBO1"),
              0);

    m.Image1_MouseUp(ui::kLeftButton, 0, 600, 300);
    EXPECT_EQ(state.vq.DragActive, 0);
    const auto after = Places(m);
    for (const auto& [name, place] : before) {
        if (name == "LABEL9") continue;
        EXPECT_DOUBLE_EQ(after.at(name).left, place.left) << name;
        EXPECT_DOUBLE_EQ(after.at(name).top, place.top) << name;
        EXPECT_EQ(after.at(name).visible, place.visible) << name;
    }
    EXPECT_FALSE(m.Label9->Visible());
}

TEST_F(MenuTest, DragMovesEveryControlByTheDistanceTheSkinFollowedThePointer) {
    FrmMenu_1& m = StartWithoutDevice();
    m.Image2->setVisible(false);
    state.vq.PanelReady = true;
    const auto before = Places(m);
    const double tppX = ui::TwipsPerPixelX();
    const double tppY = ui::TwipsPerPixelY();

    // Grab the skin 40 x 20 pixels inside its corner.
    const double grabX = 40 * tppX, grabY = 20 * tppY;
    m.Image1_MouseDown(ui::kLeftButton, 0, grabX, grabY);
    const double hintLeft = m.Label9->Left(), hintTop = m.Label9->Top();

    const int px = 200, py = 150;
    PointerAt(m, px, py);
    m.Image1_MouseMove(ui::kLeftButton, 0, grabX, grabY);
    EXPECT_DOUBLE_EQ(m.Image1->Left(), px * tppX - grabX);
    EXPECT_DOUBLE_EQ(m.Image1->Top(), py * tppY - grabY);
    EXPECT_FALSE(m.Label1->Visible());  // only the skin follows meanwhile
    EXPECT_EQ(m.Image1->MousePointer(), ui::Pointer::Hand);

    m.Image1_MouseUp(ui::kLeftButton, 0, grabX, grabY);
    const double dx = m.Image1->Left() - before.at("IMAGE1").left;
    const double dy = m.Image1->Top() - before.at("IMAGE1").top;
    ASSERT_NE(dx, 0);
    ASSERT_NE(dy, 0);
    const auto after = Places(m);
    for (const auto& [name, place] : before) {
        if (name == "IMAGE1" || name == "LABEL9") continue;
        EXPECT_DOUBLE_EQ(after.at(name).left, place.left + dx) << name;
        EXPECT_DOUBLE_EQ(after.at(name).top, place.top + dy) << name;
    }
    EXPECT_TRUE(m.Label1->Visible());
    EXPECT_TRUE(m.Combo1->Visible());
    EXPECT_FALSE(m.Image2->Visible());  // moved, but it was hidden before the drag
    // The hint moved with the rest and went away.
    EXPECT_DOUBLE_EQ(m.Label9->Left(), hintLeft + dx);
    EXPECT_DOUBLE_EQ(m.Label9->Top(), hintTop + dy);
    EXPECT_FALSE(m.Label9->Visible());
    // A device was found: moving over the skin hides the status line.
    m.Label8->setVisible(true);
    m.Image1_MouseMove(0, 0, 10, 10);
    EXPECT_FALSE(m.Label8->Visible());
    EXPECT_DOUBLE_EQ(m.Image1->Left(), before.at("IMAGE1").left + dx);  // no drag, no follow
}

// --- window helpers -----------------------------------------------------------------------

TEST_F(MenuTest, MakeTransparentTurnsAPercentageIntoAnAlpha) {
    FrmMenu_1& m = StartWithoutDevice();
    ui::Form other("Other");
    EXPECT_FALSE(m.isTransparent(other));

    EXPECT_EQ(m.MakeTransparent(other, 150), 1);
    EXPECT_FALSE(m.isTransparent(other));
    EXPECT_EQ(m.MakeTransparent(other, 0), 0);
    EXPECT_TRUE(m.isTransparent(other));
    EXPECT_DOUBLE_EQ(other.widget()->windowOpacity(), 1.0);
    EXPECT_EQ(m.MakeTransparent(other, 50), 0);  // 127.5 goes to the even 128
    EXPECT_NEAR(other.widget()->windowOpacity(), 128 / 255.0, 1e-3);
    EXPECT_EQ(m.MakeTransparent(other, 100), 0);
    EXPECT_DOUBLE_EQ(other.widget()->windowOpacity(), 0.0);
    EXPECT_EQ(m.MakeTransparent(other, -1), 1);
    EXPECT_DOUBLE_EQ(other.widget()->windowOpacity(), 0.0);

    EXPECT_EQ(m.MakeOpaque(other), 0);
    EXPECT_FALSE(m.isTransparent(other));
    EXPECT_DOUBLE_EQ(other.widget()->windowOpacity(), 1.0);
}

}  // namespace
}  // namespace qor::test
