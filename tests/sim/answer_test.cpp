#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "simamp.h"

using qor::sim::Answer;
using qor::sim::DeviceState;

namespace {

// Every read the device knows, answered in turn: two states that give the same text here are
// the same device as far as any reader can tell.
std::string AllReads(DeviceState s) {
    std::vector<std::string> reads = {"*RD,MODEL;", "*RD,VER;",      "*RD,TEMP;",   "*RD,CLK;",
                                      "*TUN,FREQ;", "*RD,TUN,SENS;", "*RD,GAIN,1;", "*RD,GAIN,2;"};
    for (int z = 1; z <= 4; ++z)
        for (const char* item : {"ON", "VOL", "LOW", "HIGH", "VOLMAX", "SRC", "LINK"})
            reads.push_back(std::string("*RD,") + item + "," + std::to_string(z) + ";");
    for (int n = 1; n <= 6; ++n) reads.push_back("*RD,PRES," + std::to_string(n) + ";");
    for (int n = 1; n <= 16; ++n) reads.push_back("*RD,EVT," + std::to_string(n) + ";");
    std::string all;
    for (const auto& r : reads) all += Answer(s, r) + "\n";
    return all;
}

std::string Read(DeviceState& s, const std::string& command) { return Answer(s, command); }

}  // namespace

TEST(Answer, ReadsOfTheTunerModelUseTheReadersLayouts) {
    DeviceState s;
    s.zones[2].on = true;
    s.zones[3].bass = -4;
    s.gain[2] = 12;
    s.tempOffset = -3;
    s.presets[6] = {101, 2};
    s.events[9] = "1111100,07,30,2,1,2,25,4";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"*RD,MODEL;", "*RT,MODEL,0,2;"},
        {"*RD,VER;", "*RT,VER,V2.14;"},
        {"*RD,ON,1;", "*RT,ON,0;"},
        {"*RD,ON,2;", "*RT,ON,1;"},
        {"*RD,VOL,4;", "*RT,VOL,4,40;"},
        {"*RD,LOW,3;", "*RT,LOW,3,-4;"},
        {"*RD,HIGH,1;", "*RT,HIGH,1,0;"},
        {"*RD,VOLMAX,2;", "*RT,VOLMAX,2,80;"},
        {"*RD,GAIN,2;", "*RT,GAIN,2,12;"},
        {"*RD,SRC,1;", "*RT,SRC,1,1;"},
        {"*RD,LINK,1;", "*RT,LINK,1,2;"},
        {"*RD,TEMP;", "*RT,TEMP,45,70,90,-3,0;"},
        {"*RD,CLK;", "*RT,CLK,01/01/2026 12:00:00;"},
        {"*RD,EVT,9;", "*RT,EVT,9,1111100,07,30,2,1,2,25,4;"},
        {"*RD,EVT,16;", "*RT,EVT,16,0000000,00,00,0,0,1,00,0;"},
        {"*RD,PRES,6;", "*RT,PRES,6,101,2;"},
        {"*TUN,FREQ;", "*RT,TUN,FREQ,88,8;"},
        {"*RD,TUN,SENS;", "*RT,TUN,SENS,1;"},
    };
    for (const auto& [command, answer] : cases) EXPECT_EQ(Read(s, command), answer) << command;
}

TEST(Answer, ModelWithoutTunerIgnoresTunerReadsAndSets) {
    DeviceState s;
    s.modelCode = 1;
    EXPECT_EQ(Read(s, "*RD,MODEL;"), "*RT,MODEL,0,1;");
    EXPECT_EQ(Read(s, "*RD,PRES,1;"), "");
    EXPECT_EQ(Read(s, "*TUN,FREQ;"), "");
    EXPECT_EQ(Read(s, "*RD,TUN,SENS;"), "");
    EXPECT_EQ(Read(s, "*TUN,FREQ,100,1;"), "");
    EXPECT_EQ(s.frequency.mhz, 88);
    // Everything else still answers, and an unknown code is reported as it stands.
    EXPECT_EQ(Read(s, "*RD,VOL,1;"), "*RT,VOL,1,40;");
    s.modelCode = 7;
    EXPECT_EQ(Read(s, "*RD,MODEL;"), "*RT,MODEL,0,7;");
    EXPECT_EQ(Read(s, "*TUN,FREQ;"), "*RT,TUN,FREQ,88,8;");
}

