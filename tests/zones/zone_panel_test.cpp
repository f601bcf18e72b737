// The zone panels against the simulated amplifier over a real pseudo-terminal, drawn offscreen.
#include "zones/zone_panel.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "link/commands.h"
#include "panel/panel_scheme.h"
#include "platform/off_skin_check.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"
#include "simamp.h"
#include "support/files.h"
#include "support/panel_fixture.h"

namespace qor {
namespace {

using namespace std::chrono_literals;
using test::Commands;
const QColor kMarkerOn(128, 128, 255), kMarkerOff(224, 224, 224);

using test::QuickClock;
using test::RdsLabel;
using test::Responder;

class ZonePanelTest : public test::PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        for (int z = 1; z <= 4; ++z) state.vq.ZoneName[z] = "Zone " + std::to_string(z);
    }

    std::unique_ptr<ZonePanel> loaded(int zone) {
        auto panel = std::make_unique<ZonePanel>(ctx, zone);
        panel->Load();
        return panel;
    }
    void setZone(int z, bool on, int source = 1, int volume = 0, int bass = 0, int treble = 0) {
        sim::DeviceState s = sim.state();
        s.zones[z] = {on, volume, bass, treble, s.zones[z].volMax, source, s.zones[z].link};
        sim.setState(s);
    }
    std::string pic(const char* name) const { return (folder / name).string(); }
    // The whole look of a lit or faded panel, and the zone's state behind it.
    void expectLook(ZonePanel& p, bool on, bool tunerShown = true) {
        const int z = p.zone();
        EXPECT_EQ(state.vq.ZoneOn[z], on);
        EXPECT_EQ(state.vq.ZoneImgPath[z], pic(on ? "Ampli31.gif" : "Ampli31_faded.gif"));
        EXPECT_EQ(p.Image1.PictureFile(), pic(on ? "Ampli31.gif" : "Ampli31_faded.gif"));
        EXPECT_EQ(p.Image4.PictureFile(), pic(on ? "close.ico" : "close2.ico"));
        EXPECT_EQ(p.Picture1.PictureFile(), pic(on ? "knopon2.ico" : "knopon2_faded.gif"));
        for (ui::Control* c :
             std::initializer_list<ui::Control*>{&p.iKnobX11, &p.iKnobX21, &p.iKnobX31, &p.Image5})
            EXPECT_EQ(c->Visible(), on) << c->Name();
        EXPECT_EQ(p.Image2.Visible(), on && tunerShown);
        EXPECT_EQ(p.Label1.BackColor(), ui::SysColor(on ? 7 : 11));
        EXPECT_EQ(p.Shape4.FillColor(), on ? kMarkerOn : kMarkerOff);
    }
    // How often the skin, the close button and the on/off button were read, plus `more`.
    static std::array<int, 3> Loads(const ZonePanel& p, int more = 0) {
        return {p.Image1.PictureLoads() + more, p.Image4.PictureLoads() + more,
                p.Picture1.PictureLoads() + more};
    }
    static Commands Reads(int z) {
        return {cmd::RdOn(z), cmd::RdVol(z), cmd::RdLow(z), cmd::RdHigh(z), cmd::RdSrc(z)};
    }
    // Turns a knob as the user does: the last arrow-key step brings it to `position`.
    static void turn(ui::IKnobX* knob, double position) {
        knob->setPosition(position - knob->KeyArrowStepSize());
        QTest::keyClick(knob->widget(), Qt::Key_Up);
    }
    // RDS text scrolling inside an exchange runs pending events once a (quick) second.
    void scrollRdsInExchanges() {
        link.setRdsLine(&rds);
        link.setClock(&clock);
        link.setDoEvents(ui::DoEvents);
    }

    RdsLabel rds;
    QuickClock clock;
};

