// The whole program around the main window: start-up through Program, the Zones and Settings
// entries opening real windows, and the quit entry ending everything without a word to the device.
#include "app/program.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>

#include "settings/frm_settings.h"
#include "support/menu_fixture.h"
#include "support/ui_events.h"
#include "tuner/frm_tuner.h"
#include "zones/zone_panel.h"

namespace qor::test {
namespace {

TEST(ProgramWithMenu, StartsOnTheDeviceOpensTheChosenZonesAndSettingsAndQuitsSilently) {
    TempFolder dir;
    ASSERT_FALSE(dir.path().empty());
    sim::SimAmp amp;
    ASSERT_TRUE(amp.start());
    WriteBytes(dir / "user.ini", "[Zone_Name]\r\nZone1_Name=Hall\r\n");
    WriteBytes(dir / "showzones.ini",
               "[Show zones on screen]\r\nShowzone1 = True\r\nShowzone2 = False\r\n"
               "Showzone3 = True\r\nShowzone4 = False\r\n");

    ui::ScriptedDialogs dialogs;
    dialogs.queueAnswer(ui::MsgAnswer::Yes);
    int quits = 0;
    ProgramOptions options;
    options.programDir = dir.path();
    options.portMapper = [&](int port) {
        return port == 2 ? amp.devicePath()
                         : (dir / ("no-such-port-" + std::to_string(port))).string();
    };
    options.pollTime = kTestPoll;
    options.dialogs = &dialogs;
    options.quit = [&] { ++quits; };
    Program program(options);

    FrmMenu_1& menu = program.menu();
    EXPECT_EQ(program.state().vq.DeviceModel, "QOR 82");
    EXPECT_EQ(program.state().vq.ComPortNumber, 2);
    EXPECT_EQ(menu.Label7.Caption(), "Q O R  8.2");
    EXPECT_TRUE(menu.Visible());
    EXPECT_EQ(dialogs.msgBoxes().size(), 1u);

    Click(menu.Label2);
    EXPECT_NE(program.zonePanel(1), nullptr);
    EXPECT_EQ(program.zonePanel(2), nullptr);
    ASSERT_NE(program.zonePanel(3), nullptr);
    EXPECT_EQ(program.zonePanel(4), nullptr);
    EXPECT_TRUE(program.zonePanel(3)->Visible());

    // The settings panel reads the device as it opens; a second click only brings it forward.
    amp.clearLog();
    Click(menu.Label6);
    Frmsettings* settings = program.settings();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->Visible());
    EXPECT_EQ(settings->Text1.Text(), "Hall");
    EXPECT_EQ(amp.log().front(), cmd::RdModel());
    amp.clearLog();
    Click(menu.Label6);
    EXPECT_EQ(program.settings(), settings);
    EXPECT_FALSE(amp.waitForLog(1, 150));

    amp.clearLog();
    Click(menu.Image4);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(menu.Shape2.Visible());
    EXPECT_FALSE(amp.waitForLog(1, 150));
}

// A window closed and opened again from the main window while one of its handlers waits at a
// yield (the RDS scroll inside a reading): the old window's handler ends there, sending and
// showing nothing more, and is freed once it has; the new window is whole. Several times over,
// which a window freed under its handler would not survive under the sanitizers.
class ReopenedWhileWaiting : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        ASSERT_TRUE(amp.start());
        ProgramOptions options;
        options.programDir = dir.path();
        options.portMapper = [this](int port) {
            return port == 1 ? amp.devicePath() : (dir / "no-such-port").string();
        };
        options.pollTime = kTestPoll;
        options.dialogs = &dialogs;
        options.quit = [] {};
        program = std::make_unique<Program>(options);
        program->state().vq.DeviceModel = "QOR 82";
        program->state().vq.ScreenHeightTw = 100000;
        program->link().setClock(&clock);
    }
    std::size_t Sent(const std::string& command) const {
        const Lines log = amp.log();
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), command));
    }
    // At the scroll's second step, once: `reopen` runs from the event queue, as the user's
    // clicks would, while the handler waits at the yield.
    void ReopenAtTheSecondStep(std::function<void()> reopen) {
        steps = 0;
        clock.onWait = [this, reopen] {
            if (++steps == 2) QTimer::singleShot(0, reopen);
        };
    }
    static std::string LongRds() { return "*RT,TUN,RDS,TXT," + std::string(30, 'R') + ";"; }

    TempFolder dir;
    sim::SimAmp amp;
    ui::ScriptedDialogs dialogs;
    StepClock clock;
    int steps = 0;
    std::unique_ptr<Program> program;
};

TEST_F(ReopenedWhileWaiting, SettingsPanelReadingTheDevice) {
    // RDS text reaches the link only with a tuner panel loaded.
    program->ShowTuner();
    ASSERT_NE(program->tuner(), nullptr);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        if (Frmsettings* open = program->settings()) open->Unload();
        ui::test::RunUntil([&] { return program->settings() == nullptr; }, 50);
        amp.clearLog();
        Frmsettings* old = nullptr;
        Frmsettings* reopened = nullptr;
        ReopenAtTheSecondStep([&] {
            old = program->settings();
            old->Unload();
            program->ShowSettings();
            reopened = program->settings();
        });
        Responder device(amp);
        device.answer(cmd::RdModel(), LongRds());
        program->ShowSettings();
        ASSERT_NE(reopened, nullptr);
        EXPECT_NE(reopened, old);
        EXPECT_EQ(program->settings(), reopened);
        EXPECT_TRUE(reopened->Visible());
        // The old panel's reading stopped at its model query; the new one read once, whole.
        EXPECT_EQ(Sent(cmd::RdModel()), 2u);
        EXPECT_EQ(Sent(cmd::RdVer()), 1u);
        EXPECT_TRUE(dialogs.msgBoxes().empty());
    }
}

TEST_F(ReopenedWhileWaiting, TunerPanelReadingItsState) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        program->ShowTuner();
        FrmTuner* old = program->tuner();
        ASSERT_NE(old, nullptr);
        FrmTuner* reopened = nullptr;
        std::size_t sentBeforeReopen = 0;
        ReopenAtTheSecondStep([&] {
            sentBeforeReopen = amp.log().size();
            old->Image4_Click();
            program->ShowTuner();
            reopened = program->tuner();
        });
        // The next state reading of the panel's timer meets RDS text and scrolls it.
        Responder device(amp);
        device.answer(cmd::TunFreqRead(), LongRds());
        ASSERT_TRUE(ui::test::RunUntil([&] { return reopened != nullptr; }, 50000));
        EXPECT_NE(reopened, old);
        EXPECT_EQ(program->tuner(), reopened);
        EXPECT_TRUE(reopened->Shape2.Visible());
        EXPECT_TRUE(reopened->Timer1.Enabled());
        // The new panel's state reading is all that was sent since; the old one sent nothing.
        const Lines log = amp.log();
        EXPECT_EQ(Lines(log.begin() + static_cast<long>(sentBeforeReopen),
                        log.begin() + static_cast<long>(sentBeforeReopen) + 1),
                  Lines{cmd::TunFreqRead()});
        EXPECT_TRUE(dialogs.msgBoxes().empty());
        reopened->Image4_Click();
        ui::test::RunUntil([&] { return program->tuner() == nullptr; }, 50);
    }
}

}  // namespace
}  // namespace qor::test
