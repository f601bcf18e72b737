// The whole program around the main window: start-up through Program, the Zones and Settings
// entries opening real windows, and the quit entry ending everything without a word to the device.
#include "app/program.h"

#include <gtest/gtest.h>

#include "settings/frm_settings.h"
#include "support/menu_fixture.h"
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

}  // namespace
}  // namespace qor::test