TEST_F(ZonePanelTest, StacksBySlotAndStartsAgainPastTheScreen) {
    const double h = ZonePanel(ctx, 3).Image1.Height();
    ASSERT_GT(h, 0);
    struct Case {
        int slot;
        int32_t screen;
        double movedBy;
        int slotAfter;
    };
    for (const Case& c : {Case{2, 100000, 2 * h, 2},
                          Case{2, static_cast<int32_t>(2 * h) - 1, h, 1},  // two would pass it
                          Case{3, 0, h, 1},  // zone 1 has not measured the screen yet
                          Case{0, 0, 0, 0}}) {
        SCOPED_TRACE(c.slot);
        state.vq.PanelSlot = static_cast<int16_t>(c.slot);
        state.vq.ScreenHeightTw = c.screen;
        auto panel = loaded(3);
        EXPECT_DOUBLE_EQ(panel->Image1.Top(), c.movedBy);
        EXPECT_DOUBLE_EQ(panel->Picture1.Top(), 540 + c.movedBy);
        EXPECT_EQ(state.vq.PanelSlot, c.slotAfter);
    }

    // Zone 1 stacks by the old height, then measures the screen for everyone after it.
    state.vq.PanelSlot = 2;
    state.vq.ScreenHeightTw = 0;
    auto one = loaded(1);
    EXPECT_DOUBLE_EQ(one->Image1.Top(), h);
    EXPECT_EQ(state.vq.ScreenHeightTw, std::lround(ui::ScreenHeightTwips()));
    EXPECT_GT(state.vq.ScreenHeightTw, 0);
    // Shown again while loaded: no second load, no move.
    one->Show();
    state.vq.PanelSlot = 3;
    one->Show();
    EXPECT_DOUBLE_EQ(one->Image1.Top(), h);
}

TEST_F(ZonePanelTest, DragStopsTheTimerHidesTheControlsAndRestoresThemShiftedOnRelease) {
    state.vq.DeviceModel = "QOR 81";  // the Tuner button is hidden before the drag
    auto panel = loaded(3);
    panel->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel->widget()));
    const double pictureLeft = panel->Picture1.Left(), pictureTop = panel->Picture1.Top();
    const double skinLeft = panel->Image1.Left();

    QTest::mousePress(panel->Image1.widget(), Qt::RightButton, {}, QPoint(30, 20));
    EXPECT_EQ(state.vq.DragActive, 1);
    EXPECT_FALSE(panel->Timer1.Enabled());
    EXPECT_EQ(panel->Label16.Caption(),
              "To re-locate this control panel : move mouse to the new position and release it ");
    EXPECT_TRUE(panel->Label16.Visible());
    EXPECT_FALSE(panel->Picture1.Visible());

    // The pointer moves 20 pixels right and 10 down; the skin follows it.
    QCursor::setPos(panel->Image1.widget()->mapToGlobal(QPoint(30, 20)) + QPoint(20, 10));
    panel->Image1_MouseMove(ui::kRightButton, 0, 0, 0);
    const double dx = panel->Image1.Left() - skinLeft;
    EXPECT_NEAR(dx, 20 * ui::TwipsPerPixelX(), 1);

    QTest::mouseRelease(panel->Image1.widget(), Qt::RightButton, {}, QPoint(50, 30));
    EXPECT_EQ(state.vq.DragActive, 0);
    EXPECT_TRUE(panel->Timer1.Enabled());
    EXPECT_FALSE(panel->Label16.Visible());
    EXPECT_TRUE(panel->Picture1.Visible());
    EXPECT_FALSE(panel->Image2.Visible());  // hidden before, so not brought back
    EXPECT_NEAR(panel->Picture1.Left(), pictureLeft + dx, 1);
    EXPECT_NEAR(panel->Picture1.Top(), pictureTop + 10 * ui::TwipsPerPixelY(), 1);
}

TEST_F(ZonePanelTest, DragHintAtTheTopOfTheScreenHasABackingOfItsOwn) {
    for (bool on : {true, false}) {  // on either look of the skin
        SCOPED_TRACE(on);
        setZone(2, on);
        auto panel = loaded(2);
        panel->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel->widget()));
        panel->RefreshZone(2);
        QTest::mousePress(panel->Image1.widget(), Qt::LeftButton, {}, QPoint(30, 20));
        EXPECT_DOUBLE_EQ(panel->Label16.Top(), 0);
        ui::test::ExpectReadableOffSkin(*panel, panel->Label16);
        EXPECT_EQ(panel->Label16.BackColor(), panel::OffSkinBacking());
        EXPECT_EQ(panel->Label16.ForeColor(), panel::OffSkinText());
        QTest::mouseRelease(panel->Image1.widget(), Qt::LeftButton, {}, QPoint(30, 20));
    }
}

