// The zone panels against the simulated amplifier over a real pseudo-terminal, drawn offscreen.
#include "zones/zone_panel.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "link/commands.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"
#include "platform/ui/translucency.h"
#include "simamp.h"

namespace qor {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Commands = std::vector<std::string>;

// 2 us a poll: a silent wait takes 64 ms here; the count stays 32,000.
constexpr auto kTestPoll = std::chrono::microseconds(2);
// The device answers this long after a command, well inside that wait, so a busy test machine
// that is slow to empty the input between a command and its read does not lose the answer.
constexpr auto kTurnaround = 8ms;

sim::Misbehaviour Normal() {
    sim::Misbehaviour m;
    m.turnaroundUs = static_cast<int>(std::chrono::microseconds(kTurnaround).count());
    return m;
}

const QColor kMarkerOn(128, 128, 255);
const QColor kMarkerOff(224, 224, 224);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// A fresh program folder holding the artwork, removed afterwards.
class ProgramFolder {
  public:
    ProgramFolder() {
        std::string name = (fs::temp_directory_path() / "qor-zones-XXXXXX").string();
        if (!::mkdtemp(name.data())) return;
        path_ = name;
        for (const auto& entry : fs::directory_iterator(QOR_ASSETS_DIR)) {
            if (entry.is_regular_file() && entry.path().extension() != ".md") {
                fs::copy_file(entry.path(), path_ / entry.path().filename());
            }
        }
    }
    ~ProgramFolder() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::string operator/(const char* name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

// Stands in for the device's answers: a text given for a command is sent the next time that
// command arrives; every other read gets the simulator's own answer.
class Responder {
  public:
    explicit Responder(sim::SimAmp& sim) : sim_(sim), seen_(sim.log().size()) {
        sim::Misbehaviour silent;
        silent.silent = true;
        sim_.setMisbehaviour(silent);
        thread_ = std::thread([this] { run(); });
    }
    ~Responder() {
        stop_ = true;
        thread_.join();
        sim_.setMisbehaviour(Normal());
    }
    // "" answers nothing at all.
    void answer(const std::string& command, std::string text) {
        std::lock_guard lock(mu_);
        given_[command].push_back(std::move(text));
    }

  private:
    void run() {
        while (!stop_) {
            if (!sim_.waitForLog(seen_ + 1, 20)) continue;
            const Commands log = sim_.log();
            for (; seen_ < log.size(); ++seen_) {
                std::string text;
                {
                    std::lock_guard lock(mu_);
                    auto it = given_.find(log[seen_]);
                    if (it != given_.end() && !it->second.empty()) {
                        text = it->second.front();
                        it->second.pop_front();
                    } else {
                        sim::DeviceState s = sim_.state();
                        text = sim::Answer(s, log[seen_]);
                    }
                }
                if (text.empty()) continue;
                // As a device would: after the program has emptied its input.
                std::this_thread::sleep_for(kTurnaround);
                sim_.sendRaw(text);
            }
        }
    }

    sim::SimAmp& sim_;
    std::size_t seen_;
    std::atomic<bool> stop_{false};
    std::mutex mu_;
    std::map<std::string, std::deque<std::string>> given_;
    std::thread thread_;
};

// A clock whose seconds pass in a few real milliseconds, so a scroll step still gives the
// refresh timer time to fall due before the yield.
class QuickClock : public LinkClock {
  public:
    std::chrono::system_clock::time_point now() override { return t; }
    void sleepUntil(std::chrono::system_clock::time_point until) override {
        std::this_thread::sleep_for(3ms);
        if (until > t) t = until;
    }
    std::chrono::system_clock::time_point t = std::chrono::system_clock::time_point{} + 1000h;
};

class RdsLabel : public RdsLine {
  public:
    void setVisible(bool) override {}
    std::string caption() const override { return text; }
    void setCaption(const std::string& t) override { text = t; }
    void refresh() override {}
    std::string text;
};

class ZonePanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sim.start());
        sim.setMisbehaviour(Normal());
        ASSERT_FALSE(folder.path().empty());
        for (int z = 1; z <= 4; ++z) state.vq.ZoneName[z] = "Zone " + std::to_string(z);
        state.vq.DeviceModel = "QOR 82";
    }

    std::unique_ptr<ZonePanel> loaded(int zone) {
        auto panel = std::make_unique<ZonePanel>(ctx, zone);
        panel->Load();
        return panel;
    }

    void setZone(int z, bool on, int volume, int bass, int treble, int source) {
        sim::DeviceState s = sim.state();
        s.zones[z].on = on;
        s.zones[z].volume = volume;
        s.zones[z].bass = bass;
        s.zones[z].treble = treble;
        s.zones[z].source = source;
        sim.setState(s);
    }

    std::size_t mark() const { return sim.log().size(); }