TEST(Answer, SetCommandsChangeWhatLaterReadsAnswer) {
    DeviceState s;
    // {set command, read, answer after the set}
    const std::vector<std::array<std::string, 3>> steps = {
        {"*VOL,2,2,55;", "*RD,VOL,2;", "*RT,VOL,2,55;"},
        {"*VOL,2,2,500;", "*RD,VOL,2;", "*RT,VOL,2,80;"},  // held at the maximum volume
        {"*VOL,2,2,-5;", "*RD,VOL,2;", "*RT,VOL,2,0;"},
        {"*VOL,3,2,70;", "*RD,VOL,3;", "*RT,VOL,3,70;"},
        {"*MAX,3,30;", "*RD,VOL,3;", "*RT,VOL,3,30;"},  // lowering the maximum pulls volume down
        {"*MAX,3,250;", "*RD,VOLMAX,3;", "*RT,VOLMAX,3,100;"},
        {"*LOW,1,2,-5;", "*RD,LOW,1;", "*RT,LOW,1,-5;"},
        {"*LOW,1,2,-50;", "*RD,LOW,1;", "*RT,LOW,1,-15;"},
        {"*HIGH,4,2,7;", "*RD,HIGH,4;", "*RT,HIGH,4,7;"},
        {"*HIGH,4,2,17;", "*RD,HIGH,4;", "*RT,HIGH,4,15;"},
        {"*ON,3;", "*RD,ON,3;", "*RT,ON,1;"},
        {"*OFF,3;", "*RD,ON,3;", "*RT,ON,0;"},
        {"*SRC,2,2;", "*RD,SRC,2;", "*RT,SRC,2,2;"},
        {"*SRC,2,3;", "*RD,SRC,2;", "*RT,SRC,2,2;"},  // no such source: unchanged
        {"*LINK,4,1;", "*RD,LINK,4;", "*RT,LINK,4,1;"},
        {"*LINK,4,0;", "*RD,LINK,4;", "*RT,LINK,4,2;"},
        {"*GAIN,1,05;", "*RD,GAIN,1;", "*RT,GAIN,1,5;"},
        {"*GAIN,2,31;", "*RD,GAIN,2;", "*RT,GAIN,2,30;"},
        {"*TEMP,MIN,05;", "*RD,TEMP;", "*RT,TEMP,45,5,90,0,0;"},
        {"*TEMP,MAX,85;", "*RD,TEMP;", "*RT,TEMP,45,5,85,0,0;"},
        {"*TEMP,CAL,-03;", "*RD,TEMP;", "*RT,TEMP,45,5,85,-3,0;"},
        {"*TEMP,CAL,+4;", "*RD,TEMP;", "*RT,TEMP,45,5,85,4,0;"},
        {"*CLK,SET,05,06,2027,07,08,09;", "*RD,CLK;", "*RT,CLK,05/06/2027 07:08:09;"},
        {"*CLK,SET,05,13,2027,07,08,09;", "*RD,CLK;", "*RT,CLK,05/06/2027 07:08:09;"},
        {"*EVT,SET,4,1000000,06,45,1,1,1,30,1;", "*RD,EVT,4;",
         "*RT,EVT,4,1000000,06,45,1,1,1,30,1;"},
        {"*EVT,SET,12,8,30,1,ON,AUX,20,0;", "*RD,EVT,12;", "*RT,EVT,12,8,30,1,ON,AUX,20,0;"},
        {"*EVT,CLR,04;", "*RD,EVT,4;", "*RT,EVT,4,0000000,00,00,0,0,1,00,0;"},
        {"*TUN,SENS,3;", "*RD,TUN,SENS;", "*RT,TUN,SENS,3;"},
    };
    for (const auto& [set, read, answer] : steps) {
        EXPECT_EQ(Answer(s, set), "") << set;
        EXPECT_EQ(Answer(s, read), answer) << set;
    }
}