TEST_F(ZonePanelTest, OnlyZoneTwoRefreshesWhenActivated) {
    auto three = loaded(3);
    three->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(three->widget(), test::kArrivalMs));
    QTest::qWait(100);
    EXPECT_TRUE(sentSince(0, 0).empty());

    auto two = loaded(2);
    two->Show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.log().empty(); }, test::kArrivalMs));
    EXPECT_EQ(sentSince(0, 2), (Commands{cmd::RdOn(2), cmd::RdSrc(2)}));
}

// The lit set is read once while the zone stays on; the faded set on every refresh while off.
TEST_F(ZonePanelTest, RefreshShowsTheLitOrFadedLookTheDeviceReports) {
    std::unique_ptr<ZonePanel> panels[] = {nullptr, loaded(1), loaded(2)};
    for (int z : {1, 2}) {
        SCOPED_TRACE(z);
        ZonePanel& panel = *panels[z];
        setZone(z, true, 2, 40, -5, 3);
        auto loads = Loads(panel, 1);
        panel.RefreshZone(z);
        expectLook(panel, true);
        EXPECT_TRUE(panel.Shape4.Visible());
        EXPECT_FALSE(panel.Shape5.Visible());
        // A second refresh is the same five reads and loads no picture again.
        std::size_t from = mark();
        panel.RefreshZone(z);
        EXPECT_EQ(sentSince(from, 5), Reads(z));
        EXPECT_EQ(Loads(panel), loads);

        setZone(z, false, 3);  // a source the panel does not know
        for (int more : {2, 1, 1}) {
            loads = Loads(panel, more);
            from = mark();
            panel.RefreshZone(z);
            EXPECT_EQ(sentSince(from, 2), (Commands{cmd::RdOn(z), cmd::RdSrc(z)}));
            expectLook(panel, false);
            EXPECT_EQ(Loads(panel), loads);
        }
    }
    // Zone 1 leaves the markers to the source read; the others hide both first.
    EXPECT_TRUE(panels[1]->Shape4.Visible());
    EXPECT_FALSE(panels[2]->Shape4.Visible());
    EXPECT_FALSE(panels[2]->Shape5.Visible());
    setZone(2, false, 1);
    panels[2]->RefreshZone(2);
    EXPECT_TRUE(panels[2]->Shape5.Visible());
}

TEST_F(ZonePanelTest, OnOffAnswerThatIsNeitherEndsTheRefreshAfterTheNamePlate) {
    setZone(1, true);
    auto panel = loaded(1);
    panel->RefreshZone(1);
    Responder device(sim);
    const auto loads = Loads(*panel);
    for (const char* answer : {"*RT,ON,2;", "RT,ON,1;", "*RT,TUN,RDS,TXT,JAZZ;", ""}) {
        SCOPED_TRACE(answer);
        state.vq.ZoneName[1] = std::string("Den ") + answer;
        panel->Image4.setVisible(false);
        device.answer(cmd::RdOn(1), answer);
        const std::size_t from = mark();
        panel->RefreshZone(1);
        EXPECT_EQ(sentSince(from, 1), Commands{cmd::RdOn(1)});
        EXPECT_EQ(panel->Label1.Caption(), state.vq.ZoneName[1]);
        EXPECT_TRUE(panel->Image4.Visible());
        EXPECT_TRUE(state.vq.ZoneOn[1]);
        EXPECT_TRUE(panel->iKnobX31.Visible());
        EXPECT_EQ(Loads(*panel), loads);
    }
}