    // What was sent from `from` on, once `count` commands are there and the line is quiet.
    Commands sentSince(std::size_t from, std::size_t count) {
        sim.waitForLog(from + count, 2000);
        std::this_thread::sleep_for(30ms);
        const Commands log = sim.log();
        return Commands(log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())),
                        log.end());
    }

    static Commands Reads(int z) {
        return {cmd::RdOn(z), cmd::RdVol(z), cmd::RdLow(z), cmd::RdHigh(z), cmd::RdSrc(z)};
    }

    sim::SimAmp sim;
    ProgramFolder folder;
    SharedState state;
    MSComm comm{[this](int port) { return port == 1 ? sim.devicePath() : "/nonexistent/qor-port"; },
                kTestPoll};
    Link link{comm, state};
    ui::ScriptedDialogs dialogs;
    int quits = 0;
    Context ctx{state, comm, link, dialogs, folder.path(), [this] { ++quits; }};
};

// --- the window ---------------------------------------------------------------------------

TEST_F(ZonePanelTest, EachZoneLoadsAsItsOwnWindow) {
    const char* names[] = {"", "FrmZone_1", "Frmzone_2", "FrmZone_3", "FrmZone_4"};
    for (int z = 1; z <= 4; ++z) {
        SCOPED_TRACE(z);
        auto panel = loaded(z);
        panel->Show();
        EXPECT_EQ(panel->Name(), names[z]);
        EXPECT_EQ(panel->Caption(), "Amplification in Zone " + std::to_string(z));
        EXPECT_EQ(panel->Text4 != nullptr, z == 1);
        EXPECT_EQ(panel->Label3 != nullptr, z != 1);
        EXPECT_EQ(panel->windowState(), ui::WindowState::Maximized);
        EXPECT_TRUE(panel->hasColourKey());
        EXPECT_EQ(panel->colourKey(), QColor(0, 0, 255));
        EXPECT_TRUE(panel->Timer1->Enabled());
        EXPECT_EQ(panel->Timer1->Interval(), 2500);
        EXPECT_FALSE(panel->Label16->Visible());
        EXPECT_TRUE(panel->Image2->Visible());
        EXPECT_TRUE(panel->Image2->Enabled());
        EXPECT_TRUE(panel->Shape5->Visible());
        EXPECT_EQ(z == 1 ? panel->Text4->Text() : panel->Label3->Caption(), "Tuner / Aux");
    }
    EXPECT_TRUE(sentSince(0, 0).empty());
    EXPECT_TRUE(dialogs.msgBoxes().empty());
}

TEST_F(ZonePanelTest, LoadOnTheModelWithoutTunerOffersAuxOnly) {
    state.vq.DeviceModel = "qor 81";
    state.vq.ZoneOn[1] = true;
    auto one = loaded(1);
    EXPECT_FALSE(one->Image2->Visible());
    EXPECT_FALSE(one->Image2->Enabled());
    EXPECT_FALSE(one->Text4->Enabled());
    EXPECT_EQ(one->Text4->Text(), "        Aux");
    // Zone 1 is on, so the load selects Aux.
    EXPECT_TRUE(one->Shape5->Visible());
    EXPECT_FALSE(one->Shape4->Visible());
    EXPECT_EQ(sentSince(0, 1), Commands{cmd::Src(1, 1)});

    auto two = loaded(2);
    EXPECT_TRUE(two->Label3->Enabled());
    EXPECT_EQ(two->Label3->Caption(), "        Aux");
    EXPECT_FALSE(two->Shape4->Visible());
    EXPECT_FALSE(two->Shape5->Visible());
    EXPECT_EQ(sentSince(0, 1), Commands{cmd::Src(1, 1)});
}