TEST(Answer, TunerStepsStayInTheBandAndPresetsRoundTrip) {
    DeviceState s;
    const std::vector<std::pair<std::string, std::string>> steps = {
        {"*TUN,FREQ,107,9;", "107,9"}, {"*TUN,1;", "108,0"},        {"*TUN,1;", "108,0"},
        {"*TUN,2;", "107,9"},          {"*TUN,SEARCH,2;", "106,9"}, {"*TUN,SEARCH,1;", "107,9"},
        {"*TUN,SEARCH,1;", "108,0"},   {"*TUN,FREQ,87,6;", "87,6"}, {"*TUN,2;", "87,5"},
        {"*TUN,2;", "87,5"},           {"*TUN,SEARCH,2;", "87,5"},  {"*TUN,FREQ,120,0;", "108,0"},
        {"*TUN,FREQ,88,8;", "88,8"},
    };
    for (const auto& [command, freq] : steps) {
        Answer(s, command);
        EXPECT_EQ(Answer(s, "*TUN,FREQ;"), "*RT,TUN,FREQ," + freq + ";") << command;
    }
    Answer(s, "*TUN,FREQ,99,3;");
    Answer(s, "*TUN,MEM,5;");
    EXPECT_EQ(Answer(s, "*RD,PRES,5;"), "*RT,PRES,5,99,3;");
    Answer(s, "*TUN,PRES,1;");
    EXPECT_EQ(Answer(s, "*TUN,FREQ;"), "*RT,TUN,FREQ,88,8;");
    Answer(s, "*TUN,PRES,5;");
    EXPECT_EQ(Answer(s, "*TUN,FREQ;"), "*RT,TUN,FREQ,99,3;");
}

TEST(Answer, MalformedAndUnknownTextsAreIgnored) {
    DeviceState s;
    const std::string before = AllReads(s);
    const std::vector<std::string> texts = {
        "",
        "*",
        ";",
        "*;",
        "RD,VOL,1;",
        "*RD,VOL,1",
        "*rd,vol,1;",
        "*RD,VOL,0;",
        "*RD,VOL,5;",
        "*RD,VOL,-1;",
        "*RD,VOL,x;",
        "*RD,VOL,1,2;",
        "*RD,VOL,99999999999999999999;",
        "*RD,GAIN,3;",
        "*RD,EVT,17;",
        "*RD,PRES,7;",
        "*RD,TUN,FREQ;",
        "*RD,*RD,VOL,1;",
        "*RD,VOL,1;;",
        "*RD,NOPE;",
        "*VOL,1,2,abc;",
        "*VOL,9,2,10;",
        "*VOL,1,x,10;",
        "*ON,5;",
        "*ON,1,1;",
        "*LINK,1,2;",
        "*GAIN,3,5;",
        "*TEMP,MIN,1x;",
        "*TEMP,LOW,5;",
        "*CLK,SET,1,2;",
        "*CLK,SET,01,01,2026,24,00,00;",
        "*TUN,3;",
        "*TUN,PRES,0;",
        "*TUN,SENS,4;",
        "*TUN,FREQ,abc,1;",
        "*TUN,FREQ,99,10;",
        "*EVT,SET,3;",
        "*EVT,SET,17,1,2;",
        "*EVT,CLR,0;",
        "End build : 01/01/2026 12:00:00",
        std::string("*RD,VOL,1\0;", 11),
    };
    for (const auto& t : texts) EXPECT_EQ(Answer(s, t), "") << t;
    EXPECT_EQ(AllReads(s), before);
}

TEST(Answer, NoiseNeverYieldsAMalformedRecord) {
    // Texts made of the characters commands are built from, so many come close to real ones.
    std::mt19937 rng(20260101);
    const std::string alphabet = "*;,0123456789-RDTVOLUNFEQSMPCKAXHIG";
    DeviceState s;
    for (int i = 0; i < 20000; ++i) {
        std::string t = "*";
        int len = static_cast<int>(rng() % 16);
        for (int k = 0; k < len; ++k) t += alphabet[rng() % alphabet.size()];
        t += ";";
        std::string a = Answer(s, t);
        if (a.empty()) continue;
        ASSERT_EQ(a.rfind("*RT,", 0), 0u) << t;
        ASSERT_EQ(a.back(), ';') << t;
        ASSERT_EQ(a.find(';'), a.size() - 1) << t;
    }
    for (int z = 1; z <= 4; ++z) {
        EXPECT_GE(s.zones[z].volume, 0);
        EXPECT_LE(s.zones[z].volume, s.zones[z].volMax);
        EXPECT_GE(s.zones[z].bass, qor::sim::kToneMin);
        EXPECT_LE(s.zones[z].treble, qor::sim::kToneMax);
    }
    const int f = s.frequency.mhz * 10 + s.frequency.tenths;
    EXPECT_GE(f, 875);
    EXPECT_LE(f, 1080);
}
