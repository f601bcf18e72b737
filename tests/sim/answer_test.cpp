#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "simamp.h"

using qor::sim::Answer;
using qor::sim::DeviceState;

namespace {

using namespace std::chrono_literals;

// Commands applied in turn to one device; sets and unknown texts answer "".
struct Step {
    const char* command;
    const char* answer;
};

void Expect(DeviceState& s, const std::vector<Step>& steps) {
    for (const auto& [command, answer] : steps) EXPECT_EQ(Answer(s, command), answer) << command;
}

// The tables keep one exchange of the device a cell, read across.
// clang-format off
TEST(Answer, TunerModelReadsInTheReadersLayoutsAndSetsChangeLaterReads) {
    DeviceState s;
    Expect(s, {
        {"*RD,MODEL;", "*RT,MODEL,0,2;"},   {"*RD,VER;", "*RT,VER,V2.14;"},
        {"*RD,ON,1;", "*RT,ON,0;"},          {"*RD,VOLMAX,2;", "*RT,VOLMAX,2,80;"},
        {"*RD,SRC,1;", "*RT,SRC,1,1;"},      {"*RD,LINK,1;", "*RT,LINK,1,2;"},
        {"*RD,CLK;", "*RT,CLK,01/01/2026 12:00:00;"},
        {"*RD,EVT,16;", "*RT,EVT,16,0000000,00,00,0,0,1,00,0;"},
        {"*TUN,FREQ;", "*RT,TUN,FREQ,88,8;"}, {"*RD,TUN,SENS;", "*RT,TUN,SENS,1;"},
        // Values are held within the device's limits.
        {"*VOL,2,2,500;", ""},    {"*RD,VOL,2;", "*RT,VOL,2,80;"},
        {"*MAX,2,30;", ""},       {"*RD,VOL,2;", "*RT,VOL,2,30;"},
        {"*LOW,1,2,-50;", ""},    {"*RD,LOW,1;", "*RT,LOW,1,-15;"},
        {"*HIGH,4,2,7;", ""},     {"*RD,HIGH,4;", "*RT,HIGH,4,7;"},
        {"*GAIN,2,31;", ""},      {"*RD,GAIN,2;", "*RT,GAIN,2,30;"},
        {"*ON,3;", ""},           {"*RD,ON,3;", "*RT,ON,1;"},
        {"*SRC,2,3;", ""},        {"*RD,SRC,2;", "*RT,SRC,2,1;"},  // no such source
        {"*LINK,4,1;", ""},       {"*RD,LINK,4;", "*RT,LINK,4,1;"},
        {"*TEMP,MIN,05;", ""},    {"*TEMP,CAL,-03;", ""},
        {"*RD,TEMP;", "*RT,TEMP,45,5,90,-3,0;"},
        {"*CLK,SET,05,06,2027,07,08,09;", ""}, {"*RD,CLK;", "*RT,CLK,05/06/2027 07:08:09;"},
        {"*EVT,SET,4,1000000,06,45,1,1,1,30,1;", ""},
        {"*RD,EVT,4;", "*RT,EVT,4,1000000,06,45,1,1,1,30,1;"},
        {"*EVT,CLR,04;", ""},     {"*RD,EVT,4;", "*RT,EVT,4,0000000,00,00,0,0,1,00,0;"},
        // The tuner stays within the band; presets keep what was stored.
        {"*TUN,FREQ,107,9;", ""}, {"*TUN,1;", ""}, {"*TUN,1;", ""},
        {"*TUN,FREQ;", "*RT,TUN,FREQ,108,0;"},
        {"*TUN,FREQ,87,6;", ""},  {"*TUN,2;", ""}, {"*TUN,2;", ""},
        {"*TUN,FREQ;", "*RT,TUN,FREQ,87,5;"},
        {"*TUN,MEM,5;", ""},      {"*RD,PRES,5;", "*RT,PRES,5,87,5;"},
        {"*TUN,PRES,1;", ""},     {"*TUN,FREQ;", "*RT,TUN,FREQ,88,8;"},
        {"*TUN,SENS,3;", ""},     {"*RD,TUN,SENS;", "*RT,TUN,SENS,3;"},
        // Unknown and malformed texts get no answer and change nothing.
        {"*RD,VOL,5;", ""}, {"*rd,vol,1;", ""}, {"*RD,VOL,1", ""}, {"*RD,EVT,17;", ""},
        {"*VOL,1,2,abc;", ""}, {"*RD,NOPE;", ""}, {"*RD,VOL,1;", "*RT,VOL,1,40;"},
    });
}

TEST(Answer, SearchGoesFromStationToStationRoundTheBand) {
    DeviceState s;
    Expect(s, {
        {"*TUN,SEARCH,1;", ""},   {"*TUN,FREQ;", "*RT,TUN,FREQ,89,3;"},
        {"*TUN,SEARCH,1;", ""},   {"*TUN,FREQ;", "*RT,TUN,FREQ,91,7;"},
        {"*TUN,SEARCH,2;", ""},   {"*TUN,FREQ;", "*RT,TUN,FREQ,89,3;"},
        {"*TUN,SEARCH,2;", ""},   {"*TUN,FREQ;", "*RT,TUN,FREQ,107,1;"},
        {"*TUN,SEARCH,1;", ""},   {"*TUN,FREQ;", "*RT,TUN,FREQ,89,3;"},
        {"*TUN,FREQ,100,0;", ""}, {"*TUN,SEARCH,2;", ""}, {"*TUN,FREQ;", "*RT,TUN,FREQ,98,5;"},
        {"*TUN,FREQ,108,0;", ""}, {"*TUN,SEARCH,1;", ""}, {"*TUN,FREQ;", "*RT,TUN,FREQ,89,3;"},
        {"*TUN,SEARCH,3;", ""},   {"*TUN,FREQ;", "*RT,TUN,FREQ,89,3;"},
    });
}

TEST(Answer, PresetNeverStoredReadsEmptyAndIsFilledByStoring) {
    DeviceState s;
    s.presets[2] = {.empty = true};
    s.frequency = {94, 5};
    Expect(s, {
        {"*RD,PRES,2;", "*RT,PRES,2,,;"},     {"*TUN,PRES,2;", ""},
        {"*TUN,FREQ;", "*RT,TUN,FREQ,94,5;"}, {"*TUN,MEM,2;", ""},
        {"*RD,PRES,2;", "*RT,PRES,2,94,5;"},  {"*TUN,1;", ""},
        {"*TUN,PRES,2;", ""},                 {"*TUN,FREQ;", "*RT,TUN,FREQ,94,5;"},
        {"*TUN,MEM,7;", ""},                  {"*RD,PRES,7;", ""},
    });
}

TEST(Answer, ModelWithoutTunerIgnoresTunerReadsAndSets) {
    DeviceState s;
    s.modelCode = 1;
    Expect(s, {
        {"*RD,MODEL;", "*RT,MODEL,0,1;"}, {"*RD,PRES,1;", ""}, {"*RD,TUN,SENS;", ""},
        {"*TUN,FREQ,100,1;", ""}, {"*TUN,FREQ;", ""}, {"*RD,VOL,1;", "*RT,VOL,1,40;"},
    });
    // An unknown code is answered as it stands, tuner and all; the set above changed nothing.
    s.modelCode = 7;
    Expect(s, {{"*RD,MODEL;", "*RT,MODEL,0,7;"}, {"*TUN,FREQ;", "*RT,TUN,FREQ,88,8;"}});
}

// clang-format on

TEST(Answer, ClockRunsOnFromWhereItWasSet) {
    using std::chrono::seconds;
    const std::chrono::steady_clock::time_point t0 =
        std::chrono::steady_clock::time_point{} + 1000h;
    DeviceState s;
    EXPECT_EQ(Answer(s, "*CLK,SET,31,12,2026,23,59,30;", t0), "");
    EXPECT_EQ(Answer(s, "*RD,CLK;", t0 + 999ms), "*RT,CLK,31/12/2026 23:59:30;");
    EXPECT_EQ(Answer(s, "*RD,CLK;", t0 + seconds(45)), "*RT,CLK,01/01/2027 00:00:15;");
    EXPECT_EQ(Answer(s, "*CLK,SET,28,02,2028,23,59,59;", t0), "");
    EXPECT_EQ(Answer(s, "*RD,CLK;", t0 + seconds(1)), "*RT,CLK,29/02/2028 00:00:00;");
    // A date that does not exist, or a malformed set, leaves the clock running as it was.
    for (const char* bad : {"*CLK,SET,31,02,2026,10,00,00;", "*CLK,SET,01,01,2026,24,00,00;",
                            "*CLK,SET,1,1,2026,10,00;", "*CLK,SET,01,01,-2026,10,00,00;"})
        EXPECT_EQ(Answer(s, bad, t0), "") << bad;
    EXPECT_EQ(Answer(s, "*RD,CLK;", t0 + 24h), "*RT,CLK,29/02/2028 23:59:59;");
    // A clock text of another form is answered as it stands.
    s.clock = "garbled";
    EXPECT_EQ(Answer(s, "*RD,CLK;", t0 + 24h), "*RT,CLK,garbled;");
}

}  // namespace