TEST_F(ZonePanelTest, StacksBySlotAndStartsAgainPastTheScreen) {
    const double h = ZonePanel(ctx, 3).Image1->Height();
    ASSERT_GT(h, 0);
    struct Case {
        int slot;
        int32_t screen;
        double movedBy;
        int slotAfter;
    };
    const Case cases[] = {
        {2, 100000, 2 * h, 2},
        {2, static_cast<int32_t>(2 * h) - 1, h, 1},  // two skins would pass the screen
        {3, 0, h, 1},                                // zone 1 has not measured the screen yet
        {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        state.vq.PanelSlot = static_cast<int16_t>(c.slot);
        state.vq.ScreenHeightTw = c.screen;
        auto panel = loaded(3);
        EXPECT_DOUBLE_EQ(panel->Image1->Top(), c.movedBy);
        EXPECT_DOUBLE_EQ(panel->Picture1->Top(), 540 + c.movedBy);
        EXPECT_DOUBLE_EQ(panel->iKnobX31->Top(), 330 + c.movedBy);
        EXPECT_DOUBLE_EQ(panel->Label16->Top(), 1080);
        EXPECT_EQ(state.vq.PanelSlot, c.slotAfter);
        EXPECT_EQ(state.vq.ScreenHeightTw, c.screen);
    }

    // Zone 1 stacks by the old height, then measures the screen for everyone after it.
    state.vq.PanelSlot = 2;
    state.vq.ScreenHeightTw = 0;
    auto one = loaded(1);
    EXPECT_DOUBLE_EQ(one->Image1->Top(), h);
    EXPECT_EQ(state.vq.ScreenHeightTw, std::lround(ui::ScreenHeightTwips()));
    EXPECT_GT(state.vq.ScreenHeightTw, 0);

    // Shown again while loaded: no second load, no move.
    one->Show();
    state.vq.PanelSlot = 3;
    one->Show();
    EXPECT_DOUBLE_EQ(one->Image1->Top(), h);
}

TEST_F(ZonePanelTest, DragHidesTheControlsStopsTheTimerAndShiftsEverythingOnRelease) {
    state.vq.DeviceModel = "QOR 81";  // the Tuner button is hidden before the drag
    auto panel = loaded(3);
    panel->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel->widget()));
    const double pictureLeft = panel->Picture1->Left();
    const double pictureTop = panel->Picture1->Top();
    const double tunerLeft = panel->Image2->Left();
    const double skinLeft = panel->Image1->Left();

    // Any button starts a drag.
    QTest::mousePress(panel->Image1->widget(), Qt::RightButton, {}, QPoint(30, 20));
    EXPECT_EQ(state.vq.DragActive, 1);
    EXPECT_FALSE(panel->Timer1->Enabled());
    EXPECT_TRUE(panel->Label16->Visible());
    EXPECT_EQ(panel->Label16->Caption(),
              "To re-locate this control panel : move mouse to the new position and release it ");
    EXPECT_DOUBLE_EQ(panel->Label16->Left(), panel->ScaleWidth() / 2);
    EXPECT_DOUBLE_EQ(panel->Label16->Top(), 0);
    EXPECT_FALSE(panel->Picture1->Visible());
    EXPECT_FALSE(panel->iKnobX31->Visible());
    EXPECT_TRUE(panel->Image1->Visible());
    const auto& hidden = state.iv.HiddenCtlNames;
    EXPECT_EQ(std::count(hidden.begin(), hidden.end(), "IMAGE2"), 0);
    EXPECT_EQ(std::count(hidden.begin(), hidden.end(), "PICTURE1"), 1);

    // The pointer moves 20 pixels right and 10 down; the skin follows it.
    const QPoint start = panel->Image1->widget()->mapToGlobal(QPoint(30, 20));
    QCursor::setPos(start + QPoint(20, 10));
    panel->Image1_MouseMove(ui::kRightButton, 0, 0, 0);
    const double dx = panel->Image1->Left() - skinLeft;
    EXPECT_NEAR(dx, 20 * ui::TwipsPerPixelX(), 1);

    QTest::mouseRelease(panel->Image1->widget(), Qt::RightButton, {}, QPoint(50, 30));
    EXPECT_EQ(state.vq.DragActive, 0);
    EXPECT_TRUE(panel->Timer1->Enabled());
    EXPECT_FALSE(panel->Label16->Visible());
    EXPECT_TRUE(panel->Picture1->Visible());
    EXPECT_TRUE(panel->iKnobX31->Visible());
    EXPECT_FALSE(panel->Image2->Visible());
    EXPECT_NEAR(panel->Picture1->Left(), pictureLeft + dx, 1);
    EXPECT_NEAR(panel->Picture1->Top(), pictureTop + 10 * ui::TwipsPerPixelY(), 1);
    EXPECT_NEAR(panel->Image2->Left(), tunerLeft + dx, 1);
    EXPECT_NEAR(panel->Label16->Left(), panel->ScaleWidth() / 2 + dx, 1);
}

TEST_F(ZonePanelTest, MinimiseKeepsRefreshingAndCloseUnloadsSilently) {
    state.vq.ZoneOn[2] = true;
    auto panel = loaded(2);
    panel->Show();
    int unloaded = 0;
    panel->onUnloaded = [&](ui::Form&) { ++unloaded; };

    panel->Image3_Click();
    EXPECT_EQ(panel->windowState(), ui::WindowState::Minimized);
    EXPECT_TRUE(panel->isLoaded());
    EXPECT_TRUE(panel->Timer1->Enabled());

    const std::size_t from = mark();
    panel->Image4_Click();
    EXPECT_TRUE(panel->isUnloaded());
    QTest::qWait(20);
    EXPECT_EQ(unloaded, 1);
    EXPECT_TRUE(sentSince(from, 0).empty());
    EXPECT_TRUE(state.vq.ZoneOn[2]);
}

TEST_F(ZonePanelTest, OnlyZoneTwoRefreshesWhenActivated) {
    setZone(2, false, 40, 0, 0, 1);
    setZone(3, false, 40, 0, 0, 1);
    auto three = loaded(3);
    three->Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(three->widget(), 1000));
    QTest::qWait(100);
    EXPECT_TRUE(sentSince(0, 0).empty());

    auto two = loaded(2);
    two->Show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.log().empty(); }, 1000));
    EXPECT_EQ(sentSince(0, 2), (Commands{cmd::RdOn(2), cmd::RdSrc(2)}));
}

// --- the refresh --------------------------------------------------------------------------

