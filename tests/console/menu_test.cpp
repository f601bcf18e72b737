// The menu of the main window: the Zones cascade, the quit entries, hints and disabled entries,
// the skin drag and the window helpers.
#include <QCursor>
#include <QTest>

#include "panel/panel_scheme.h"
#include "platform/off_skin_check.h"
#include "platform/ui/runtime.h"
#include "support/menu_fixture.h"

namespace qor::test {
namespace {

TEST_F(MenuTest, ZonesCascadeShowsTheChosenPanelsOneSlotApart) {
    FrmMenu_1& m = Start(false);
    ASSERT_EQ(state.vq.ZoneShow, (std::array<bool, 5>{}));  // no showzones.ini
    ASSERT_EQ(state.vq.PanelSlot, 0);
    state.vq.ZoneShow = {false, false, true, false, true};
    m.Label2_Click();
    EXPECT_EQ(windows.zones, (std::vector<int>{2, 4}));
    EXPECT_EQ(windows.panelSlots, (std::vector<int>{1, 2}));
    EXPECT_EQ(state.vq.PanelSlot, 3);
    // The zone 3 shortcut shows its panel and leaves the slot alone.
    m.Image5_Click();
    EXPECT_EQ(windows.zones.back(), 3);
    EXPECT_EQ(state.vq.PanelSlot, 3);
    // Nothing chosen: only the slot is counted.
    state.vq.ZoneShow = {};
    m.Label2_Click();
    EXPECT_EQ(windows.zones.size(), 3u);
    EXPECT_EQ(state.vq.PanelSlot, 4);
}

TEST_F(MenuTest, DisabledEntriesReactNeitherToClicksNorToPointerMoves) {
    FrmMenu_1& m = Start(false);
    state.vq.ZoneShow = {false, true, true, true, true};
    ASSERT_FALSE(m.Label2.Enabled());
    // Dimmed over the skin, which has no disabled look of its own.
    EXPECT_EQ(m.Label2.backStyle(), ui::BackStyle::Opaque);
    const std::string before = m.Label8.Caption();
    Click(m.Label2);
    SendMouse(m.Label1, QEvent::MouseMove);
    EXPECT_TRUE(windows.zones.empty());
    EXPECT_EQ(m.Label8.Caption(), before);

    // The same events on an enabled entry do reach it.
    m.Label2.setEnabled(true);
    m.Label1.setEnabled(true);
    EXPECT_EQ(m.Label2.backStyle(), ui::BackStyle::Transparent);
    Click(m.Label2);
    SendMouse(m.Label1, QEvent::MouseMove);
    EXPECT_EQ(windows.zones.size(), 4u);
    EXPECT_EQ(m.Label8.Caption(), "Click here to manage your settings (user.ini)");
    EXPECT_EQ(m.Label1.MousePointer(), ui::Pointer::Hand);
    // Connect is always there; the quit hotspot hints without the hand.
    m.Label8.setVisible(false);
    SendMouse(m.Label5, QEvent::MouseMove);
    EXPECT_TRUE(m.Label8.Visible());
    EXPECT_EQ(m.Label8.Caption(), "Select a valid COM port");
    SendMouse(m.Label10, QEvent::MouseMove);
    EXPECT_EQ(
        m.Label8.Caption(),
        "Click here to close the software. Your system will continu with the current settings.");
    EXPECT_EQ(m.Label10.MousePointer(), ui::Pointer::Default);
}

TEST_F(MenuTest, EntriesOpenTheirWindowsAndAPanelThatFailsIsNotShown) {
    Attach(1);
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start();
    ASSERT_TRUE(m.Label1.Enabled());
    // File and Tuner hide the hint; Events and Settings leave it alone.
    for (auto [entry, hides] :
         {std::pair{&m.Label1, true}, {&m.Label3, true}, {&m.Label4, false}, {&m.Label6, false}}) {
        m.Label8.setVisible(true);
        Click(*entry);
        EXPECT_EQ(m.Label8.Visible(), !hides) << entry->UpperName();
    }
    EXPECT_EQ(windows.shown, (Lines{"FrmFile", "FrmTuner", "FrmEvents", "Frmsettings"}));
    windows.failing = {"FrmTuner", "Frmsettings"};
    windows.shown.clear();
    EXPECT_NO_THROW(m.Label3_Click());
    EXPECT_NO_THROW(m.Label6_Click());
    EXPECT_TRUE(windows.shown.empty());
    EXPECT_EQ(dialogs.msgBoxes().size(), 1u);  // only the start-up question
    m.Image3_Click();
    EXPECT_EQ(m.windowState(), ui::WindowState::Minimized);
}

TEST_F(MenuTest, QuitEndsAtOnceAndSendsNothing) {
    auto& amp = Attach(1);
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start();
    ASSERT_TRUE(state.vq.ExitToggle);
    amp.clearLog();
    Click(m.Label10);
    EXPECT_EQ(quitCalls, 1);
    EXPECT_TRUE(m.Shape2.Visible());
    m.Image4_Click();
    m.Image2_Click();
    EXPECT_EQ(quitCalls, 3);
    EXPECT_TRUE(StaysQuiet(amp));

    // After an unidentified answer the toggle is set on the way, and it still ends once.
    state.vq.ExitToggle = false;
    m.Shape2.setVisible(false);
    m.Label10_Click();
    EXPECT_TRUE(state.vq.ExitToggle);
    EXPECT_TRUE(m.Shape2.Visible());
    EXPECT_EQ(quitCalls, 4);
}

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

TEST_F(MenuTest, DragWithoutMovementPutsEverythingBackAsItWas) {
    FrmMenu_1& m = Start(false);
    m.Combo1.setVisible(false);  // hidden before the drag
    const auto before = Places(m);
    m.Image1_MouseDown(ui::kLeftButton, 0, 600, 300);
    EXPECT_EQ(state.vq.DragActive, 1);
    EXPECT_TRUE(m.Label9.Visible());
    EXPECT_EQ(m.Label9.Caption(),
              "To re-locate this control panel : move mouse to the new position and release it ");
    EXPECT_DOUBLE_EQ(m.Label9.Left(), m.Image1.Left() + 10);
    EXPECT_DOUBLE_EQ(m.Label9.Top(), m.Image1.Top() - m.Label9.Height());
    EXPECT_TRUE(m.Image1.Visible());
    EXPECT_FALSE(m.Label1.Visible() || m.Label8.Visible());
    // Hidden ones are recorded in control order; the already hidden are not.
    const auto& hidden = state.iv.HiddenCtlNames;
    EXPECT_EQ(hidden[0], "IMAGE3");
    EXPECT_EQ(std::count(hidden.begin(), hidden.end(), "COMBO1"), 0);

    m.Image1_MouseUp(ui::kLeftButton, 0, 600, 300);
    EXPECT_EQ(state.vq.DragActive, 0);
    const auto after = Places(m);
    for (const auto& [name, place] : before) {
        if (name == "LABEL9") continue;
        EXPECT_DOUBLE_EQ(after.at(name).left, place.left) << name;
        EXPECT_DOUBLE_EQ(after.at(name).top, place.top) << name;
        EXPECT_EQ(after.at(name).visible, place.visible) << name;
    }
    EXPECT_FALSE(m.Label9.Visible());
}

TEST_F(MenuTest, DragMovesEveryControlByTheDistanceTheSkinFollowedThePointer) {
    FrmMenu_1& m = Start(false);
    m.Image2.setVisible(false);
    state.vq.PanelReady = true;
    const auto before = Places(m);
    const double tppX = ui::TwipsPerPixelX(), tppY = ui::TwipsPerPixelY();
    // Grab the skin 40 x 20 pixels inside its corner, and let the pointer go to (200, 150).
    const double grabX = 40 * tppX, grabY = 20 * tppY;
    m.Image1_MouseDown(ui::kLeftButton, 0, grabX, grabY);
    const double hintLeft = m.Label9.Left(), hintTop = m.Label9.Top();
    QCursor::setPos(m.widget()->mapToGlobal(QPoint(200, 150)));
    m.Image1_MouseMove(ui::kLeftButton, 0, grabX, grabY);
    EXPECT_DOUBLE_EQ(m.Image1.Left(), 200 * tppX - grabX);
    EXPECT_DOUBLE_EQ(m.Image1.Top(), 150 * tppY - grabY);
    EXPECT_FALSE(m.Label1.Visible());  // only the skin follows meanwhile
    EXPECT_EQ(m.Image1.MousePointer(), ui::Pointer::Hand);

    m.Image1_MouseUp(ui::kLeftButton, 0, grabX, grabY);
    const double dx = m.Image1.Left() - before.at("IMAGE1").left;
    const double dy = m.Image1.Top() - before.at("IMAGE1").top;
    ASSERT_TRUE(dx != 0 && dy != 0);
    const auto after = Places(m);
    for (const auto& [name, place] : before) {
        if (name == "IMAGE1" || name == "LABEL9") continue;
        EXPECT_DOUBLE_EQ(after.at(name).left, place.left + dx) << name;
        EXPECT_DOUBLE_EQ(after.at(name).top, place.top + dy) << name;
    }
    EXPECT_TRUE(m.Label1.Visible() && m.Combo1.Visible());
    EXPECT_FALSE(m.Image2.Visible());  // moved, but it was hidden before the drag
    // The hint moved with the rest and went away.
    EXPECT_DOUBLE_EQ(m.Label9.Left(), hintLeft + dx);
    EXPECT_DOUBLE_EQ(m.Label9.Top(), hintTop + dy);
    EXPECT_FALSE(m.Label9.Visible());
    // A device was found: moving over the skin hides the status line, and no drag, no follow.
    m.Label8.setVisible(true);
    m.Image1_MouseMove(0, 0, 10, 10);
    EXPECT_FALSE(m.Label8.Visible());
    EXPECT_DOUBLE_EQ(m.Image1.Left(), before.at("IMAGE1").left + dx);
}

TEST_F(MenuTest, DragHintAboveTheSkinHasABackingOfItsOwn) {
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m.widget()));
    // On the glass, the notice line has none: the glass shows through.
    EXPECT_EQ(m.Label9.backStyle(), ui::BackStyle::Transparent);

