// What start-up reads from user.ini and showzones.ini, and the device clock kept in sync.
#include <gtest/gtest.h>

#include "console/menu_fixture.h"
#include "link/commands.h"

namespace qor::test {
namespace {

using Lines = std::vector<std::string>;

// The commands the device received after the model query and the clock of a start-up.
Lines AfterConnect(const sim::SimAmp& amp) {
    const Lines log = amp.log();
    // Start-up's own clock, the model query, the clock again once the model is known.
    EXPECT_GE(log.size(), 3u);
    if (log.size() < 3) return {};
    EXPECT_EQ(log[0], "*CLK,SET,05,03,2024,09,07,03;");
    EXPECT_EQ(log[1], cmd::RdModel());
    EXPECT_EQ(log[2], "*CLK,SET,05,03,2024,09,07,03;");
    return Lines(log.begin() + 3, log.end());
}

Lines TempCommands(const Lines& log) {
    Lines out;
    for (const auto& c : log)
        if (c.starts_with("*TEMP,")) out.push_back(c);
    return out;
}

TEST_F(MenuTest, ZoneNamesTakeTheTextBetweenTheFirstAndASecondEqualsSign) {
    Attach(1);
    WriteUserIni(
        "[Zone_Name]\r\nZone1_Name=Hall\r\nZone2_Name=Kit=chen\r\nzone4_name= Attic \r\n"
        "Zone3_Name\r\n");
    Start();
    const auto& names = state.vq.ZoneName;
    EXPECT_EQ(names[1], "Hall");
    EXPECT_EQ(names[2], "Kit");
    EXPECT_EQ(names[3], "");  // a line without "=" gives nothing
    EXPECT_EQ(names[4], " Attic ");
}

TEST_F(MenuTest, TemperatureLimitsGoToTheDeviceAtOnceInTheirCommandForms) {
    auto& amp = Attach(1);
    WriteUserIni(
        "[temperature]\r\n  Temperature_Min=65  \r\nTemperature_Offset=-4\r\n"
        "[Zone_Name]\r\nZone1_Name=Hall\r\n");
    Start();
    // The missing maximum is sent as its default, before the snapshot reads anything.
    const Lines after = AfterConnect(amp);
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(Lines(after.begin(), after.begin() + 3),
              (Lines{"*TEMP,MIN,65;", "*TEMP,MAX,90;", "*TEMP,CAL,-04;"}));
    EXPECT_EQ(state.vq.TempMin, "65");
    EXPECT_EQ(state.vq.TempMax, "90");
    EXPECT_EQ(state.vq.TempOffset, "-4");
    // "[Zone_Name]" ended the temperature section but its test had come earlier: passed over.
    EXPECT_EQ(state.vq.ZoneName[1], "");
}

TEST_F(MenuTest, NonNumericTemperaturesFallBackToTheirDefaults) {
    auto& amp = Attach(1);
    WriteUserIni(
        "[Temperature]\r\nTemperature_Min=warm\r\nTemperature_Max=7\r\n"
        "Temperature_Offset=\r\n");
    Start();
    EXPECT_EQ(TempCommands(AfterConnect(amp)),
              (Lines{"*TEMP,MIN,70;", "*TEMP,MAX,07;", "*TEMP,CAL,00;"}));
}

TEST_F(MenuTest, AFileWithoutATemperatureSectionSendsNoLimitsButSetsTheDefaults) {
    auto& amp = Attach(1);
    WriteUserIni("[Zone_Name]\r\nZone1_Name=Hall\r\n");
    Start();
    EXPECT_TRUE(TempCommands(AfterConnect(amp)).empty());
    EXPECT_EQ(state.vq.TempMin, "70");
    EXPECT_EQ(state.vq.TempMax, "90");
    EXPECT_EQ(state.vq.TempOffset, "0");
}

// A section that starts on the line ending the one before is found when its test comes later
// in the order zone names, temperature, tuner names; otherwise it is passed over.
const char* const kChained =
    "[Temperature]\r\nTemperature_Min=65\r\n"
    "[Zone_Name]\r\nZone1_Name=Passed over\r\n"
    "[Zone_Name]\r\nZone2_Name=Kitchen\r\n"
    "[Tuner_Name]\r\nPreset1_Name= Jazz \r\nPreset3_Name=\r\nPreset6_Name=News\r\n"
    "[Zone_Name]\r\nZone3_Name=Study";

TEST_F(MenuTest, OnTheTunerModelPresetNamesFollowRightAfterTheZoneNames) {
    Attach(1, Model(2));
    WriteUserIni(kChained);
    Start();
    const auto& vq = state.vq;
    EXPECT_EQ(vq.ZoneName[1], "");
    EXPECT_EQ(vq.ZoneName[2], "Kitchen");
    EXPECT_EQ(vq.ZoneName[3], "");  // its header ended the tuner section: passed over
    EXPECT_EQ(vq.PresetName, (std::array<std::string, 7>{"", "Jazz", "Preset 2", "Preset 3",
                                                           "Preset 4", "Preset 5", "News"}));
}

TEST_F(MenuTest, WithoutTunerThePresetSectionIsIgnoredAndTheNextHeaderIsRead) {
    Attach(1, Model(1));
    WriteUserIni(kChained);
    Start();
    const auto& vq = state.vq;
    EXPECT_EQ(vq.ZoneName[2], "Kitchen");
    // The last section runs to the end of the file, its last line included.
    EXPECT_EQ(vq.ZoneName[3], "Study");
    EXPECT_EQ(vq.PresetName[1], "Preset 1");
    EXPECT_EQ(vq.PresetName[6], "Preset 6");
}

TEST_F(MenuTest, ShowZonesTakesExactlyShowzoneAndTrue) {
    WriteUserIni(kUserIni);
    WriteBytes(dir / "showzones.ini",
               "[Show zones on screen]\r\nShowzone1 = False\r\nShowzone2 = True\r\n"
               "Showzone3 = true\r\n  Showzone4 = True  \r\nshowzone1 = True\r\n");
    StartWithoutDevice();
    EXPECT_EQ(state.vq.ZoneShow, (std::array<bool, 5>{false, false, true, false, true}));
}

TEST_F(MenuTest, ClockIsSentAtStartAndAgainAfterMoreThanTenMinuteBoundaries) {
    auto& amp = Attach(1);
    WriteUserIni("[Zone_Name]\r\n");
    now = {2024, 3, 5, 23, 55, 30};
    FrmMenu_1& m = Start();
    EXPECT_EQ(state.vq.LastSyncTime, now);
    EXPECT_EQ(amp.log().front(), "*CLK,SET,05,03,2024,23,55,30;");
    amp.clearLog();

    // Ten boundaries after 23:55:30 is still too early, across midnight as anywhere.
    now = {2024, 3, 6, 0, 5, 59};
    m.Label9->setVisible(true);
    m.Timer1_Timer();
    EXPECT_FALSE(m.Label9->Visible());
    EXPECT_TRUE(StaysQuiet(amp));

    now = {2024, 3, 6, 0, 6, 0};
    m.Timer1_Timer();
    ASSERT_TRUE(amp.waitForLog(1));
    EXPECT_EQ(amp.log(), Lines{"*CLK,SET,06,03,2024,00,06,00;"});
    EXPECT_EQ(state.vq.LastSyncTime, now);
    EXPECT_TRUE(m.Label9->Visible());
    EXPECT_EQ(m.Label9->Caption(), "Sync time : 00:06:00");

    // The notice shows for one tick.
    now = {2024, 3, 6, 0, 7, 0};
    m.Timer1_Timer();
    EXPECT_FALSE(m.Label9->Visible());
    EXPECT_TRUE(StaysQuiet(amp));
    EXPECT_EQ(m.Timer1->Interval(), 60000);
    EXPECT_TRUE(m.Timer1->Enabled());

    // The PC clock put back an hour (end of summer time): the device follows at the next tick.
    now = {2024, 3, 5, 23, 8, 0};
    m.Timer1_Timer();
    ASSERT_TRUE(amp.waitForLog(2));
    EXPECT_EQ(amp.log().back(), "*CLK,SET,05,03,2024,23,08,00;");
    EXPECT_EQ(state.vq.LastSyncTime, now);
    EXPECT_TRUE(m.Label9->Visible());
    // A small step back is no more due than a small step forward.
    now = {2024, 3, 5, 22, 58, 0};
    m.Timer1_Timer();
    EXPECT_FALSE(m.Label9->Visible());
    EXPECT_TRUE(StaysQuiet(amp));
}

}  // namespace
}  // namespace qor::test