TEST_F(ZonePanelTest, RefreshOfAZoneThatIsOnShowsItsLevelsSourceAndOnLook) {
    setZone(1, true, 40, -5, 3, 2);
    state.vq.ZoneName[1] = "Living room";
    auto panel = loaded(1);
    panel->RefreshZone(1);

    EXPECT_TRUE(state.vq.ZoneOn[1]);
    EXPECT_EQ(state.vq.ZoneImgPath[1], folder / "Ampli31.gif");
    EXPECT_EQ(panel->Label1->Caption(), "Living room");
    EXPECT_EQ(panel->iKnobX31->Position(), 40);
    EXPECT_EQ(panel->iKnobX11->Position(), -5);
    EXPECT_EQ(panel->iKnobX21->Position(), 3);
    for (auto* knob : {panel->iKnobX11, panel->iKnobX21, panel->iKnobX31}) {
        EXPECT_TRUE(knob->Visible());
    }
    EXPECT_TRUE(panel->Image2->Visible());
    EXPECT_TRUE(panel->Image5->Visible());
    EXPECT_TRUE(panel->Shape4->Visible());
    EXPECT_EQ(panel->Shape4->fillStyle(), ui::FillStyle::Solid);
    EXPECT_FALSE(panel->Shape5->Visible());
    EXPECT_EQ(panel->Shape5->fillStyle(), ui::FillStyle::Transparent);
    EXPECT_EQ(panel->Shape4->FillColor(), kMarkerOn);
    EXPECT_EQ(panel->Image1->PictureFile(), folder / "Ampli31.gif");
    EXPECT_EQ(panel->Image4->PictureFile(), folder / "close.ico");
    EXPECT_EQ(panel->Picture1->PictureFile(), folder / "knopon2.ico");
    EXPECT_EQ(panel->Label1->BackColor(), ui::SysColor(7));
    EXPECT_EQ(panel->Label1->ForeColor(), kWhite);
    EXPECT_EQ(panel->Text4->BackColor(), ui::SysColor(17));
    EXPECT_EQ(panel->Text4->ForeColor(), kBlack);
    EXPECT_EQ(panel->Text2->BackColor(), ui::SysColor(17));

    // With the knobs in step with the device, a refresh is just the five reads.
    const std::size_t from = mark();
    panel->RefreshZone(1);
    EXPECT_EQ(sentSince(from, 5), Reads(1));
}

TEST_F(ZonePanelTest, RefreshOfAZoneThatIsOffFadesThePanel) {
    auto one = loaded(1);
    auto two = loaded(2);
    for (int z : {1, 2}) {
        setZone(z, true, 0, 0, 0, 2);
        (z == 1 ? one : two)->RefreshZone(z);
        setZone(z, false, 0, 0, 0, 3);  // a source the panel does not know
    }
    for (int z : {1, 2}) {
        SCOPED_TRACE(z);
        ZonePanel& panel = z == 1 ? *one : *two;
        const std::size_t from = mark();
        panel.RefreshZone(z);
        EXPECT_EQ(sentSince(from, 2), (Commands{cmd::RdOn(z), cmd::RdSrc(z)}));
        EXPECT_FALSE(state.vq.ZoneOn[z]);
        EXPECT_EQ(state.vq.ZoneImgPath[z], folder / "Ampli31_faded.gif");
        for (auto* control : std::initializer_list<ui::Control*>{
                 panel.iKnobX11, panel.iKnobX21, panel.iKnobX31, panel.Image2, panel.Image5}) {
            EXPECT_FALSE(control->Visible()) << control->Name();
        }
        EXPECT_EQ(panel.Image1->PictureFile(), folder / "Ampli31_faded.gif");
        EXPECT_EQ(panel.Image4->PictureFile(), folder / "close2.ico");
        EXPECT_EQ(panel.Picture1->PictureFile(), folder / "knopon2_faded.gif");
        EXPECT_EQ(panel.Label1->BackColor(), ui::SysColor(11));
        EXPECT_EQ(panel.Label1->ForeColor(), kWhite);
        EXPECT_EQ(panel.Text1->BackColor(), kWhite);
        EXPECT_EQ(panel.Shape4->FillColor(), kMarkerOff);
    }
    // Zone 1 leaves the markers to the source read; the others hide both first.
    EXPECT_TRUE(one->Shape4->Visible());
    EXPECT_FALSE(two->Shape4->Visible());
    EXPECT_FALSE(two->Shape5->Visible());
    EXPECT_EQ(one->Text4->BackColor(), kWhite);
    EXPECT_EQ(one->Text4->ForeColor(), ui::SysColor(17));
    EXPECT_EQ(two->Label3->BackColor(), kWhite);
    EXPECT_EQ(two->Label3->ForeColor(), ui::SysColor(17));

    setZone(2, false, 0, 0, 0, 1);
    two->RefreshZone(2);
    EXPECT_TRUE(two->Shape5->Visible());
    EXPECT_EQ(two->Shape5->fillStyle(), ui::FillStyle::Solid);
}