TEST_F(ZonePanelTest, LevelAndSourceAnswersCountOnlyWhenWellFormed) {
    setZone(3, true);
    auto panel = loaded(3);
    Responder device(sim);
    struct Case {
        const char* answers[4];
        double volume, bass, treble;
        bool tuner;
    };
    const Case cases[] = {
        // Each level is picked by its own key; a field that is no number is no answer.
        {{"*RT,VOL,3,40;*RT,LOW,3,3;", "*RT,VOL,3,40;*RT,LOW,3,-5;", "*RT,HIGH,3,abc;",
          "*RT,SRC,3,2;"},
         40,
         -5,
         0,
         true},
        // Beyond 16 bits, or empty: as good as no answer.
        {{"*RT,VOL,3,70000;", "*RT,LOW,3,;", "*RT,HIGH,3,4;", "*RT,SRC,3,3;"}, 40, -5, 4, true},
        {{"*RT,VOL,3,41;", "*RT,LOW,3,-6;", "*RT,HIGH,3,5;", "*RT,SRC,3,1;"}, 41, -6, 5, false},
        {{"", "", "", "*RT,SRC,3,x;"}, 41, -6, 5, false},  // silence keeps the levels too
        {{"", "", "", "*RT,SRC,3,2;"}, 41, -6, 5, true},
    };
    panel->iKnobX21.setVisible(false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers[3]);
        const Commands reads = Reads(3);
        for (int i = 0; i < 4; ++i) device.answer(reads[i + 1], c.answers[i]);
        panel->RefreshZone(3);
        EXPECT_EQ(panel->iKnobX31.Position(), c.volume);
        EXPECT_EQ(panel->iKnobX11.Position(), c.bass);
        EXPECT_EQ(panel->iKnobX21.Position(), c.treble);
        EXPECT_TRUE(panel->iKnobX21.Visible());
        EXPECT_EQ(panel->Shape4.Visible(), c.tuner);
        EXPECT_EQ(panel->Shape5.Visible(), !c.tuner);
        const auto solid = ui::FillStyle::Solid, clear = ui::FillStyle::Transparent;
        EXPECT_EQ(panel->Shape4.fillStyle(), c.tuner ? solid : clear);
        EXPECT_EQ(panel->Shape5.fillStyle(), c.tuner ? clear : solid);
    }
}

// The zone's last skin outlives its panel, so a panel opened again on a lit zone must already
// show the lit pictures: the refresh will not load them a second time.
TEST_F(ZonePanelTest, PanelOpenedAgainOnALitZoneShowsTheLitPictures) {
    setZone(4, true);
    auto panel = loaded(4);
    panel->RefreshZone(4);
    panel->Image4_Click();
    panel.reset();
    panel = loaded(4);
    panel->RefreshZone(4);
    expectLook(*panel, true);
}

TEST_F(ZonePanelTest, ModelWithoutTunerSelectsAuxAtLoadAndAtTheEndOfEachRefreshFindingTheZoneOn) {
    state.vq.DeviceModel = "qor 81";
    state.vq.ZoneOn[1] = true;
    auto one = loaded(1);
    EXPECT_EQ(sentSince(0, 1), Commands{cmd::Src(1, 1)});
    auto four = loaded(4);
    setZone(1, true, 2);
    setZone(4, true, 2);

    Commands expected = Reads(1);
    expected.push_back(cmd::Src(1, 1));
    for (int i = 0; i < 2; ++i) {
        const std::size_t from = mark();
        one->RefreshZone(1);
        EXPECT_EQ(sentSince(from, expected.size()), expected);
        expectLook(*one, true, false);
        EXPECT_FALSE(one->Shape4.Visible());
        EXPECT_TRUE(one->Shape5.Visible());
        EXPECT_FALSE(one->Text4->Enabled());
        EXPECT_EQ(one->Text4->Text(), "        Aux");
    }
    // Zone 4 selects Aux once more at the start when the zone was already on.
    expected = Reads(4);
    expected.push_back(cmd::Src(4, 1));
    for (int i = 0; i < 2; ++i) {
        if (i == 1) expected.insert(expected.begin() + 1, cmd::Src(4, 1));
        const std::size_t from = mark();
        four->RefreshZone(4);
        EXPECT_EQ(sentSince(from, expected.size()), expected);
    }
}

