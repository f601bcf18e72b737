#include "config/ini_build.h"

#include <gtest/gtest.h>

#include "config/ini_check.h"
#include "support/files.h"

namespace qor {
namespace {

using Lines = std::vector<std::string>;

TEST(BuildIniCommandTest, TurnsEachFamilyIntoItsCommandOrItsMessage) {
    const struct {
        const char* line;  // the whole text, one line with its line end
        const char* key;
        const char* result;
    } cases[] = {
        {"Zone1_Volume=99", "Zone1_Volume", "*VOL,1,2,99;"},
        {"Zone1_Volume=100", "Zone1_Volume", "8 'error volume buiten grenzen"},
        {"Zone2_High=-14", "Zone2_High", "*HIGH,2,2,-14;"},
        {"Zone2_High=14.6", "Zone2_High", "10 'error high tones buiten grenzen:Zone2_High"},
        {"Zone3_Low=2.5", "Zone3_Low", "*LOW,3,2,2;"},
        {"Zone4_MaxVol=100", "Zone4_MaxVol", "*MAX,4,100;"},
        {"Zone_PregainAux=5", "Zone_PregainAux", "*GAIN,1,05;"},
        {"Zone_PregainAux=30", "Zone_PregainAux", "*GAIN,1,30;"},
        {"Zone1_ONOFF=true", "Zone1_ONOFF", "*ON,1;"},
        {"Zone2_ONOFF=FALSE", "Zone2_ONOFF", "*OFF,2;"},
        {"Zone2_ONOFF=yes", "Zone2_ONOFF",
         "19 'error = geen ON of OFF ingevuld voor zone on/off:Zone2_ONOFF"},
        {"Zone1_Source=TUNER", "Zone1_Source", "*SRC,1,2;"},
        {"Zone1_Source=aux", "Zone1_Source",
         "20 'error = geen juiste source ingevuld:Zone1_Source"},
        {"Zone2_Link=N", "Zone2_Link", "*LINK,2,0;"},
        {"Tuner_Preset=3", "Tuner_Preset", "*TUN,PRES,3;"},
        {"Tuner_sensitivity=MID", "Tuner_sensitivity", "*TUN,SENS,2;"},
        {"Tuner_sensitivity=High", "Tuner_sensitivity",
         "24 error = Ongeldige waarde voor sensistivity:Tuner_sensitivity"},
        {"Preset3_Freq=88.8", "Preset3_Freq", "*TUN,FREQ,88,8;\r\n*TUN,MEM,3;"},
        {"Preset3_Freq=105", "Preset3_Freq", "*TUN,FREQ,105,;\r\n*TUN,MEM,3;"},
        {"Preset3_Freq= 98.5", "Preset3_Freq", "*TUN,FREQ, 98,5;\r\n*TUN,MEM,3;"},
        {"Preset3_Freq=FM", "Preset3_Freq", "*TUN,FREQ,88,8;\r\n*TUN,MEM,3;"},
        {"Temperature_Offset=-3", "Temperature_Offset", "*TEMP,CAL,-3;"},
        {"Temperature_Offset=+3", "Temperature_Offset", "*TEMP,CAL,+3;"},
        {"Temperature_Offset=3", "Temperature_Offset", "*TEMP,CAL,3;"},
        {"Temperature_Offset=-12", "Temperature_Offset", "*TEMP,CAL,-12;"},
        {"Temperature_Offset=-3.5", "Temperature_Offset",
         "27 error = Geen numerieke waarde voor offset temperatuur: Temperature_Offset"},
        {"Temperature_Min=5", "Temperature_Min", "*TEMP,MIN,5;"},
        {"Temperature_Min=7.5", "Temperature_Min",
         "25 error = Geen numerieke waarde voor minimale temperatuur: Temperature_Min"},
        {"Temperature_Min=-5", "Temperature_Min",
         "25 error = Geen numerieke waarde voor minimale temperatuur: Temperature_Min"},
        {"Temperature_Max=60", "Temperature_Max", "*TEMP,MAX,60;"},
        {"Clock12_Event=M,8,30,1,ON,AUX,20,0", "Clock12_Event",
         "*EVT,CLR,12;\r\n*EVT,SET,12,8,30,1,ON,AUX,20,0;"},
        {"Clock7_Event=W,7,05,2,OFF,TUNER,40,+3", "Clock7_Event",
         "*EVT,CLR,7;\r\n*EVT,SET,7,7,05,2,OFF,TUNER,40,3;"},
        {"Clock12_Event=X,25,30,1,ON,AUX,20,0", "Clock12_Event",
         "31 error = waarde voor uur niet conform (1/24): Clock12_Event"},
        {"Clock12_Event=M,8,30,1", "Clock12_Event",
         "28 error = Clock event heeft niet de juiste syntax...: Clock12_Event"},
        {"Preset1_Name=Radio 1 Jazz FM1", "Preset1_Name", " 4 error = naam te lang :Preset1_Name"},
        {"Zone1_Name=Living Room AB1 ", "Zone1_Name", "0"},
        {"Zone1_Name=Living Room AB12", "Zone1_Name", "5 error = naam te lang :Zone1_Name"},
        {"Zone1_Name=", "Zone1_Name", "1 'warning : setting niet ingevuld:Zone1_Name"},
        {"[Zone_Volume]", "", " 2 error = lijn niet goed opgebouwd : geen =  :"},
        {"Zone1_Volume=20", "Zone4_Volume", "99 : string not found... :Zone4_Volume"},
        {"", "Zone1_Volume", " 98 : ini file not loaded..."},
    };
    for (const auto& c : cases) {
        VariablesQor vq;
        const std::string text = *c.line ? c.line + std::string("\r\n") : "";
        EXPECT_EQ(BuildIniCommand(text, c.key, vq), c.result) << c.line;
    }
}

const std::string kText =
    "Preset2_Name= Jazz FM \r\nPreset3_Name=Much too long a name\r\nPreset7_Name=x\r\n"
    "Zone4_Name=Caf\xE9\r\nZone1_ONOFF=True\r\nZone2_ONOFF=false\r\nZone9_ONOFF=True\r\n"
    "Preset3_Freq=88.8\r\nZone1_Volume=20";

TEST(BuildUploadTest, SplitsCommandsFromMessagesAndTakesNamesAndOnOff) {
    VariablesQor vq;
    vq.PresetName[3] = "Old";
    vq.ZoneOn[2] = true;
    Lines seen;
    const Lines keys = {"Preset2_Name", "Preset3_Name", "Preset7_Name", "Zone4_Name",
                        "Zone1_ONOFF",  "Zone2_ONOFF",  "Zone9_ONOFF",  "Preset3_Freq",
                        "Zone1_Volume", "Zone3_Volume"};
    const UploadBuild b = BuildUpload(kText, keys, vq,
                                      {.now = [] { return DateTime{2026, 12, 9, 9, 5, 7}; },
                                       .onKey = [&](const std::string& k) { seen.push_back(k); }});
    EXPECT_EQ(b.uploadLines, (Lines{"*ON,1;", "*OFF,2;", "*ON,9;", "*TUN,FREQ,88,8;", "*TUN,MEM,3;",
                                    "*VOL,1,2,20;", "End build : 09-12-2026 09:05:07"}));
    EXPECT_EQ(b.dontUploadLines, (Lines{"0", " 4 error = naam te lang :Preset3_Name", "0", "0",
                                        "99 : string not found... :Zone3_Volume"}));
    EXPECT_FALSE(b.emptyText);
    EXPECT_EQ(seen, keys);
    EXPECT_EQ(vq.PresetName[2], "Jazz FM");
    EXPECT_EQ(vq.PresetName[3], "Old");
    EXPECT_EQ(vq.ZoneName[4], "Caf\xE9");
    EXPECT_TRUE(vq.ZoneOn[1]);
    EXPECT_FALSE(vq.ZoneOn[2]);
}

TEST(BuildUploadTest, AnEmptyTextBuildsNothingToSend) {
    VariablesQor vq;
    const UploadBuild b = BuildUpload("  ", {"Zone1_ONOFF", "Zone2_ONOFF"}, vq);
    EXPECT_TRUE(b.emptyText);
    EXPECT_TRUE(b.uploadLines.empty());
    EXPECT_EQ(b.dontUploadLines, (Lines{" 98 : ini file not loaded..."}));
}

TEST(BuildUploadTest, WritesBothFilesWithCrLf) {
    test::TempFolder dir;
    UploadBuild b;
    b.uploadLines = {"*ON,1;", "End build : x"};
    b.dontUploadLines = {"0"};
    ASSERT_TRUE(WriteUploadFiles(dir.path(), b));
    EXPECT_EQ(test::ReadBytes(dir / kUploadFileName), "*ON,1;\r\nEnd build : x\r\n");
    EXPECT_EQ(test::ReadBytes(dir / kDontUploadFileName), "0\r\n");
    std::string why;
    EXPECT_FALSE(WriteUploadFiles(dir / "gone", b, &why));
    EXPECT_FALSE(why.empty());
}

}  // namespace
}  // namespace qor