TEST_F(ZonePanelTest, OnOffAnswerThatIsNeitherEndsTheRefreshAfterTheNamePlate) {
    setZone(1, true, 0, 0, 0, 1);
    auto panel = loaded(1);
    panel->RefreshZone(1);
    Responder device(sim);
    const int loads = panel->Image1->PictureLoads();
    for (const char* answer : {"*RT,ON,2;", "RT,ON,1;", "*RT,TUN,RDS,TXT,JAZZ;", ""}) {
        SCOPED_TRACE(answer);
        state.vq.ZoneName[1] = std::string("Den ") + answer;
        panel->Image4->setVisible(false);
        device.answer(cmd::RdOn(1), answer);
        const std::size_t from = mark();
        panel->RefreshZone(1);
        EXPECT_EQ(sentSince(from, 1), Commands{cmd::RdOn(1)});
        EXPECT_EQ(panel->Label1->Caption(), state.vq.ZoneName[1]);
        EXPECT_TRUE(panel->Image4->Visible());
        EXPECT_TRUE(state.vq.ZoneOn[1]);
        EXPECT_TRUE(panel->iKnobX31->Visible());
        EXPECT_EQ(panel->Image1->PictureLoads(), loads);
    }
}

TEST_F(ZonePanelTest, LevelAnswersSetTheKnobsOnlyWhenNumeric) {
    setZone(1, true, 40, -5, 0, 1);
    auto panel = loaded(1);
    Responder device(sim);
    device.answer(cmd::RdVol(1), "*RT,VOL,1,40;*RT,LOW,1,3;");  // picked by its key
    device.answer(cmd::RdLow(1), "*RT,VOL,1,40;*RT,LOW,1,-5;");
    device.answer(cmd::RdHigh(1), "*RT,HIGH,1,abc;");
    panel->iKnobX21->setVisible(false);
    panel->RefreshZone(1);
    EXPECT_EQ(panel->iKnobX31->Position(), 40);
    EXPECT_EQ(panel->iKnobX11->Position(), -5);
    EXPECT_EQ(panel->iKnobX21->Position(), 0);
    EXPECT_TRUE(panel->iKnobX21->Visible());

    // Beyond 16 bits, or empty: as good as no answer.
    device.answer(cmd::RdVol(1), "*RT,VOL,1,70000;");
    device.answer(cmd::RdLow(1), "*RT,LOW,1,;");
    device.answer(cmd::RdHigh(1), "*RT,HIGH,1,4;");
    panel->RefreshZone(1);
    EXPECT_EQ(panel->iKnobX31->Position(), 40);
    EXPECT_EQ(panel->iKnobX11->Position(), -5);
    EXPECT_EQ(panel->iKnobX21->Position(), 4);
}

TEST_F(ZonePanelTest, SourceAnswerMovesTheMarkers) {
    setZone(3, true, 0, 0, 0, 1);
    auto panel = loaded(3);
    Responder device(sim);
    struct Case {
        const char* answer;
        bool tuner;
    };
    for (const Case& c :
         {Case{"*RT,SRC,3,2;", true}, Case{"*RT,SRC,3,3;", true}, Case{"*RT,SRC,3,1;", false},
          Case{"*RT,SRC,3,x;", false}, Case{"*RT,SRC,3,2;", true}}) {
        SCOPED_TRACE(c.answer);
        device.answer(cmd::RdSrc(3), c.answer);
        panel->RefreshZone(3);
        EXPECT_EQ(panel->Shape4->Visible(), c.tuner);
        EXPECT_EQ(panel->Shape5->Visible(), !c.tuner);
        EXPECT_EQ(panel->Shape4->fillStyle(),
                  c.tuner ? ui::FillStyle::Solid : ui::FillStyle::Transparent);
        EXPECT_EQ(panel->Shape5->fillStyle(),
                  c.tuner ? ui::FillStyle::Transparent : ui::FillStyle::Solid);
    }
}

TEST_F(ZonePanelTest, PicturesAreReadOnceWhileOnAndOnEveryRefreshWhileOff) {
    auto panel = loaded(4);
    auto loads = [&] {
        return std::array<int, 3>{panel->Image1->PictureLoads(), panel->Image4->PictureLoads(),
                                  panel->Picture1->PictureLoads()};
    };
    auto added = [&](const std::array<int, 3>& before) {
        const auto now = loads();
        return std::array<int, 3>{now[0] - before[0], now[1] - before[1], now[2] - before[2]};
    };
    setZone(4, true, 0, 0, 0, 1);
    auto before = loads();
    for (int i = 0; i < 3; ++i) panel->RefreshZone(4);
    EXPECT_EQ(added(before), (std::array<int, 3>{1, 1, 1}));

    setZone(4, false, 0, 0, 0, 1);
    before = loads();
    panel->RefreshZone(4);
    EXPECT_EQ(added(before), (std::array<int, 3>{2, 2, 2}));
    before = loads();
    panel->RefreshZone(4);
    panel->RefreshZone(4);
    EXPECT_EQ(added(before), (std::array<int, 3>{2, 2, 2}));
}

