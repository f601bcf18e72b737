#include "link/commands.h"

#include <gtest/gtest.h>

#include <string>

#include "link/port_scan.h"

namespace qor::cmd {
namespace {

struct TextCase {
    std::string got;
    const char* want;
};

void ExpectTexts(std::initializer_list<TextCase> cases) {
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(CommandsTest, EveryCommandTextByteForByte) {
    ExpectTexts({
        {RdModel(), "*RD,MODEL;"},
        {RdVer(), "*RD,VER;"},
        {RdOn(1), "*RD,ON,1;"},
        {RdVol(4), "*RD,VOL,4;"},
        {RdLow(2), "*RD,LOW,2;"},
        {RdHigh(3), "*RD,HIGH,3;"},
        {RdVolMax(1), "*RD,VOLMAX,1;"},
        {RdGain(2), "*RD,GAIN,2;"},
        {RdSrc(3), "*RD,SRC,3;"},
        {RdLink(4), "*RD,LINK,4;"},
        {RdTemp(), "*RD,TEMP;"},
        {RdClk(), "*RD,CLK;"},
        {RdEvt(16), "*RD,EVT,16;"},
        {RdPres(3), "*RD,PRES,3;"},
        {TunFreqRead(), "*TUN,FREQ;"},
        {RdTunSens(), "*RD,TUN,SENS;"},
        {Vol(1, 40), "*VOL,1,2,40;"},
        {Low(1, -3), "*LOW,1,2,-3;"},
        {High(3, -12), "*HIGH,3,2,-12;"},
        {Max(1, 60), "*MAX,1,60;"},
        {Gain(2, 5), "*GAIN,2,5;"},
        {On(1), "*ON,1;"},
        {Off(4), "*OFF,4;"},
        {Src(1, 2), "*SRC,1,2;"},
        {LinkSet(1, 0), "*LINK,1,0;"},
        {TunStep(2), "*TUN,2;"},
        {TunSearch(1), "*TUN,SEARCH,1;"},
        {TunPres(3), "*TUN,PRES,3;"},
        {TunMem(6), "*TUN,MEM,6;"},
        {TunSens(1), "*TUN,SENS,1;"},
        {TunFreq("104", "3"), "*TUN,FREQ,104,3;"},
        {TunFreqEmptyPreset(), "*TUN,FREQ,88,8;"},
        {EvtClr("01"), "*EVT,CLR,01;"},
        {EvtSet("1,1,08,30,1,1,40,1"), "*EVT,SET,1,1,08,30,1,1,40,1;"},
        {ClkSet({2024, 3, 5, 9, 7, 3}), "*CLK,SET,05,03,2024,09,07,03;"},
        {ClkSet({1999, 12, 31, 23, 59, 58}), "*CLK,SET,31,12,1999,23,59,58;"},
    });
}

TEST(CommandsTest, TemperatureTextsPadSingleDigitsAfterRounding) {
    ExpectTexts({
        {TempMin("5"), "*TEMP,MIN,05;"},
        {TempMin("10"), "*TEMP,MIN,10;"},
        {TempMin("-3"), "*TEMP,MIN,-3;"},
        {TempMin(" 007 "), "*TEMP,MIN,07;"},
        {TempMax("+75"), "*TEMP,MAX,75;"},
        {TempMax("8"), "*TEMP,MAX,08;"},
        // Rounded first, halves to even.
        {TempMin("4.5"), "*TEMP,MIN,04;"},
        {TempMin("9.5"), "*TEMP,MIN,10;"},
        {TempCal("-3"), "*TEMP,CAL,-03;"},
        {TempCal("0"), "*TEMP,CAL,00;"},
        {TempCal("-10"), "*TEMP,CAL,-10;"},
        {TempCal("5"), "*TEMP,CAL,05;"},
        {TempCal("-9"), "*TEMP,CAL,-09;"},
        {TempCal("-12"), "*TEMP,CAL,-12;"},
        {TempCal("-0"), "*TEMP,CAL,00;"},
        {TempCal("-0.5"), "*TEMP,CAL,00;"},
        {TempCal("-9.5"), "*TEMP,CAL,-10;"},
        {TempCal(" -7 "), "*TEMP,CAL,-07;"},
        // Not a whole 32-bit number: the trimmed text goes as it is.
        {TempMax(" abc "), "*TEMP,MAX,abc;"},
        {TempMin("99999999999"), "*TEMP,MIN,99999999999;"},
        {TempCal("x"), "*TEMP,CAL,x;"},
    });
}

TEST(ModelTest, FieldReaderAndScanRecogniseTheModelCodes) {
    const struct {
        const char* answer;
        const char* byField;
        const char* byScan;
        const char* candidateCode;  // what the scan lists when it finds no model
    } cases[] = {
        {"*RT,MODEL,x,2;", "QOR 82", "QOR 82", ""},
        {"  *RT,MODEL,x,1;  ", "QOR 81", "QOR 81", ""},
        {"*RT,MODEL,x,7;", "", "", "7"},
        {"*RT,MODEL,x,;", "", "", ","},
        {"*RT,VER,2;", "", "", "2"},
        {"Comm Error : NO CONNECTION", "", "", "O"},
        {"?", "", "", "?"},
        // The scan only looks at the frame and the last two characters.
        {"*RT,MODEL,12;", "", "QOR 82", ""},
        {"*RT,MODEL,x,2", "QOR 82", "", ","},
        {"*rt,model,x,2;", "QOR 82", "", "2"},
        {"*RT,MODEL,x,1; ", "QOR 81", "QOR 81", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("answer \"") + c.answer + "\"");
        EXPECT_EQ(ModelFromAnswer(c.answer), c.byField);
        const ScanJudgement judged = JudgeScanAnswer(c.answer);
        EXPECT_EQ(judged.model, c.byScan);
        EXPECT_EQ(judged.candidateCode, c.candidateCode);
    }
    EXPECT_EQ(ScanCandidateEntry(4, "7"), "Com 4 : connection to 7");
    for (const char* model : {"QOR 81", "qor 81", "QOR 82", "Qor 82"})
        EXPECT_TRUE(IsKnownModel(model));
    for (const char* model : {"unknown", "Unknown", "", "QOR 83", " QOR 82"})
        EXPECT_FALSE(IsKnownModel(model)) << model;
    EXPECT_TRUE(IsTunerModel("qor 82"));
    EXPECT_FALSE(IsTunerModel("QOR 81"));
    EXPECT_TRUE(IsTunerlessModel("qor 81"));
    EXPECT_FALSE(IsTunerlessModel("QOR 82"));
    ExpectTexts({{ModelFromCode("1"), "QOR 81"},
                 {ModelFromCode("2"), "QOR 82"},
                 {ModelFromCode("12"), ""},
                 {ModelFromCode(""), ""},
                 {ModelDisplayText("QOR 81"), "Q O R  8.1"},
                 {ModelDisplayText("QOR 82"), "Q O R  8.2"},
                 {ModelDisplayText("unknown"), ""}});
}

}  // namespace
}  // namespace qor::cmd
