// The tuner panel against the simulated "QOR 82" over a real pseudo-terminal, drawn offscreen.
#include <gtest/gtest.h>

#include <QTest>
#include <fstream>

#include "app/program.h"
#include "link/commands.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"
#include "support/files.h"
#include "support/panel_fixture.h"
#include "tuner/frm_tuner.h"
#include "tuner/tuner_layout.h"

namespace qor {
namespace {

using namespace std::chrono_literals;
using test::Commands;
using test::Device;
using test::kTestPoll;
using test::QuickClock;
using test::Responder;
using test::StepClock;

sim::Preset Mhz(int mhz, int tenths) { return {mhz, tenths}; }

class TunerPanelTest : public test::PanelTest {
  protected:
    using PanelTest::PanelTest;
    void SetUp() override {
        PanelTest::SetUp();
        state.vq.TunerSensitivity = "High";
        state.vq.ScreenHeightTw = 100000;
        for (int n = 1; n <= 6; ++n) state.vq.PresetName[n] = "Station " + std::to_string(n);
        link.setClock(&clock);
        link.setDoEvents(ui::DoEvents);
    }

    // The device's tuner at `freq`, its presets as given (the rest stay at 88.8).
    void setTuner(sim::Preset freq, std::map<int, sim::Preset> presets = {}, int sens = 1) {
        sim::DeviceState s = sim.state();
        s.frequency = freq;
        for (auto& [n, p] : presets) s.presets[n] = p;
        s.sensitivity = sens;
        sim.setState(s);
    }
    // A loaded panel with its timers held, so only what a test does talks to the device.
    std::unique_ptr<FrmTuner> loaded() {
        auto panel = std::make_unique<FrmTuner>(ctx, [this] { ++menuShown; });
        panel->Load();
        panel->Timer1.setEnabled(false);
        panel->Timer2.setEnabled(false);
        return panel;
    }
    // Sends bytes unasked and waits until they are all in the panel's input.
    void arrive(const std::string& bytes) {
        const int before = comm.InBufferCount();
        sim.sendRaw(bytes);
        comm.WaitForInputUntil(
            before + static_cast<int>(bytes.size()),
            std::chrono::steady_clock::now() + std::chrono::milliseconds(test::kArrivalMs));
    }
    static Commands StateReads(int presetsRead) {
        Commands c{cmd::TunFreqRead()};
        for (int n = 1; n <= presetsRead; ++n) c.push_back(cmd::RdPres(n));
        c.push_back(cmd::RdTunSens());
        return c;
    }
    std::string readFile(const char* name) { return test::ReadBytes(folder / name); }

