// The settings panel against the simulated amplifier over a real pseudo-terminal, drawn offscreen:
// what it reads into its controls, what its Set buttons, pictures and sliders send, showzones.ini.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "config/device_settings.h"
#include "settings/frm_settings.h"
#include "support/menu_fixture.h"

namespace qor::test {
namespace {

// What readsettings sends on the tuner model with the zone on tab `tab` current.
Lines ReadsOnTab(int tab, bool tuner = true) {
    Lines read{"*RD,MODEL;", "*RD,VER;", cmd::RdOn(tab)};
    for (int z = 1; z <= 4; ++z) read.push_back(cmd::RdVolMax(z));
    read.push_back("*RD,GAIN,1;");
    if (tuner) read.push_back("*RD,GAIN,2;");
    for (const char* c : {"*RD,TEMP;", "*RD,CLK;"}) read.push_back(c);
    return read;
}

Lines Then(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class SettingsPanelTest : public MenuTest {
  protected:
    using MenuTest::MenuTest;
    void SetUp() override {
        MenuTest::SetUp();
        state.vq.ZoneCount = 4;
        state.vq.DeviceModel = "QOR 82";
        for (int z = 1; z <= 4; ++z) state.vq.ZoneName[z] = "Room " + std::to_string(z);
    }
    // A device answering as `device` says, on port 1 (the port the link opens).
    sim::SimAmp& Device(sim::DeviceState device = Model(2)) {
        if (comm.PortOpen()) comm.setPortOpen(false);
        return Attach(1, device);
    }
    Frmsettings& Open() {
        panel = std::make_unique<Frmsettings>(ctx);
        panel->Load();
        return *panel;
    }
    // The commands the device received since the last look are exactly `want`.
    static void ExpectSent(sim::SimAmp& amp, const Lines& want) {
        amp.waitForLog(want.size());
        EXPECT_EQ(amp.takeLog(), want);
    }
    static void UserKey(ui::Control& slider, Qt::Key key) { QTest::keyClick(slider.widget(), key); }

    std::unique_ptr<Frmsettings> panel;
};

TEST_F(SettingsPanelTest, FirstOpeningReadsTheDeviceIntoTheControlsAndSendsNothingBack) {
    sim::DeviceState device = Model(2);
    device.zones[1].on = true;
    for (int z = 1; z <= 4; ++z) device.zones[z].volMax = 60 + z;
    device.gain = {0, 12, 7};
    device.tempNow = 45, device.tempMin = 40, device.tempMax = 70, device.tempStatus = 1;
    device.clock = "07/03/2026 09:05:30";
    auto& amp = Device(device);

    Frmsettings& p = Open();
    ExpectSent(amp, ReadsOnTab(1));
    EXPECT_EQ(p.TabStrip1.SelectedIndex(), 1);
    EXPECT_EQ(p.Text2.Text(), "Room 2");
    EXPECT_TRUE(state.vq.ZoneOn[1]);
    EXPECT_TRUE(p.Picture1.Visible());
    EXPECT_EQ((std::array{p.Slider1.Value(), p.Slider2.Value(), p.Slider3.Value(),
                          p.Slider4.Value(), p.Slider5.Value(), p.Slider6.Value()}),
              (std::array{61, 62, 63, 64, 12, 7}));
    // "*RT,TEMP,45,40,70,0,1;": the minimum lies inside the scroll bar's limits and moves it.
    EXPECT_EQ(p.Label25.Caption(), "45");
    EXPECT_EQ(p.Label13.Caption(), "40");
    EXPECT_EQ(p.VScroll2.Value(), 40);
    EXPECT_EQ(p.Label10.Caption(), "70");
    EXPECT_EQ((std::array{p.Picture3.Visible(), p.Picture4.Visible(), p.Picture5.Visible()}),
              (std::array{false, true, false}));
    EXPECT_EQ((std::array{p.Calendar1.Day(), p.Calendar1.Month(), p.Calendar1.Year()}),
              (std::array{7, 3, 2026}));
    EXPECT_EQ(p.Combo1.Text(), "9");
    EXPECT_EQ(p.Combo2.Text(), "5");
    // The Standard layout ends wide, firmware and model shown.
    EXPECT_EQ(p.Label16.Caption(), "Firmware :  V2.14");
    EXPECT_EQ(p.Label17.Caption(), "Model :  QOR 82");
    EXPECT_TRUE(p.Label16.Visible() && p.Label17.Visible() && p.Frame1[1].Visible());
    EXPECT_GE(p.Width(), Frmsettings::kWideWidth);
    p.Show();
    EXPECT_GE(p.ScaleWidth(), p.Frame1[1].Left() + p.Frame1[1].Width());
    // The sliders set from the device sent nothing back.
    EXPECT_TRUE(StaysQuiet(amp));
}

TEST_F(SettingsPanelTest, ReopensOnTheTabLastChosenWithItsFrameAtTheFirstOnesPlace) {
    auto& amp = Device();
    Open();
    panel->TabStrip1.setSelectedIndex(3);
    panel->TabStrip1_Click();
    EXPECT_EQ(state.vq.SettingsTab, 3);
    panel.reset();
    amp.clearLog();

    Frmsettings& p = Open();
    ExpectSent(amp, ReadsOnTab(3));
    EXPECT_EQ(p.TabStrip1.SelectedIndex(), 3);
    EXPECT_TRUE(p.Frame2[2].Visible());
    EXPECT_FALSE(p.Frame2[1].Visible() || p.Frame2[3].Visible());
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(p.Frame2[i].Top(), p.Frame2[0].Top());
    // The first zone's frame stays shown beneath; nothing of it shows through.
    EXPECT_TRUE(p.Frame2[0].Visible());
    p.widget()->grab();  // the first drawing lays the window out
    const QImage both = p.widget()->grab().toImage();
    p.Frame2[0].setVisible(false);
    EXPECT_EQ(p.widget()->grab().toImage(), both);
    p.Frame2[0].setVisible(true);
    // A tab click shows the held on/off state without asking the device.
    state.vq.ZoneOn[2] = true;
    p.TabStrip1.setSelectedIndex(2);
    p.TabStrip1_Click();
    EXPECT_TRUE(p.Picture1.Visible());
    EXPECT_TRUE(StaysQuiet(amp));
}

TEST_F(SettingsPanelTest, ModelWithoutTunerHidesTheTunerPregainAndNeverReadsOrSendsIt) {
    auto& amp = Device(Model(1));
    state.vq.SettingsTab = 2;
    Frmsettings& p = Open();
    ExpectSent(amp, ReadsOnTab(2, false));
    EXPECT_EQ(state.vq.DeviceModel, "QOR 81");
    EXPECT_FALSE(p.Label4.Visible() || p.Slider6.Visible());
    EXPECT_EQ(p.Label17.Caption(), "Model :  QOR 81");

    // The zone Set: the auxiliary pregain, the current tab's maximum volume, no tuner pregain.
    p.Slider5.setValue(9);
    p.Slider2.setValue(80);
    p.Text2.setText("Kitchen ");
    p.Command6_Click();
    ExpectSent(amp, Then({"*GAIN,1,9;", "*MAX,2,80;"}, ReadsOnTab(2, false)));
    EXPECT_EQ(state.vq.ZoneName[2], "Kitchen ");
    EXPECT_EQ(amp.state().zones[2].volMax, 80);
    EXPECT_EQ(p.Slider2.Value(), 80);
}

TEST_F(SettingsPanelTest, UnknownModelClosesThePanelWithItsMessageLowerCaseReadsOn) {
    // A model answer that names neither model keeps the model as it was.
    for (const char* model : {"Unknown", "unknown"}) {
        SCOPED_TRACE(model);
        auto& amp = Device(Model(7));
        state.vq.DeviceModel = model;
        Frmsettings& p = Open();
        if (std::string(model) == "Unknown") {
            ExpectSent(amp, Lines{"*RD,MODEL;"});
            EXPECT_TRUE(p.isUnloaded());
            ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
            EXPECT_EQ(dialogs.msgBoxes()[0].text, kModelNotRetrievedMessage);
            EXPECT_EQ(dialogs.msgBoxes()[0].icon, ui::MsgIcon::Critical);
            EXPECT_TRUE(StaysQuiet(amp));
        } else {
            ExpectSent(amp, ReadsOnTab(1, false));
            EXPECT_TRUE(p.isLoaded());
            EXPECT_EQ(p.Label17.Caption(), "Model :  unknown");
        }
    }
}

// Limits strictly inside 30..65 move the scroll bar; every status but 0, 1, 2 shows no picture;
// fields that are not whole numbers, and a clock that is no date, leave what was shown.
TEST_F(SettingsPanelTest, TemperatureAndClockAnswersOnlyChangeWhatTheyHold) {
    struct Case {
        int minimum, status;
        int scroll;
        std::array<bool, 3> pictures;
    } cases[] = {{30, 3, 30, {false, false, false}},
                 {65, 0, 30, {true, false, false}},
                 {35, 2, 35, {false, false, true}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.minimum);
        sim::DeviceState device = Model(2);
        device.tempMin = c.minimum;
        device.tempStatus = c.status;
        device.clock = "31/04/2026 10:00:00";
        Device(device);
        Frmsettings& p = Open();
        EXPECT_EQ(p.Label13.Caption(), std::to_string(c.minimum));
        EXPECT_EQ(p.VScroll2.Value(), c.scroll);
        EXPECT_EQ((std::array{p.Picture3.Visible(), p.Picture4.Visible(), p.Picture5.Visible()}),
                  c.pictures);
        EXPECT_EQ(p.Combo1.Text(), "Hr");
        EXPECT_EQ(p.Combo2.Text(), "Min");
    }
}

// No read here gets an answer, so every one waits out its window: the short one.
class SilentSettingsPanelTest : public SettingsPanelTest {
  protected:
    SilentSettingsPanelTest() : SettingsPanelTest(kSilencePoll) {}
};

// Silence, junk and an answer that never ends: every read gives up in its time, the panel opens
// with what it showed, and the on/off read alone takes the failure as "off".
TEST_F(SilentSettingsPanelTest, ADeviceThatAnswersNothingUsefulLeavesThePanelAsDesigned) {
    sim::Misbehaviour silent, garbage, unended;
    silent.silent = true;
    garbage.garbage = true;
    unended.noClosingSemicolon = true;
    for (const auto& how : {silent, garbage, unended}) {
        if (comm.PortOpen()) comm.setPortOpen(false);
        Attach(1, Model(2), how);
        state.vq.ZoneOn[1] = true;
        Frmsettings& p = Open();
        EXPECT_TRUE(p.isLoaded());
        EXPECT_EQ(p.Label16.Caption(), "Firmware :  ");
        EXPECT_FALSE(state.vq.ZoneOn[1]);
        EXPECT_TRUE(p.Picture2.Visible());
        EXPECT_EQ(p.Slider1.Value() + p.Slider5.Value() + p.Slider6.Value(), 0);
        EXPECT_FALSE(p.Picture3.Visible() || p.Picture4.Visible() || p.Picture5.Visible());
        EXPECT_EQ(p.Combo1.Text(), "Hr");
    }
}

TEST_F(SettingsPanelTest, ShowzonesTicksOnlyExactShowzoneAndTrueAndTheTickSetsZoneShowAtOnce) {
    Device();
    WriteBytes(dir / "showzones.ini",
               " \r\n[Show zones on screen]\r\nShowzone1 = True\r\nShowzone2 = true\r\n"
               "showzone3 = True\r\n\xff\x00garbage\r\nShowzone4 = True\r\nShowzone4 = False");
    Frmsettings& p = Open();
    EXPECT_EQ((std::array{p.Check1.Value(), p.Check2.Value(), p.Check3.Value(), p.Check4.Value()}),
              (std::array{1, 0, 0, 0}));
    EXPECT_EQ(state.vq.ZoneShow, (std::array<bool, 5>{false, true, false, false, false}));

    // A tick sets ZoneShow at once; only the zone Set writes the file, whole.
    p.Check3.setValue(1);
    EXPECT_TRUE(state.vq.ZoneShow[3]);
    EXPECT_TRUE(
        ReadBytes(dir / "showzones.ini")
            .starts_with(" \r\n[Show zones on screen]\r\nShowzone1 = True\r\nShowzone2 = true"));
    p.Command6_Click();
    EXPECT_EQ(ReadBytes(dir / "showzones.ini"),
              " \r\n[Show zones on screen]\r\nShowzone1 = True\r\nShowzone2 = False\r\n"
              "Showzone3 = True\r\nShowzone4 = False\r\n");
}

TEST_F(SettingsPanelTest, ZoneSetThatCannotWriteShowzonesKeepsTheOldFileAndSaysSo) {
    Device();
    const std::string old = " \r\n[Show zones on screen]\r\nShowzone1 = True\r\n";
    WriteBytes(dir / "showzones.ini", old);
    Frmsettings& p = Open();
    p.Check2.setValue(1);
    {
        ReadOnlyFolder readOnly(dir.path());
        p.Command6_Click();
    }
    EXPECT_EQ(ReadBytes(dir / "showzones.ini"), old);
    ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
    EXPECT_NE(dialogs.msgBoxes()[0].text.find("showzones.ini"), std::string::npos);
    EXPECT_TRUE(p.isLoaded());
}

TEST_F(SettingsPanelTest, ClockSetSendsTheCalendarHourAndMinuteAndRefusesTextThatIsNoTime) {
    sim::DeviceState device = Model(2);
    device.clock = "not a clock";
    auto& amp = Device(device);
    Frmsettings& p = Open();
    amp.clearLog();

    // The boxes still read "Hr" and "Min": nothing is sent, and the user is told why.
    p.Command4_Click();
    ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
    EXPECT_EQ(dialogs.msgBoxes()[0].icon, ui::MsgIcon::Exclamation);
    EXPECT_TRUE(StaysQuiet(amp));

    ASSERT_TRUE(p.Calendar1.setDate(2026, 3, 7));
    p.Combo1.setListIndex(9);
    p.Combo2.setText("5");
    p.Command4_Click();
    ExpectSent(amp, Lines{"*CLK,SET,07,03,2026,09,05,01;"});
    ASSERT_EQ(dialogs.msgBoxes().size(), 2u);
    EXPECT_EQ(dialogs.msgBoxes()[1].text, "Clock adjusted :*CLK,SET,07,03,2026,09,05,01;");
    // Not read back; the device now runs from there.
    EXPECT_TRUE(StaysQuiet(amp));
    EXPECT_TRUE(amp.state().clock.starts_with("07/03/2026 09:05"));
}

TEST_F(SettingsPanelTest, TemperatureSetSendsLimitsAndOffsetInTheirFormsOrNothing) {
    auto& amp = Device();
    Frmsettings& p = Open();
    amp.clearLog();
    p.Label13.setCaption(" 5 ");
    p.Label10.setCaption("85");
    p.Combo3.setText("-3");
    p.Command5_Click();
    ExpectSent(amp, Then({"*TEMP,MIN,05;", "*TEMP,MAX,85;", "*TEMP,CAL,-03;"}, ReadsOnTab(1)));
    EXPECT_EQ(p.Label13.Caption(), "5");

    p.Combo3.setText("-3.5");
    p.Command5_Click();
    ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
    EXPECT_TRUE(StaysQuiet(amp));
}

TEST_F(SettingsPanelTest, UserMovesOfThePregainSlidersSendTheirValue) {
    auto& amp = Device();
    Frmsettings& p = Open();
    amp.clearLog();
    // The auxiliary pregain reads the panel again; the tuner's does not.
    UserKey(p.Slider5, Qt::Key_Right);
    ExpectSent(amp, Then({"*GAIN,1,1;"}, ReadsOnTab(1)));
    EXPECT_EQ(p.Slider5.Value(), 1);
    UserKey(p.Slider6, Qt::Key_PageUp);
    ExpectSent(amp, Lines{"*GAIN,2,5;"});
    EXPECT_TRUE(StaysQuiet(amp));
    EXPECT_EQ(amp.state().gain[2], 5);
}

TEST_F(SettingsPanelTest, OnOffPicturesSwitchTheCurrentZoneOnlyWhenTheCommandIsWritten) {
    auto& amp = Device();
    state.vq.SettingsTab = 2;
    Frmsettings& p = Open();
    amp.clearLog();
    Click(p.Picture2);
    ExpectSent(amp, Then({"*ON,2;"}, ReadsOnTab(2)));
    EXPECT_TRUE(state.vq.ZoneOn[2]);
    EXPECT_TRUE(p.Picture1.Visible());

    // A line that is gone: nothing written, nothing changes.
    amps.erase(1);
    comm.setPortOpen(false);
    Click(p.Picture1);
    EXPECT_TRUE(state.vq.ZoneOn[2]);
    EXPECT_TRUE(p.Picture1.Visible());
}

}  // namespace
}  // namespace qor::test