// The zone's last skin outlives its panel, so a panel opened again on a lit zone must already
// show the lit pictures: the refresh will not load them a second time.
TEST_F(ZonePanelTest, PanelOpenedAgainOnAZoneThatIsOnShowsTheOnPictures) {
    setZone(1, true, 0, 0, 0, 1);
    auto first = loaded(1);
    first->RefreshZone(1);
    first->Image4_Click();
    first.reset();

    auto again = loaded(1);
    again->RefreshZone(1);
    EXPECT_EQ(state.vq.ZoneImgPath[1], folder / "Ampli31.gif");
    EXPECT_EQ(again->Image1->PictureFile(), folder / "Ampli31.gif");
    EXPECT_EQ(again->Image4->PictureFile(), folder / "close.ico");
    EXPECT_EQ(again->Picture1->PictureFile(), folder / "knopon2.ico");
}

TEST_F(ZonePanelTest, MissingPictureKeepsTheOneShowingAndSaysNothing) {
    setZone(1, false, 0, 0, 0, 1);
    auto panel = loaded(1);
    panel->RefreshZone(1);
    const QImage shown = panel->Image1->Picture().toImage();
    ASSERT_FALSE(shown.isNull());

    fs::remove(folder.path() / "Ampli31.gif");
    setZone(1, true, 0, 0, 0, 1);
    panel->RefreshZone(1);
    EXPECT_EQ(panel->Image1->Picture().toImage(), shown);
    EXPECT_EQ(panel->Image4->PictureFile(), folder / "close.ico");
    EXPECT_EQ(state.vq.ZoneImgPath[1], folder / "Ampli31.gif");
    EXPECT_TRUE(dialogs.msgBoxes().empty());
}

TEST_F(ZonePanelTest, ModelWithoutTunerReselectsAuxAtTheEndOfEachRefreshThatFindsTheZoneOn) {
    state.vq.DeviceModel = "QOR 81";
    setZone(1, true, 0, 0, 0, 2);
    setZone(4, true, 0, 0, 0, 2);
    auto one = loaded(1);
    auto four = loaded(4);

    Commands expected = Reads(1);
    expected.push_back(cmd::Src(1, 1));
    for (int i = 0; i < 2; ++i) {
        const std::size_t from = mark();
        one->RefreshZone(1);
        EXPECT_EQ(sentSince(from, expected.size()), expected);
        EXPECT_FALSE(one->Image2->Visible());
        EXPECT_FALSE(one->Shape4->Visible());
        EXPECT_TRUE(one->Shape5->Visible());
        EXPECT_FALSE(one->Text4->Enabled());
        EXPECT_EQ(one->Text4->Text(), "        Aux");
    }

    // Zone 4 selects Aux once more at the start when the zone was already on.
    expected = Reads(4);
    expected.push_back(cmd::Src(4, 1));
    std::size_t from = mark();
    four->RefreshZone(4);
    EXPECT_EQ(sentSince(from, expected.size()), expected);
    expected.insert(expected.begin() + 1, cmd::Src(4, 1));
    from = mark();
    four->RefreshZone(4);
    EXPECT_EQ(sentSince(from, expected.size()), expected);
}

TEST_F(ZonePanelTest, OtherModelsShowTheTunerButton) {
    setZone(3, true, 0, 0, 0, 1);
    for (const char* model : {"QOR 82", "", "unknown"}) {
        SCOPED_TRACE(model);
        state.vq.DeviceModel = model;
        state.vq.ZoneOn[3] = false;
        auto panel = loaded(3);
        panel->Image2->setVisible(false);
        const std::size_t from = mark();
        panel->RefreshZone(3);
        EXPECT_TRUE(panel->Image2->Visible());
        EXPECT_EQ(sentSince(from, 5), Reads(3));
    }
}

TEST_F(ZonePanelTest, WithoutADeviceTheRefreshKeepsTheLastLook) {
    setZone(1, true, 0, 0, 0, 1);
    auto panel = loaded(1);
    panel->RefreshZone(1);
    const int loads = panel->Image1->PictureLoads();
    sim.stop();

    state.vq.ZoneName[1] = "Den";
    state.vq.DeviceModel = "QOR 81";
    panel->RefreshZone(1);
    EXPECT_EQ(panel->Label1->Caption(), "Den");
    EXPECT_EQ(panel->Text4->Text(), "        Aux");
    EXPECT_TRUE(state.vq.ZoneOn[1]);
    EXPECT_TRUE(panel->iKnobX31->Visible());
    EXPECT_EQ(panel->Image1->PictureLoads(), loads);
    EXPECT_TRUE(dialogs.msgBoxes().empty());
}