    StepClock clock;
    int menuShown = 0;
};

TEST_F(TunerPanelTest, PlacesByRatiosTakesTheNextSlotAndWrapsAsOnePiece) {
    struct Case {
        int slot;
        int32_t screen;
        int slotAfter;
        double down;   // in dial heights
        double right;  // twips
    };
    for (const Case& c : {Case{0, 100000, 1, 1, 0}, Case{1, 100000, 2, 2, 0},
                          Case{2, 2 * 1272, 1, 1, 150},  // three dials would pass the screen
                          Case{0, 0, 1, 1, 150}}) {      // the screen not measured yet
        SCOPED_TRACE(c.slot);
        state.vq.PanelSlot = static_cast<int16_t>(c.slot);
        state.vq.ScreenHeightTw = c.screen;
        auto p = loaded();
        const double h = p->Image1.Height(), w = p->Image1.Width();
        const double top = c.down * h;
        EXPECT_EQ(state.vq.PanelSlot, c.slotAfter);
        EXPECT_DOUBLE_EQ(p->Image1.Top(), top);
        EXPECT_DOUBLE_EQ(p->Image1.Left(), c.right);
        EXPECT_DOUBLE_EQ(p->Label4.Left(), w * 0.45229682 + c.right);
        EXPECT_DOUBLE_EQ(p->Command2.Top(), h * 1.433962264 + top);
        EXPECT_DOUBLE_EQ(p->Label13.Left(), 240 + c.right);  // design place, moved with the rest
        EXPECT_DOUBLE_EQ(p->Line1(2).Y1(), 978 + top);
        EXPECT_DOUBLE_EQ(p->Line1(2).X2(), 3867 + c.right);
        EXPECT_DOUBLE_EQ(p->Label16.Top(), 1920);  // the drag hint stays
    }
}

TEST(TunerLayoutTest, MarkerAndSensitivityBoxShrinkOnFinerScreens) {
    EXPECT_EQ(tuner::ScreenDpi(15), 96);
    EXPECT_EQ(tuner::ScreenDpi(12), 120);
    EXPECT_EQ(tuner::ScreenDpi(0.2), 96);  // no division by zero
    EXPECT_DOUBLE_EQ(375 * tuner::DpiScale(120), 300);
    EXPECT_DOUBLE_EQ(975 * tuner::DpiScale(96), 975);
}

TEST_F(TunerPanelTest, ModelWithoutTunerIsRefusedWithNothingSent) {
    for (const char* model : {"QOR 81", "unknown", "Unknown", ""}) {
        SCOPED_TRACE(model);
        state.vq.DeviceModel = model;
        state.vq.PanelSlot = 0;
        const std::size_t before = dialogs.msgBoxes().size();
        const int shown = menuShown;
        FrmTuner p(ctx, [this] { ++menuShown; });
        p.Load();
        ASSERT_EQ(dialogs.msgBoxes().size(), before + 1);
        EXPECT_EQ(dialogs.msgBoxes().back().text, "QOR model does not have tuner capabilities...");
        EXPECT_EQ(dialogs.msgBoxes().back().icon, ui::MsgIcon::Critical);
        EXPECT_TRUE(p.isUnloaded());
        EXPECT_EQ(menuShown, shown + 1);
        EXPECT_EQ(state.vq.PanelSlot, 1);  // the slot stays taken
        EXPECT_EQ(link.rdsLine(), nullptr);
    }
    EXPECT_TRUE(sentSince(0).empty());
}

TEST_F(TunerPanelTest, OpeningReadsTheStateTwiceAndMarksThePresetHoldingTheFrequency) {
    setTuner(Mhz(98, 5), {{3, Mhz(98, 5)}, {5, Mhz(98, 5)}});
    auto p = loaded();
    // The box starts with nothing chosen, so the first reading's "High" is sent back.
    Commands expected = StateReads(3);
    expected.push_back(cmd::TunSens(1));
    for (const auto& s : StateReads(3)) expected.push_back(s);
    EXPECT_EQ(sentSince(0, expected.size()), expected);
    EXPECT_EQ(p->Label9.Caption(), "98.5");
    EXPECT_DOUBLE_EQ(p->Shape1.Left(), p->Image1.Left() + 8200 * 0.441107185);
    EXPECT_EQ(p->Labelpresetname.Caption(), "Station 3...");

    // No preset holds the next frequency: the marker stays, as does the name.
    const double left = p->Shape1.Left();
    const std::size_t from = mark();
    p->Image3_Click();
    EXPECT_EQ(sentSince(from, 1)[0], cmd::TunStep(1));
    EXPECT_EQ(p->Label9.Caption(), "98.6");
    EXPECT_DOUBLE_EQ(p->Shape1.Left(), left);
    EXPECT_TRUE(p->Shape1.Visible());
}

// No read here gets an answer, so every one waits out its window: the short one.
class BrokenDeviceTunerPanelTest : public TunerPanelTest {
  protected:
    BrokenDeviceTunerPanelTest() : TunerPanelTest(test::kSilencePoll) {}
};

TEST_F(BrokenDeviceTunerPanelTest, ABrokenOrMissingDeviceLeavesTheReadingsAsTheyWere) {
    struct Case {
        const char* what;
        sim::Misbehaviour m;
        int port;
    };
    sim::Misbehaviour silent = Device(true), garbage = Device(), unended = Device();
    garbage.garbage = true;
    unended.noClosingSemicolon = true;
    for (const Case& c : {Case{"silent", silent, 1}, Case{"garbage", garbage, 1},
                          Case{"no closing ;", unended, 1}, Case{"no port", Device(), 2}}) {
        SCOPED_TRACE(c.what);
        comm.setPortOpen(false);
        comm.setCommPort(c.port);
        sim.setMisbehaviour(c.m);
        auto p = loaded();
        EXPECT_TRUE(p->Shape2.Visible());  // it opens all the same
        p->Label12.setCaption("status");
        p->Timer1_Timer();
        EXPECT_TRUE(p->Label9.Visible());
        EXPECT_EQ(p->Label9.Caption(), "");
        // A command that cannot be written hides the sensitivity box and clears the status.
        EXPECT_EQ(p->Combo1.Visible(), c.port == 1);
        EXPECT_EQ(p->Label12.Caption(), c.port == 1 ? "status" : "");
        EXPECT_TRUE(dialogs.msgBoxes().empty());
    }
}

TEST_F(TunerPanelTest, SensitivityAnswerSelectsTheBoxAndOnlyMidReadsBack) {
    setTuner(Mhz(88, 8), {}, 2);
    auto p = loaded();
    // The device said Mid: the box followed, sent it back once and read the state inside.
    Commands expected = StateReads(1);
    expected.push_back(cmd::TunSens(2));
    for (int i = 0; i < 2; ++i)
        for (const auto& s : StateReads(1)) expected.push_back(s);
    EXPECT_EQ(sentSince(0, expected.size()), expected);
    EXPECT_EQ(p->Combo1.Text(), "Mid");
    EXPECT_EQ(state.vq.TunerSensitivity, "Mid");

    for (int index : {0, 2, 1}) {
        SCOPED_TRACE(index);
        const std::size_t from = mark();
        p->Combo1.setListIndex(index);
        Commands want{cmd::TunSens(index + 1)};
        if (index == 1) {
            for (const auto& s : StateReads(1)) want.push_back(s);
        }
        EXPECT_EQ(sentSince(from, want.size()), want);
        EXPECT_EQ(state.vq.TunerSensitivity, p->Combo1.Text());
    }
}

TEST_F(TunerPanelTest, RdsTextShowsAtOnceOrScrollsOneStepASecond) {
    auto p = loaded();
    std::vector<std::string> steps;
    clock.onWait = [&] {
        steps.push_back(p->Label1.Caption());
        EXPECT_FALSE(p->Timer1.Enabled());
        EXPECT_FALSE(p->Timer2.Enabled());
    };

    arrive("*RT,TUN,RDS,TXT,JAZZ FM;");
    EXPECT_EQ(p->ReceiveRDS(), "?");
    EXPECT_EQ(p->Label1.Caption(), "JAZZ FM");
    EXPECT_TRUE(steps.empty());

    const std::string t = "ABCDEFGHIJKLMNOPQRST";
    arrive("*RT,TUN,RDS,TXT," + t + ";");
    EXPECT_EQ(p->ReceiveRDS(), "?");
    ASSERT_EQ(steps.size(), 19u);
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(steps[k], t.substr(k + 1, 15)) << k;
    for (std::size_t k = 5; k < 19; ++k) EXPECT_EQ(steps[k], t.substr(6)) << k;
    EXPECT_EQ(p->Label1.Caption(), "");
    EXPECT_TRUE(p->Timer1.Enabled());
    EXPECT_TRUE(p->Timer2.Enabled());

    // A broken device's endless field is cut to a radio text's 64 characters.
    steps.clear();
    arrive("*RT,TUN,RDS,TXT," + std::string(300, 'X') + ";");
    EXPECT_EQ(p->ReceiveRDS(), "?");
    EXPECT_EQ(steps.size(), 63u);

    // Input without RDS is drained and dropped.
    arrive("*RT,VOL,1,40;");
    EXPECT_EQ(p->ReceiveRDS(), "*RT,VOL,1,40;");
    EXPECT_EQ(comm.InBufferCount(), 0);
}

TEST_F(TunerPanelTest, PresetKeyDuringAScrollStopsItAndSelectsThePreset) {
    setTuner(Mhz(88, 8), {{2, Mhz(101, 2)}});
    auto p = loaded();
    int waits = 0;
    clock.onWait = [&] {
        if (++waits == 3) p->Label3_MouseDown(ui::kLeftButton, 0, 0, 0);
    };
    const std::string record = "*RT,TUN,RDS,TXT,A RADIO TEXT OF SOME LENGTH;";
    arrive(record);
    EXPECT_EQ(p->ReceiveRDS(), record);
    EXPECT_EQ(waits, 3);
    EXPECT_EQ(p->Label1.Caption(), "");
    EXPECT_TRUE(p->Timer1.Enabled());
    EXPECT_TRUE(p->Timer2.Enabled());
    EXPECT_EQ(state.vq.CurrentPreset, 2);
    EXPECT_EQ(p->Label9.Caption(), "101.2");
    EXPECT_EQ(p->Labelpresetname.Caption(), "Station 2...");
    EXPECT_DOUBLE_EQ(p->Shape1.Left(), p->Image1.Left() + 8200 * 0.395759717);
}

TEST_F(TunerPanelTest, LinkShowsRdsOnThePanelOnlyWhileItIsLoaded) {
    auto p = loaded();
    {
        Responder device(sim);
        device.answer(cmd::TunFreqRead(), "*RT,TUN,RDS,TXT,NEWS;");
        link.SendMessage(cmd::TunFreqRead());
        EXPECT_EQ(link.ReceiveMessage(), "?");
    }
    EXPECT_EQ(p->Label1.Caption(), "NEWS");

    p->Image4_Click();  // close
    EXPECT_TRUE(p->isUnloaded());
    EXPECT_EQ(link.rdsLine(), nullptr);  // from now on RDS text is dropped
}

TEST_F(TunerPanelTest, SearchHidesTheMarkerAndTheNextTickFindsTheStation) {
    setTuner(Mhz(90, 0), {{4, Mhz(91, 7)}});
    auto p = loaded();
    const std::size_t from = mark();
    p->Picture3_Click();
    EXPECT_FALSE(p->Shape1.Visible());
    EXPECT_EQ(p->Label14.Caption(), "");
    p->Timer1_Timer();
    EXPECT_EQ(sentSince(from, 1)[0], cmd::TunSearch(1));
    EXPECT_EQ(p->Label9.Caption(), "91.7");
    EXPECT_TRUE(p->Shape1.Visible());
    EXPECT_EQ(p->Labelpresetname.Caption(), "Station 4...");
    EXPECT_EQ(p->Timer2.Interval(), 500);
}

// The device and the name are stored whatever becomes of user.ini; only a user.ini that cannot
// be rewritten is reported.
TEST_F(TunerPanelTest, StoreNamesThePresetAndRewritesItsKeysInUserIni) {
    enum Ini { kNone, kFile, kFolder };
    struct Case {
        Ini userIni;
        std::string before;
        std::string after;
    };
    for (const Case& c :
         {Case{kFile, "[TUNER]\r\nPreset4_Freq=88.8\r\nPreset4_Name=Old\r\nZone=1\r\n",
               "[TUNER]\r\nPreset4_Freq=104.8\r\nPreset4_Name=Jazz\r\nZone=1\r\n"},
          Case{kFile, "[TUNER]\r\n", "[TUNER]\r\nPreset4_Freq=104.8\r\nPreset4_Name=Jazz\r\n"},
          Case{kNone, "", ""}, Case{kFolder, "", ""}}) {
        SCOPED_TRACE(c.before);
        state.vq.PresetName[4] = "Station 4";
        std::filesystem::remove_all(folder / "user.ini");
        if (c.userIni == kFile) std::ofstream(folder / "user.ini", std::ios::binary) << c.before;
        if (c.userIni == kFolder) std::filesystem::create_directory(folder / "user.ini");
        setTuner(Mhz(104, 8));
        auto p = loaded();
        p->Label5_MouseDown(ui::kRightButton, 0, 0, 0);
        EXPECT_TRUE(p->Text1.Visible());
        EXPECT_EQ(p->Text1.Text(), "Station 4");
        for (int i = 0; i < 6; ++i) EXPECT_EQ(p->Line1(i).Visible(), i == 3) << i;

        const std::size_t from = mark(), told = dialogs.msgBoxes().size();
        p->Text1.setText("Jazz");
        p->Command2_Click();
        EXPECT_EQ(sentSince(from, 1), Commands{cmd::TunMem(4)});
        EXPECT_EQ(state.vq.PresetName[4], "Jazz");
        EXPECT_EQ(std::filesystem::exists(folder / "user.ini"), c.userIni != kNone);
        if (c.userIni == kFile) {
            EXPECT_EQ(readFile("user.ini"), c.after);
            EXPECT_EQ(readFile("user.tus"), c.after);
        }
        EXPECT_EQ(sim.state().presets[4].mhz, 104);
        ASSERT_EQ(dialogs.msgBoxes().size(), told + (c.userIni == kFolder ? 1 : 0));
        if (c.userIni == kFolder) {
            EXPECT_NE(dialogs.msgBoxes().back().text.find("user.ini"), std::string::npos);
        }
    }
}

TEST_F(TunerPanelTest, DragByTheHintLineMovesEverythingAndShowsOnlyWhatWasShown) {
    auto p = loaded();
    p->Label3_MouseDown(ui::kRightButton, 0, 0, 0);  // editor open at key 2
    const double lineX = p->Line1(1).X1(), keyLeft = p->Label3.Left();

    p->Label13_MouseDown(ui::kLeftButton, 0, 100, 100);
    EXPECT_FALSE(p->Label13.Visible());
    EXPECT_FALSE(p->Line1(1).Visible());
    EXPECT_FALSE(p->Timer1.Enabled());
    EXPECT_FALSE(p->Timer2.Enabled());
    p->Image1.Move(p->Image1.Left() + 300, p->Image1.Top() + 150);  // where the pointer took it
    p->Label13_MouseUp(ui::kLeftButton, 0, 0, 0);

    EXPECT_TRUE(p->Label13.Visible());
    EXPECT_TRUE(p->Timer1.Enabled());
    EXPECT_TRUE(p->Timer2.Enabled());
    EXPECT_DOUBLE_EQ(p->Label3.Left(), keyLeft + 300);
    EXPECT_DOUBLE_EQ(p->Line1(1).X1(), lineX + 300);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(p->Line1(i).Visible(), i == 1) << i;
}

TEST_F(TunerPanelTest, MinimiseOnTheLeftButtonAndStayOnTopOnTheOthers) {
    auto p = loaded();
    p->Show();
    dialogs.queueAnswer(ui::MsgAnswer::Yes);
    p->Image5_MouseDown(ui::kRightButton, 0, 0, 0);
    EXPECT_EQ(dialogs.msgBoxes().back().title, "Stay on top");
    EXPECT_TRUE(p->TopMost());
    dialogs.queueAnswer(ui::MsgAnswer::Cancel);
    p->Image5_MouseDown(ui::kMiddleButton, 0, 0, 0);
    EXPECT_FALSE(p->TopMost());
    p->Image5_MouseDown(ui::kLeftButton, 0, 0, 0);
    EXPECT_EQ(p->windowState(), ui::WindowState::Minimized);
}

TEST_F(TunerPanelTest, TheProgramOpensOnePanelAndShowingItAgainOnlyBringsItForward) {
    ProgramOptions options;
    options.programDir = folder.path();
    options.portMapper = [this](int port) { return portPath(port); };
    options.pollTime = kTestPoll;
    options.dialogs = &dialogs;
    Program program(std::move(options));
    program.state().vq.DeviceModel = "QOR 82";
    program.state().vq.ScreenHeightTw = 100000;

    program.ShowTuner();
    FrmTuner* first = program.tuner();
    ASSERT_NE(first, nullptr);
    const std::size_t from = mark();
    program.ShowTuner();
    EXPECT_EQ(program.tuner(), first);
    EXPECT_EQ(program.state().vq.PanelSlot, 1);
    EXPECT_TRUE(sentSince(from).empty());

    first->Image4_Click();
    ui::DoEvents();
    EXPECT_EQ(program.tuner(), nullptr);
}

}  // namespace
}  // namespace qor