TEST_F(ZonePanelTest, WithoutADeviceTheRefreshLeavesTheZoneAsItWas) {
    comm.setCommPort(2);  // no device there at all
    auto two = loaded(2);
    const auto loads = Loads(*two);
    two->RefreshZone(2);
    EXPECT_FALSE(state.vq.ZoneOn[2]);
    EXPECT_EQ(state.vq.ZoneImgPath[2], "");
    EXPECT_EQ(Loads(*two), loads);
    EXPECT_TRUE(two->iKnobX31.Visible());
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(ZonePanelTest, KnobsSendTheirPositionRoundedHalfToEvenAndTakeFieldThreeOfTheReadBack) {
    auto panel = loaded(1);
    Responder device(sim);
    ui::IKnobX *bass = &panel->iKnobX11, *treble = &panel->iKnobX21, *volume = &panel->iKnobX31;
    struct Case {
        ui::IKnobX* knob;
        double position;
        std::string set;
        const char* answer;
        double after;
    };
    const Case cases[] = {
        {bass, 2.5, cmd::Low(1, 2), nullptr, 2},  // nullptr: the device's own answer
        {bass, 3.5, cmd::Low(1, 4), nullptr, 4},
        {bass, -2.5, cmd::Low(1, -2), nullptr, -2},
        {treble, 7.6, cmd::High(1, 8), nullptr, 8},
        {volume, 40.5, cmd::Vol(1, 40), nullptr, 40},
        {bass, 6, cmd::Low(1, 6), "*RT,LOW,1,-3;", -3},
        {bass, 6, cmd::Low(1, 6), "RT,LOW,1,9;", 6},                // not an answer
        {bass, 5, cmd::Low(1, 5), "*RT,LOW,1,7;*RT,HIGH,1,2;", 7},  // the first record's field
        {bass, 6, cmd::Low(1, 6), "*RT,LOW,1,abc;", 6},
        {bass, 5, cmd::Low(1, 5), "", 5},  // silence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set + (c.answer ? c.answer : ""));
        const std::string read = c.knob == bass     ? cmd::RdLow(1)
                                 : c.knob == treble ? cmd::RdHigh(1)
                                                    : cmd::RdVol(1);
        if (c.answer) device.answer(read, c.answer);
        const std::size_t from = mark();
        turn(c.knob, c.position);
        // The value read back is shown, not sent again.
        EXPECT_EQ(sentSince(from, 2), (Commands{c.set, read}));
        EXPECT_EQ(c.knob->Position(), c.after);
    }

    // Only treble and volume hold the refresh timer; bass leaves it as it found it.
    panel->Timer1.setEnabled(false);
    turn(bass, 1);
    EXPECT_FALSE(panel->Timer1.Enabled());
    turn(treble, 1);
    EXPECT_TRUE(panel->Timer1.Enabled());
}

// Levels read on the refresh are shown, never sent back: a changed, corrupted or wavering answer
// leaves the device as it was.
TEST_F(ZonePanelTest, RefreshShowsChangedLevelsWithoutSendingThemBack) {
    setZone(2, true, 1, 30, 1, 2);
    auto panel = loaded(2);
    std::size_t from = mark();
    panel->RefreshZone(2);
    EXPECT_EQ(sentSince(from, 5), Reads(2));
    EXPECT_EQ(panel->iKnobX31.Position(), 30);

    Responder device(sim);
    struct Case {
        const char *volume, *low, *high;
        double v, l, h;
    };
    const Case cases[] = {
        {"*RT,VOL,2,41;", "*RT,LOW,2,-7;", "*RT,HIGH,2,9;", 41, -7, 9},
        {"*RT,VOL,2,99;", "*RT,LOW,2,15;", "*RT,HIGH,2,-15;", 99, 15, -15},
        {"*RT,VOL,2,41;", "*RT,LOW,2,-7;", "*RT,HIGH,2,9;", 41, -7, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.volume);
        device.answer(cmd::RdVol(2), c.volume);
        device.answer(cmd::RdLow(2), c.low);
        device.answer(cmd::RdHigh(2), c.high);
        from = mark();
        panel->RefreshZone(2);
        EXPECT_EQ(sentSince(from, 5), Reads(2));
        EXPECT_EQ(panel->iKnobX31.Position(), c.v);
        EXPECT_EQ(panel->iKnobX11.Position(), c.l);
        EXPECT_EQ(panel->iKnobX21.Position(), c.h);
    }
    EXPECT_EQ(sim.state().zones[2].volume, 30);
}

TEST_F(ZonePanelTest, OnOffButtonSwitchesWithoutAskingTheDevice) {
    for (const char* model : {"QOR 81", "QOR 82"}) {
        for (int z : {1, 2}) {
            SCOPED_TRACE(std::to_string(z) + " " + model);
            state.vq.DeviceModel = model;
            state.vq.ZoneOn[z] = false;
            auto panel = loaded(z);
            const bool tuner = std::string(model) != "QOR 81", selectsAux = !tuner && z == 1;

            std::size_t from = mark();
            panel->Picture1_Click();
            Commands expected{cmd::On(z)};
            if (selectsAux) expected.push_back(cmd::Src(z, 1));
            EXPECT_EQ(sentSince(from, expected.size()), expected);
            expectLook(*panel, true, tuner);
            EXPECT_EQ(panel->Shape5.Visible(), tuner || selectsAux);
            const bool auxShown = panel->Shape5.Visible(), tunerShown = panel->Shape4.Visible();

            from = mark();
            panel->Picture1_Click();
            EXPECT_EQ(sentSince(from, 1), Commands{cmd::Off(z)});
            expectLook(*panel, false);
            // The markers keep their place and only fade.
            EXPECT_EQ(panel->Shape5.Visible(), auxShown);
            EXPECT_EQ(panel->Shape4.Visible(), tunerShown);
        }
    }
}

// While RDS text scrolls inside an exchange, pending events run once a second: the refresh timer
// may then tick inside a bass exchange, never inside a treble one. Refreshes nested in the source
// read find the zone off and fade the markers; the outer one colours them after its answer.
TEST_F(ZonePanelTest, RefreshesRunNestedInBassAndSourceExchangesNotInTrebleOnes) {
    setZone(1, true);
    auto panel = loaded(1);
    scrollRdsInExchanges();
    Responder device(sim);
    panel->Timer1.setInterval(1);  // due at the first yield
    auto refreshesDuring = [&](const std::string& read, std::size_t count, auto exchange) {
        device.answer(read, "*RT,TUN,RDS,TXT,ABCDEFGHIJKLMNOP;");
        const std::size_t from = mark();
        exchange();
        const Commands sent = sentSince(from, count);
        return std::count(sent.begin(), sent.end(), cmd::RdOn(1));
    };
    EXPECT_EQ(refreshesDuring(cmd::RdHigh(1), 2, [&] { turn(&panel->iKnobX21, 5); }), 0);
    EXPECT_EQ(panel->iKnobX21.Position(), 5);  // the answer was RDS text
    EXPECT_GE(refreshesDuring(cmd::RdLow(1), 2, [&] { turn(&panel->iKnobX11, 5); }), 1);
    EXPECT_EQ(rds.text, "");

    device.answer(cmd::RdOn(1), "*RT,ON,1;");
    for (int i = 0; i < 20; ++i) device.answer(cmd::RdOn(1), "*RT,ON,0;");
    EXPECT_GE(refreshesDuring(cmd::RdSrc(1), 7, [&] { panel->RefreshZone(1); }), 2);
    EXPECT_EQ(panel->Shape4.FillColor(), kMarkerOn);
    EXPECT_EQ(panel->Shape5.FillColor(), kMarkerOn);
    panel->Timer1.setInterval(2500);
}

// A click on the close button while RDS text scrolls inside an exchange: the owner may drop the
// panel once it has unloaded, so that must wait until the exchange that yielded has finished.
TEST_F(ZonePanelTest, ClosingWhileAnExchangeYieldsUnloadsOnceItHasFinished) {
    setZone(1, true);
    std::unique_ptr<ZonePanel> panel = loaded(1);
    scrollRdsInExchanges();
    Responder device(sim);
    bool refreshing = false, droppedMidRefresh = false;
    int unloads = 0;
    panel->onUnloaded = [&](ui::Form&) {
        ++unloads;
        droppedMidRefresh = refreshing;
        panel.reset();  // as the program does
    };
    device.answer(cmd::RdVol(1), "*RT,TUN,RDS,TXT,ABCDEFGHIJKLMNOP;");
    QTimer::singleShot(0, [&] { panel->Image4_Click(); });

    const std::size_t from = mark();
    refreshing = true;
    panel->RefreshZone(1);
    refreshing = false;
    EXPECT_FALSE(droppedMidRefresh);
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isUnloaded());
    EXPECT_FALSE(panel->Visible());
    // The refresh ran to its end, then nothing more.
    EXPECT_EQ(sentSince(from, 5), Reads(1));
    // The unload looks again for a settled stack a little later; let events run until it has.
    EXPECT_TRUE(QTest::qWaitFor([&] { return unloads > 0; }, test::kArrivalMs));
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(panel);
}

}  // namespace
}  // namespace qor
