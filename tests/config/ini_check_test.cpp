#include "config/ini_check.h"

#include <gtest/gtest.h>

#include "support/files.h"

namespace qor {
namespace {

using Lines = std::vector<std::string>;

TEST(IniFieldHelpersTest, TakeKeysAndValuesApart) {
    const struct {
        std::string (*helper)(std::string_view);
        const char* in;
        const char* out;
    } cases[] = {
        {KeyAfterUnderscore, "Zone1_Volume", "Volume"},
        {KeyAfterUnderscore, "Zone_PregainAux", "PregainAux"},
        {KeyAfterUnderscore, "A_B_C", "B"},
        {KeyAfterUnderscore, "NoUnderscore", ""},
        {KeyIndexDigit, "Preset3_Freq", "3"},
        {KeyIndexDigit, "Clock12_Event", "2"},
        {KeyIndexDigit, "", ""},
        {ValueBeforeComma, "88.8", "88"},
        {ValueBeforeComma, " 105", " 105"},
        {ValueBeforeComma, "1,2.3", "1"},
        {ValueAfterCommaAlnum, "88.8", "8"},
        {ValueAfterCommaAlnum, "105", ""},
        {ValueAfterCommaAlnum, "1, x-y ,9", "xy"},
        {KeepAlphaNum, " -7.5 Ab\r\n,;\xE9", "75Ab"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.helper(c.in), c.out) << c.in;
    EXPECT_EQ(CountCommas("M,8,30,,"), 4);
}

std::string Text(const Lines& lines) {
    std::string t;
    for (const auto& l : lines) t += l + "\r\n";
    return t;
}

TEST(CheckIniLineTest, LocatesTheKeyAndChecksItsFamily) {
    const struct {
        std::string text;
        const char* key;
        const char* result;
    } cases[] = {
        // Where the key is and what its value is.
        {"[Zone_Volume]\r\nZone1_Volume=200", "Zone1_Volume", "8 error volume buiten grenzen"},
        {"X=1\nZone1_Volume=20\rZone1_High=99", "Zone1_Volume", "0"},
        {Text({"zone1_volume=20"}), "Zone1_Volume", "99 : string not found... :Zone1_Volume"},
        {Text({"Zone1_Name=Zone1_Volume 5", "Zone1_Volume=20"}), "Zone1_Volume",
         " 2 error = lijn niet goed opgebouwd : geen =  in lijn :Zone1_Volume"},
        {Text({"Zone1_Name="}), "Zone1_Name", "1 'warning : setting niet ingevuld:Zone1_Name"},
        {Text({"Zone1_Volume=20"}), "Zone1_Vol", "0"},  // family VOL has no rule
        {Text({"[Zone_Name]", "Zone1_Name=x"}), "", "0"},
        {Text({"[Zone_Name]"}), "--", "0"},
        {Text({"Zone1_MaxVol=101"}), " Zone1_MaxVol",
         "14 error maximumvolume buiten grenzen: Zone1_MaxVol"},
        {" ", "Zone1_Volume", "Error : ini file has an invalid lentgh...:Zone1_Volume"},
        // The families.
        {Text({"Zone1_Volume=100"}), "Zone1_Volume", "0"},
        {Text({"Zone1_Volume=101"}), "Zone1_Volume", "8 error volume buiten grenzen"},
        {Text({"Zone2_High=-15"}), "Zone2_High", "10 error high tones buiten grenzen:Zone2_High"},
        {Text({"Zone2_High=-14"}), "Zone2_High", "0"},
        {Text({"Zone2_High=14.4"}), "Zone2_High", "0"},
        {Text({"Zone2_High=14.6"}), "Zone2_High", "10 error high tones buiten grenzen:Zone2_High"},
        {Text({"Zone_PregainTuner=x"}), "Zone_PregainTuner",
         "17 'error = geen getal voor pregain tuner ingevuld:Zone_PregainTuner"},
        {Text({"Preset1_Freq=105"}), "Preset1_Freq", "0"},
        {Text({"Preset1_Freq=88,8"}), "Preset1_Freq",
         "3  error = frequentie geen getal :Preset1_Freq"},
        {Text({"Preset1_Name=Radio123 Jazz FMX"}), "Preset1_Name", "0"},
        {Text({"Preset1_Name=Radio123 Jazz FMXY"}), "Preset1_Name",
         " 4 error = naam preset te lang :Preset1_Name"},
        {Text({"Zone1_Name=Living123 Room AB C"}), "Zone1_Name",
         "5 error = naam zone te lang :Zone1_Name"},
        {Text({"Tuner_Name=x"}), "Tuner_Name", " 6 error name zone onbekend = teveel :Tuner_Name"},
        {Text({"Zone1_ONOFF=True"}), "Zone1_ONOFF", "0"},
        {Text({"Zone1_ONOFF=true"}), "Zone1_ONOFF",
         "19 error = geen True of False ingevuld voor zone on/off:Zone1_ONOFF"},
        {Text({"Zone1_Source=aux"}), "Zone1_Source",
         "20 error = geen juiste source ingevuld:Zone1_Source"},
        {Text({"Tuner_Preset=x"}), "Tuner_Preset",
         "22 error = Gekozen preset niet ingevuld: Tuner_Preset"},
        {Text({"Tuner_Preset=7"}), "Tuner_Preset",
         "23 error = Ongeldig preset nummer (tussen 1 en 6):Tuner_Preset"},
        {Text({"Tuner_sensitivity=High"}), "Tuner_sensitivity", "0"},
        {Text({"Tuner_sensitivity=Loud"}), "Tuner_sensitivity",
         "24 error = Ongeldige waarde voor sensistivity:Tuner_sensitivity"},
        {Text({"Temperature_Min=-5"}), "Temperature_Min", "0"},
        {Text({"Temperature_Max=7.5"}), "Temperature_Max", "0"},
        {Text({"Temperature_Offset=warm"}), "Temperature_Offset",
         "27 error = Geen numerieke waarde voor offset temperatuur: Temperature_Offset"},
        {Text({"Clock3_Event=M,8,30"}), "Clock3_Event",
         "28 error = Clock event heeft niet de juiste syntax...: Clock3_Event"},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckIniLine(c.text, c.key), c.result) << c.text;
}

TEST(CheckClockEventValueTest, TheLastFailingFieldWinsAndThePresetReplaces) {
    const struct {
        const char* value;
        const char* result;  // the message number; the key follows the text
    } cases[] = {
        {"M,8,30,1,ON,AUX,20,0", "0"},
        {" m,24,0,0,OFF,TUNER,99,6 ", "0"},
        {"X,25,30,1,ON,AUX,20,0", "31 error = waarde voor uur niet conform (1/24): "},
        {"X,8,30,1,ON,AUX,20,0", "29 error = Clock event heeft een ongeldige dagcode...: "},
        {",8,30,1,ON,AUX,20,0", "29 error = Clock event heeft een ongeldige dagcode...: "},
        {"M,8,30,1", "28 error = Clock event heeft niet de juiste syntax...: "},
        {"M,h,60,1,ON,AUX,20,0", "33 error = waarde voor minuut niet conform (0/59): "},
        {"M,8,x,1,ON,AUX,20,0", "32 error = geen numerieke waarde voor minuut opgegeven: "},
        {"M,8,30,5,ON,RADIO,20,0", "37 error = Ongeldige waarde (AUX/TUNER) : "},
        {"M,8,30,z,on,AUX,20,0", "36 error = Ongeldige waarde (ON/OFF) : "},
        {"M,8,30,1,ON,AUX,100,0", "39 error = waarde voor volume niet conform (0/99): "},
        {"M,8,30,1,ON,AUX,20,p", "40 error = geen numerieke waarde voor preset tuner opgegeven: "},
        {"X,25,30,1,ON,AUX,20,7", "41 error = waarde voor preset tuner niet conform (1/6): "},
        {"M,8,30,1,ON,AUX,20,99999", "41 error = waarde voor preset tuner niet conform (1/6): "},
    };
    for (const auto& c : cases) {
        const std::string result = c.result;
        const std::string expected = result == "0" ? result : result + "Clock12_Event";
        EXPECT_EQ(CheckClockEventValue(c.value, "Clock12_Event"), expected) << c.value;
    }
}

const DateTime kNine{2026, 12, 9, 9, 5, 7};

TEST(ScanIniTextTest, LogsEveryKeyAndCollectsTheFailures) {
    const std::string text = Text({"Zone1_Volume=20", "Zone1_High=20"});
    Lines seen;
    const IniScan scan = ScanIniText(
        text, {"Zone1_Volume", "", "Zone1_High"},
        {.now = [] { return kNine; }, .onKey = [&](const std::string& k) { seen.push_back(k); }});
    EXPECT_EQ(scan.logName, "scanresult_9_5.log");
    EXPECT_EQ(scan.logLines,
              (Lines{"09-12-2026 09:05:07 : Zone1_Volume => 0", "09-12-2026 09:05:07 :  => 0",
                     "09-12-2026 09:05:07 : Zone1_High => 10 error high tones "
                     "buiten grenzen:Zone1_High"}));
    EXPECT_EQ(seen, (Lines{"Zone1_Volume", "", "Zone1_High"}));
    EXPECT_EQ(IniHasErrors(scan), 1);
    const IniCheckBox box = CheckIniFile(scan);
    EXPECT_EQ(box.text, "\n10 error high tones buiten grenzen:Zone1_High");
    EXPECT_EQ(box.icon, IniBoxIcon::Critical);

    const IniScan clean = ScanIniText(text, {"Zone1_Volume"});
    EXPECT_EQ(IniHasErrors(clean), 0);
    EXPECT_EQ(CheckIniFile(clean).text, "Ini file OK... ");
    EXPECT_EQ(CheckIniFile(clean).icon, IniBoxIcon::Information);
    EXPECT_EQ(CheckLogName({2026, 1, 1, 23, 59, 0}), "scanresult_23_59.log");
}

TEST(ScanIniTextTest, AnEmptyTextFailsOnceAndIsNeverOk) {
    for (const char* text : {"", "   ", "\r\n\t \n"}) {
        int calls = 0;
        const IniScan scan = ScanIniText(
            text, {"Zone1_Volume", "Zone2_Volume"},
            {.now = [] { return kNine; }, .onKey = [&](const std::string&) { ++calls; }});
        EXPECT_TRUE(scan.emptyText);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(IniHasErrors(scan), 1);
        const IniCheckBox box = CheckIniFile(scan);
        EXPECT_EQ(box.text, "Error : ini file has an invalid lentgh...:Zone1_Volume");
        EXPECT_EQ(box.icon, IniBoxIcon::None);
    }
    EXPECT_EQ(IniHasErrors(ScanIniText("", {})), 1);
}

TEST(CheckLogFilesTest, TheLogReplacesItsNamesakeAndAMissingKeyListIsSaid) {
    test::TempFolder dir;
    IniScan scan;
    scan.logName = "scanresult_9_5.log";
    scan.logLines = {"a", "b"};
    test::WriteBytes(dir / scan.logName, "old and longer");
    ASSERT_TRUE(WriteCheckLog(dir.path(), scan));
    EXPECT_EQ(test::ReadBytes(dir / scan.logName), "a\r\nb\r\n");
    std::string why;
    EXPECT_FALSE(WriteCheckLog(dir / "gone", scan, &why));
    EXPECT_FALSE(why.empty());

    EXPECT_FALSE(ReadKeyList(dir.path(), &why));
    EXPECT_NE(KeyListMissingText(dir.path(), why).find("lookforinini.txt"), std::string::npos);
    test::WriteBytes(dir / kKeyListFileName, "Zone1_Volume\r\n\r\n Zone1_High\n");
    EXPECT_EQ(ReadKeyList(dir.path()), (Lines{"Zone1_Volume", "", " Zone1_High"}));
}

}  // namespace
}  // namespace qor