    m.Image1_MouseDown(ui::kLeftButton, 0, 600, 300);
    ASSERT_LE(m.Label9.Top() + m.Label9.Height(), m.Image1.Top());
    ui::test::ExpectReadableOffSkin(m, m.Label9);
    EXPECT_EQ(m.Label9.BackColor(), panel::OffSkinBacking());
    EXPECT_EQ(m.Label9.ForeColor(), panel::OffSkinText());
    m.Image1_MouseUp(ui::kLeftButton, 0, 600, 300);

    // Still above the skin after the drag, so the sync notice keeps the backing too.
    m.Label9.setCaption("Sync time : 09:07:03");
    m.Label9.setVisible(true);
    ui::test::ExpectReadableOffSkin(m, m.Label9);
}

TEST_F(MenuTest, MakeTransparentTurnsAPercentageIntoAnAlpha) {
    FrmMenu_1& m = Start(false);
    ui::Form other("Other");
    const auto opacity = [&] { return other.widget()->windowOpacity(); };
    EXPECT_EQ(m.MakeTransparent(other, 150), 1);
    EXPECT_FALSE(m.isTransparent(other));
    EXPECT_EQ(m.MakeTransparent(other, 0), 0);
    EXPECT_TRUE(m.isTransparent(other));
    EXPECT_DOUBLE_EQ(opacity(), 1.0);
    EXPECT_EQ(m.MakeTransparent(other, 50), 0);  // 127.5 goes to the even 128
    EXPECT_NEAR(opacity(), 128 / 255.0, 1e-3);
    EXPECT_EQ(m.MakeTransparent(other, 100), 0);
    EXPECT_DOUBLE_EQ(opacity(), 0.0);
    EXPECT_EQ(m.MakeTransparent(other, -1), 1);
    EXPECT_DOUBLE_EQ(opacity(), 0.0);
    EXPECT_EQ(m.MakeOpaque(other), 0);
    EXPECT_FALSE(m.isTransparent(other));
    EXPECT_DOUBLE_EQ(opacity(), 1.0);
}

}  // namespace
}  // namespace qor::test