TEST_F(ZonePanelTest, NoDeviceAtAllLeavesTheZoneAsItWas) {
    comm.setCommPort(2);
    auto panel = loaded(2);
    const int loads = panel->Image1->PictureLoads();
    panel->RefreshZone(2);
    EXPECT_FALSE(state.vq.ZoneOn[2]);
    EXPECT_EQ(state.vq.ZoneImgPath[2], "");
    EXPECT_EQ(panel->Image1->PictureLoads(), loads);
    EXPECT_TRUE(panel->iKnobX31->Visible());
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(ZonePanelTest, OwnClearanswCountsSemicolonsLikeTheLinks) {
    auto panel = std::make_unique<ZonePanel>(ctx, 3);
    SharedState other;
    Link reference(comm, other);
    for (const char* text : {"*RT,VOL,1,40;*RT,LOW,1,3;", "*RT,VOL,1,40;", "*A;*B;*C;", ""}) {
        for (const char* key : {"*RT,LOW", "*RT,ON"}) {
            EXPECT_EQ(panel->clearansw(text, key), reference.clearansw(text, key));
            EXPECT_EQ(state.vq.SemicolonCount, other.vq.SemicolonCount);
        }
    }
    EXPECT_EQ(panel->clearansw("*RT,VOL,1,40;*RT,LOW,1,3;", "*RT,LOW"), "*RT,LOW,1,3;");
}

// --- the controls -------------------------------------------------------------------------

TEST_F(ZonePanelTest, KnobsSendTheirPositionRoundedHalfToEvenAndFollowTheDevice) {
    auto panel = loaded(1);
    struct Case {
        ui::IKnobX* knob;
        double position;
        std::string set;
        std::string read;
        int value;
    };
    const Case cases[] = {
        {panel->iKnobX11, 2.5, cmd::Low(1, 2), cmd::RdLow(1), 2},
        {panel->iKnobX11, 3.5, cmd::Low(1, 4), cmd::RdLow(1), 4},
        {panel->iKnobX11, -2.5, cmd::Low(1, -2), cmd::RdLow(1), -2},
        {panel->iKnobX21, 7.6, cmd::High(1, 8), cmd::RdHigh(1), 8},
        {panel->iKnobX31, 40.5, cmd::Vol(1, 40), cmd::RdVol(1), 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        const std::size_t from = mark();
        c.knob->setPosition(c.position);
        const Commands sent = sentSince(from, 2);
        ASSERT_GE(sent.size(), 2u);
        EXPECT_EQ(sent[0], c.set);
        EXPECT_EQ(sent[1], c.read);
        EXPECT_EQ(c.knob->Position(), c.value);
    }
}

TEST_F(ZonePanelTest, KnobReadBackTakesFieldThreeOfTheWholeAnswer) {
    auto panel = loaded(2);
    Responder device(sim);
    struct Case {
        const char* answer;
        double after;
    };
    const Case cases[] = {
        {"*RT,LOW,2,-3;", -3},
        {"RT,LOW,2,9;", 6},                // not an answer: "Comm Error"
        {"*RT,LOW,2,7;*RT,HIGH,2,2;", 7},  // the first record's field
        {"*RT,LOW,2,abc;", 6},
        {"", 6},  // silence
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        panel->iKnobX11->setPosition(0);
        device.answer(cmd::RdLow(2), c.answer);
        panel->iKnobX11->setPosition(6);
        EXPECT_EQ(panel->iKnobX11->Position(), c.after);
    }

    // Only treble and volume hold the refresh timer; bass leaves it as it found it.
    panel->Timer1->setEnabled(false);
    panel->iKnobX11->setPosition(1);
    EXPECT_FALSE(panel->Timer1->Enabled());
    panel->iKnobX21->setPosition(1);
    EXPECT_TRUE(panel->Timer1->Enabled());
}

TEST_F(ZonePanelTest, OnOffButtonSwitchesWithoutAskingTheDevice) {
    struct Case {
        int zone;
        const char* model;
        bool selectsAux;
    };
    for (const Case& c : {Case{1, "QOR 81", true}, Case{2, "QOR 81", false},
                          Case{1, "QOR 82", false}, Case{2, "QOR 82", false}}) {
        SCOPED_TRACE(std::to_string(c.zone) + " " + c.model);
        const int z = c.zone;
        state.vq.DeviceModel = c.model;
        state.vq.ZoneOn[z] = false;
        auto panel = loaded(z);
        const bool tuner = std::string(c.model) != "QOR 81";

        std::size_t from = mark();
        panel->Picture1_Click();
        Commands expected{cmd::On(z)};
        if (c.selectsAux) expected.push_back(cmd::Src(z, 1));
        EXPECT_EQ(sentSince(from, expected.size()), expected);
        EXPECT_TRUE(state.vq.ZoneOn[z]);
        EXPECT_EQ(state.vq.ZoneImgPath[z], folder / "Ampli31.gif");
        EXPECT_EQ(panel->Picture1->PictureFile(), folder / "knopon2.ico");
        EXPECT_TRUE(panel->iKnobX11->Visible());
        EXPECT_TRUE(panel->Image5->Visible());
        EXPECT_EQ(panel->Image2->Visible(), tuner);
        EXPECT_EQ(panel->Shape5->Visible(), tuner || c.selectsAux);
        EXPECT_EQ(panel->Label1->BackColor(), ui::SysColor(7));
        const bool auxShown = panel->Shape5->Visible();
        const bool tunerShown = panel->Shape4->Visible();

        from = mark();
        panel->Picture1_Click();
        EXPECT_EQ(sentSince(from, 1), Commands{cmd::Off(z)});
        EXPECT_FALSE(state.vq.ZoneOn[z]);
        EXPECT_EQ(state.vq.ZoneImgPath[z], folder / "Ampli31_faded.gif");
        EXPECT_EQ(panel->Picture1->PictureFile(), folder / "knopon2_faded.gif");
        EXPECT_FALSE(panel->iKnobX11->Visible());
        EXPECT_FALSE(panel->Image5->Visible());
        EXPECT_FALSE(panel->Image2->Visible());
        // The markers keep their place and only fade.
        EXPECT_EQ(panel->Shape5->Visible(), auxShown);
        EXPECT_EQ(panel->Shape4->Visible(), tunerShown);
        EXPECT_EQ(panel->Shape5->FillColor(), kMarkerOff);
    }
}

TEST_F(ZonePanelTest, SourceButtonsActOnlyWhileTheZoneIsOn) {
    auto panel = loaded(3);
    panel->Image2_Click();
    panel->Image5_Click();
    EXPECT_TRUE(panel->Shape4->Visible());
    EXPECT_TRUE(panel->Shape5->Visible());

    state.vq.ZoneOn[3] = true;
    panel->Image2_Click();
    EXPECT_TRUE(panel->Shape4->Visible());
    EXPECT_FALSE(panel->Shape5->Visible());
    panel->Image5_Click();
    EXPECT_FALSE(panel->Shape4->Visible());
    EXPECT_TRUE(panel->Shape5->Visible());
    EXPECT_EQ(sentSince(0, 2), (Commands{cmd::Src(3, 2), cmd::Src(3, 1)}));
}

// While RDS text scrolls inside a knob's exchange, pending events run once a second: the refresh
// timer may then tick inside a bass exchange, never inside a treble one.
TEST_F(ZonePanelTest, RefreshRunsNestedInABassExchangeButNotInATrebleOne) {
    setZone(1, true, 0, 0, 0, 1);
    auto panel = loaded(1);
    RdsLabel rds;
    QuickClock clock;
    link.setRdsLine(&rds);
    link.setClock(&clock);
    link.setDoEvents(ui::DoEvents);
    Responder device(sim);
    panel->Timer1->setInterval(1);  // due at the first yield

    auto nestedRefreshes = [&](ui::IKnobX* knob, const std::string& read) {
        device.answer(read, "*RT,TUN,RDS,TXT,ABCDEFGHIJKLMNOP;");
        const std::size_t from = mark();
        knob->setPosition(5);
        const Commands sent = sentSince(from, 2);
        return std::count(sent.begin(), sent.end(), cmd::RdOn(1));
    };
    EXPECT_EQ(nestedRefreshes(panel->iKnobX21, cmd::RdHigh(1)), 0);
    EXPECT_EQ(panel->iKnobX21->Position(), 5);  // the answer was RDS text
    EXPECT_GE(nestedRefreshes(panel->iKnobX11, cmd::RdLow(1)), 1);
    EXPECT_EQ(rds.text, "");
    panel->Timer1->setInterval(2500);
}

// The source read lets events run while RDS text scrolls; refreshes nested there find the zone
// off and fade the markers, and the outer refresh, which found it on, colours them after its answer.
TEST_F(ZonePanelTest, SourceReadColoursTheMarkersAfterItsAnswer) {
    setZone(1, true, 0, 0, 0, 1);
    auto panel = loaded(1);
    RdsLabel rds;
    QuickClock clock;
    link.setRdsLine(&rds);
    link.setClock(&clock);
    link.setDoEvents(ui::DoEvents);
    Responder device(sim);
    device.answer(cmd::RdOn(1), "*RT,ON,1;");
    for (int i = 0; i < 20; ++i) device.answer(cmd::RdOn(1), "*RT,ON,0;");
    device.answer(cmd::RdSrc(1), "*RT,TUN,RDS,TXT,ABCDEFGHIJKLMNOP;");
    panel->Timer1->setInterval(1);  // due at the first yield

    const std::size_t from = mark();
    panel->RefreshZone(1);
    panel->Timer1->setInterval(2500);
    const Commands sent = sentSince(from, 7);
    ASSERT_GE(std::count(sent.begin(), sent.end(), cmd::RdOn(1)), 2);
    EXPECT_EQ(panel->Shape4->FillColor(), kMarkerOn);
    EXPECT_EQ(panel->Shape5->FillColor(), kMarkerOn);
}

// A click on the close button while RDS text scrolls inside an exchange: the owner may drop the
// panel once it has unloaded, so that must wait until the exchange that yielded has finished.
TEST_F(ZonePanelTest, ClosingWhileAnExchangeYieldsUnloadsOnceItHasFinished) {
    setZone(1, true, 0, 0, 0, 1);
    std::unique_ptr<ZonePanel> panel = loaded(1);
    RdsLabel rds;
    QuickClock clock;
    link.setRdsLine(&rds);
    link.setClock(&clock);
    link.setDoEvents(ui::DoEvents);
    Responder device(sim);
    bool refreshing = false;
    bool droppedMidRefresh = false;
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
    QTest::qWait(20);
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(panel);
}

}  // namespace
}  // namespace qor
