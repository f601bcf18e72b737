// What start-up reads from user.ini and showzones.ini, and the device clock kept in sync.
#include "support/menu_fixture.h"

namespace qor::test {
namespace {

// The commands after start-up's own clock, the model query and the clock again once the model is
// known, up to the first read of the snapshot.
Lines SentAtStart(const sim::SimAmp& amp) {
    const Lines log = amp.log();
    const std::string clock = "*CLK,SET,05,03,2024,09,07,03;";
    EXPECT_GE(log.size(), 3u);
    if (log.size() < 3) return {};
    EXPECT_EQ(Lines(log.begin(), log.begin() + 3), (Lines{clock, cmd::RdModel(), clock}));
    Lines out;
    for (auto it = log.begin() + 3; it != log.end() && !it->starts_with("*RD,"); ++it)
        out.push_back(*it);
    return out;
}

TEST_F(MenuTest, ZoneNamesAndTemperatureLimitsAreReadAndTheLimitsSentInTheirForms) {
    auto& amp = Attach(1);
    WriteUserIni(
        "[Zone_Name]\r\nZone1_Name=Hall\r\nZone2_Name=Kit=chen\r\nzone4_name= Attic \r\n"
        "Zone3_Name\r\n"
        "[temperature]\r\n  Temperature_Min=65  \r\nTemperature_Offset=-4\r\n"
        "[Zone_Name]\r\nZone1_Name=Again\r\n");
    Start();
    // Between the first and a second "="; a line without "=" gives nothing.
    EXPECT_EQ(state.vq.ZoneName, (std::array<std::string, 5>{"", "Hall", "Kit", "", " Attic "}));
    // The missing maximum is sent as its default, before the snapshot reads anything. The header
    // that ended the temperature section was passed over: its test had come earlier.
    EXPECT_EQ(SentAtStart(amp), (Lines{"*TEMP,MIN,65;", "*TEMP,MAX,90;", "*TEMP,CAL,-04;"}));
    EXPECT_EQ(state.vq.TempMin, "65");
    EXPECT_EQ(state.vq.TempMax, "90");
    EXPECT_EQ(state.vq.TempOffset, "-4");
}

TEST_F(MenuTest, TemperatureLimitsFallBackToTheirDefaults) {
    auto& amp = Attach(1);
    WriteUserIni(
        "[Temperature]\r\nTemperature_Min=warm\r\nTemperature_Max=7\r\nTemperature_Offset=\r\n");
    Start();
    EXPECT_EQ(SentAtStart(amp), (Lines{"*TEMP,MIN,70;", "*TEMP,MAX,07;", "*TEMP,CAL,00;"}));

    // No temperature section: nothing is sent, the defaults are set all the same.
    WriteUserIni("[Zone_Name]\r\nZone1_Name=Hall\r\n");
    state.vq.TempMin = state.vq.TempMax = state.vq.TempOffset = "";
    amp.clearLog();
    Start();
    for (const auto& c : amp.log()) EXPECT_FALSE(c.starts_with("*TEMP,")) << c;
    EXPECT_EQ(state.vq.TempMin, "70");
    EXPECT_EQ(state.vq.TempMax, "90");
    EXPECT_EQ(state.vq.TempOffset, "0");
}

// A section that starts on the line ending the one before is found when its test comes later
// in the order zone names, temperature, tuner names; otherwise it is passed over. The tuner names
// are read on the tuner model only.
TEST_F(MenuTest, ChainedSectionsAndTunerNamesOnTheTunerModelOnly) {
    for (int model : {2, 1}) {
        SCOPED_TRACE(model);
        Attach(1, Model(model));
        WriteUserIni(
            "[Temperature]\r\nTemperature_Min=65\r\n"
            "[Zone_Name]\r\nZone1_Name=Passed over\r\n"
            "[Zone_Name]\r\nZone2_Name=Kitchen\r\n"
            "[Tuner_Name]\r\nPreset1_Name= Jazz \r\nPreset3_Name=\r\nPreset6_Name=News\r\n"
            "[Zone_Name]\r\nZone3_Name=Study");
        state = SharedState{};
        Start();
        const auto& vq = state.vq;
        EXPECT_EQ(vq.ZoneName[1], "");
        EXPECT_EQ(vq.ZoneName[2], "Kitchen");
        if (model == 2) {
            EXPECT_EQ(vq.ZoneName[3], "");  // its header ended the tuner section
            EXPECT_EQ(vq.PresetName, (std::array<std::string, 7>{"", "Jazz", "Preset 2", "Preset 3",
                                                                 "Preset 4", "Preset 5", "News"}));
        } else {
            // The last section runs to the end of the file, its last line included.
            EXPECT_EQ(vq.ZoneName[3], "Study");
            EXPECT_EQ(vq.PresetName[1], "Preset 1");
            EXPECT_EQ(vq.PresetName[6], "Preset 6");
        }
    }
}

TEST_F(MenuTest, ShowZonesTakesExactlyShowzoneAndTrue) {
    WriteUserIni(kUserIni);
    WriteBytes(dir / "showzones.ini",
               "[Show zones on screen]\r\nShowzone1 = False\r\nShowzone2 = True\r\n"
               "Showzone3 = true\r\n  Showzone4 = True  \r\nshowzone1 = True\r\n");
    Start(false);
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
    m.Label9.setVisible(true);
    m.Timer1_Timer();
    EXPECT_FALSE(m.Label9.Visible());
    EXPECT_TRUE(StaysQuiet(amp));

    now = {2024, 3, 6, 0, 6, 0};
    m.Timer1_Timer();
    ASSERT_TRUE(amp.waitForLog(1));
    EXPECT_EQ(amp.log(), Lines{"*CLK,SET,06,03,2024,00,06,00;"});
    EXPECT_EQ(state.vq.LastSyncTime, now);
    EXPECT_EQ(m.Label9.Caption(), "Sync time : 00:06:00");
    EXPECT_TRUE(m.Label9.Visible());
    // The notice shows for one tick.
    now = {2024, 3, 6, 0, 7, 0};
    m.Timer1_Timer();
    EXPECT_FALSE(m.Label9.Visible());
    EXPECT_TRUE(StaysQuiet(amp));
    EXPECT_EQ(m.Timer1.Interval(), 60000);
    EXPECT_TRUE(m.Timer1.Enabled());

    // The PC clock put back an hour (end of summer time): the device follows at the next tick.
    now = {2024, 3, 5, 23, 8, 0};
    m.Timer1_Timer();
    ASSERT_TRUE(amp.waitForLog(2));
    EXPECT_EQ(amp.log().back(), "*CLK,SET,05,03,2024,23,08,00;");
    EXPECT_EQ(state.vq.LastSyncTime, now);
    // A small step back is no more due than a small step forward.
    now = {2024, 3, 5, 22, 58, 0};
    m.Timer1_Timer();
    EXPECT_TRUE(StaysQuiet(amp));
}

}  // namespace
}  // namespace qor::test
