#include "link/commands.h"

#include <gtest/gtest.h>

#include <string>

namespace qor::cmd {
namespace {

struct TextCase {
    std::string got;
    const char* want;
};

void ExpectTexts(const TextCase* cases, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message() << "expected \"" << cases[i].want << "\"");
        EXPECT_EQ(cases[i].got, cases[i].want);
    }
}

TEST(CommandsTest, ReadRequests) {
    const TextCase cases[] = {
        {RdModel(), "*RD,MODEL;"},      {RdVer(), "*RD,VER;"},          {RdOn(1), "*RD,ON,1;"},
        {RdVol(4), "*RD,VOL,4;"},       {RdLow(2), "*RD,LOW,2;"},       {RdHigh(3), "*RD,HIGH,3;"},
        {RdVolMax(1), "*RD,VOLMAX,1;"}, {RdGain(2), "*RD,GAIN,2;"},     {RdSrc(3), "*RD,SRC,3;"},
        {RdLink(4), "*RD,LINK,4;"},     {RdTemp(), "*RD,TEMP;"},        {RdClk(), "*RD,CLK;"},
        {RdEvt(7), "*RD,EVT,7;"},       {RdEvt(16), "*RD,EVT,16;"},     {RdPres(3), "*RD,PRES,3;"},
        {TunFreqRead(), "*TUN,FREQ;"},  {RdTunSens(), "*RD,TUN,SENS;"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(CommandsTest, SetCommands) {
    const TextCase cases[] = {
        {Vol(1, 40), "*VOL,1,2,40;"},
        {Vol(2, 0), "*VOL,2,2,0;"},
        {Low(1, -3), "*LOW,1,2,-3;"},
        {High(4, 5), "*HIGH,4,2,5;"},
        {High(3, -12), "*HIGH,3,2,-12;"},
        {Max(1, 60), "*MAX,1,60;"},
        {Gain(2, 5), "*GAIN,2,5;"},
        {On(1), "*ON,1;"},
        {Off(4), "*OFF,4;"},
        {Src(1, 2), "*SRC,1,2;"},
        {LinkSet(1, 0), "*LINK,1,0;"},
        {LinkSet(3, 1), "*LINK,3,1;"},
        {TunStep(1), "*TUN,1;"},
        {TunStep(2), "*TUN,2;"},
        {TunSearch(1), "*TUN,SEARCH,1;"},
        {TunSearch(2), "*TUN,SEARCH,2;"},
        {TunPres(3), "*TUN,PRES,3;"},
        {TunMem(6), "*TUN,MEM,6;"},
        {TunSens(1), "*TUN,SENS,1;"},
        {TunFreq("88", "8"), "*TUN,FREQ,88,8;"},
        {TunFreq("104", "3"), "*TUN,FREQ,104,3;"},
        {TunFreqEmptyPreset(), "*TUN,FREQ,88,8;"},
        {EvtClr("01"), "*EVT,CLR,01;"},
        {EvtClr("16"), "*EVT,CLR,16;"},
        {EvtClr("3"), "*EVT,CLR,3;"},
        {EvtSet("1,1,08,30,1,1,40,1"), "*EVT,SET,1,1,08,30,1,1,40,1;"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(CommandsTest, ClockSetPadsEveryPart) {
    const TextCase cases[] = {
        {ClkSet({2024, 3, 5, 9, 7, 3}), "*CLK,SET,05,03,2024,09,07,03;"},
        {ClkSet({1999, 12, 31, 23, 59, 58}), "*CLK,SET,31,12,1999,23,59,58;"},
        {ClkSet({2030, 1, 1, 0, 0, 0}), "*CLK,SET,01,01,2030,00,00,00;"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(CommandsTest, TemperatureLimitsPadOnlySingleDigits) {
    const TextCase cases[] = {
        {TempMin("5"), "*TEMP,MIN,05;"},
        {TempMin("0"), "*TEMP,MIN,00;"},
        {TempMin("9"), "*TEMP,MIN,09;"},
        {TempMin("10"), "*TEMP,MIN,10;"},
        {TempMin("65"), "*TEMP,MIN,65;"},
        {TempMin("-3"), "*TEMP,MIN,-3;"},
        {TempMin(" 007 "), "*TEMP,MIN,07;"},
        // Rounded first, halves to even.
        {TempMin("4.5"), "*TEMP,MIN,04;"},
        {TempMin("9.5"), "*TEMP,MIN,10;"},
        {TempMin("-0.4"), "*TEMP,MIN,00;"},
        {TempMax("90"), "*TEMP,MAX,90;"},
        {TempMax("8"), "*TEMP,MAX,08;"},
        {TempMax("+75"), "*TEMP,MAX,75;"},
        // Not a whole 32-bit number: the trimmed text goes as it is.
        {TempMax(" abc "), "*TEMP,MAX,abc;"},
        {TempMin("99999999999"), "*TEMP,MIN,99999999999;"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(CommandsTest, TemperatureOffsetKeepsTwoDigitsBothSides) {
    const TextCase cases[] = {
        {TempCal("-3"), "*TEMP,CAL,-03;"},   {TempCal("0"), "*TEMP,CAL,00;"},
        {TempCal("-10"), "*TEMP,CAL,-10;"},  {TempCal("5"), "*TEMP,CAL,05;"},
        {TempCal("-9"), "*TEMP,CAL,-09;"},   {TempCal("-1"), "*TEMP,CAL,-01;"},
        {TempCal("9"), "*TEMP,CAL,09;"},     {TempCal("12"), "*TEMP,CAL,12;"},
        {TempCal("-12"), "*TEMP,CAL,-12;"},  {TempCal("-4"), "*TEMP,CAL,-04;"},
        {TempCal("-0"), "*TEMP,CAL,00;"},    {TempCal("-0.5"), "*TEMP,CAL,00;"},
        {TempCal("-1.5"), "*TEMP,CAL,-02;"}, {TempCal("-9.5"), "*TEMP,CAL,-10;"},
        {TempCal(" -7 "), "*TEMP,CAL,-07;"}, {TempCal("x"), "*TEMP,CAL,x;"},
    };
    ExpectTexts(cases, std::size(cases));
}

TEST(ModelTest, ReadersAgreeOnTheModelCode) {
    struct Case {
        const char* answer;
        const char* byField;
        const char* byScan;
    };
    const Case cases[] = {
        {"*RT,MODEL,x,2;", "QOR 82", "QOR 82"},
        {"*RT,MODEL,x,1;", "QOR 81", "QOR 81"},
        {"*RT,MODEL,x,7;", "", ""},
        {"*RT,MODEL,x,;", "", ""},
        {"  *RT,MODEL,x,1;  ", "QOR 81", "QOR 81"},
        {"*RT,VER,2;", "", ""},
        {"Comm Error", "", ""},
        {"Comm Error : NO CONNECTION", "", ""},
        {"", "", ""},
        // The scan only looks at the frame and the last two characters.
        {"*RT,MODEL,12;", "", "QOR 82"},
        {"*RT,MODEL,x,2", "QOR 82", ""},
        {"*rt,model,x,2;", "QOR 82", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("answer \"") + c.answer + "\"");
        EXPECT_EQ(ModelFromAnswer(c.answer), c.byField);
        EXPECT_EQ(ModelFromScan(c.answer), c.byScan);
    }
}

TEST(ModelTest, CodesAndDisplayTexts) {
    EXPECT_EQ(ModelFromCode("1"), "QOR 81");
    EXPECT_EQ(ModelFromCode("2"), "QOR 82");
    EXPECT_EQ(ModelFromCode("3"), "");
    EXPECT_EQ(ModelFromCode(""), "");
    EXPECT_EQ(ModelFromCode("12"), "");
    EXPECT_EQ(ModelDisplayText("QOR 81"), "Q O R  8.1");
    EXPECT_EQ(ModelDisplayText("QOR 82"), "Q O R  8.2");
    EXPECT_EQ(ModelDisplayText("unknown"), "");
    EXPECT_EQ(ModelDisplayText(""), "");
}

}  // namespace
}  // namespace qor::cmd
