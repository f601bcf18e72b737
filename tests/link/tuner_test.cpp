// The tuner's answers: pure cases, and the preset match against the simulated amplifier.
#include "link/tuner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "link/commands.h"
#include "simamp.h"
#include "support/device_fixture.h"

namespace qor::tuner {
namespace {

TEST(TunerAnswers, FrequencyComesFromTheFreqRecordOrNotAtAll) {
    const struct {
        const char* answer;
        std::optional<std::string> frequency;
    } cases[] = {
        {"*RT,TUN,FREQ,98,5;", "98.5"},
        {"*RT,TUN,FREQ,108,0;", "108.0"},
        // Several records: clearansw's record starts at the key, so its fields 3 and 4 are empty.
        {"*RT,VOL,1,40;*RT,TUN,FREQ,101,2;", "."},
        {"*RT,VOL,1,40;*RT,LOW,1,3;", std::nullopt},
        // One record of another item is taken whole, as clearansw gives it back.
        {"*RT,VOL,1,40,7;", "40.7"},
        {"?", std::nullopt},
        {"", std::nullopt},
        {"Comm Error : NO CONNECTION", std::nullopt},
        {"*RT,TUN,FREQ;", std::nullopt},
    };
    for (const auto& c : cases) {
        int16_t count = -1;
        EXPECT_EQ(FrequencyFromAnswer(c.answer, count), c.frequency) << c.answer;
    }
}

TEST(TunerAnswers, PresetAnswersCountAsTheMatchReadsThem) {
    const struct {
        const char* answer;
        const char* frequency;
        int16_t semicolons;
    } cases[] = {
        {"*RT,PRES,3,94,5;", "94.5", 1},
        // No record to pick from: clearansw is not asked, the count stays.
        {"", "88.8", -1},
        {"   ", "88.8", -1},
        {"?", ".", 0},
        {"Comm Error", ".", 0},
        {"*RT,PRES,3,,;", ".", 1},
        // Two records without FREQ: the previous preset's value stays.
        {"*RT,PRES,3,94,5;*RT,PRES,4,98,5;", "prev", 2},
        {"*RT,PRES,3,94,5;*RT,TUN,FREQ,1,2;", "94.5", 2},
    };
    for (const auto& c : cases) {
        int16_t count = -1;
        EXPECT_EQ(PresetAnswerFrequency(c.answer, "prev", count), c.frequency) << c.answer;
        EXPECT_EQ(count, c.semicolons) << c.answer;
    }
    EXPECT_EQ(FrequencyText("*RT,PRES,2,101,5;"), "101.5");
    EXPECT_EQ(FrequencyText("Comm Error : NO CONNECTION"), ".");
}

TEST(TunerAnswers, SensitivityAnswerAndTheBoxsTexts) {
    const struct {
        const char* answer;
        bool taken;
        std::optional<int> index;
        const char* name;
    } cases[] = {
        {"*RT,TUN,SENS,1;", true, 0, "High"},
        {"*RT,TUN,SENS,2;", true, 1, "Mid"},
        {"*RT,TUN,SENS,3;", true, 2, "Low"},
        {"*RT,TUN,SENS, 2.4 ;", true, 1, "Mid"},
        {"*RT,TUN,SENS,2.5;", true, 1, "Mid"},  // halves to even
        {"*RT,TUN,SENS,0;", true, -1, ""},
        {"*RT,TUN,SENS,4;", true, std::nullopt, ""},
        {"*RT,TUN,SENS,-1;", true, std::nullopt, ""},
        {"*RT,TUN,SENS,x;", false, {}, ""},
        {"*RT,TUN,SENS,99999;", false, {}, ""},
        {"*RT,TUN,FREQ,2;", false, {}, ""},
        {"?", false, {}, ""},
        {"Comm Error : NO CONNECTION", false, {}, ""},
    };
    for (const auto& c : cases) {
        const auto s = SensitivityFromAnswer(c.answer);
        ASSERT_EQ(s.has_value(), c.taken) << c.answer;
        if (!s) continue;
        EXPECT_EQ(s->listIndex, c.index) << c.answer;
        EXPECT_EQ(s->name, c.name) << c.answer;
    }
    for (int code = 1; code <= 3; ++code) {
        EXPECT_EQ(SensitivityCode(SensitivityName(code)), code);
        EXPECT_EQ(SensitivityListIndex(SensitivityName(code)), code - 1);
    }
    for (const char* other : {"", "mid", "HIGH", "Low "}) {
        EXPECT_EQ(SensitivityCode(other), 0) << other;
        EXPECT_EQ(SensitivityListIndex(other), 0) << other;
    }
}

class PresetMatchTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(amp.start()); }
    int match(const std::string& frequency) {
        amp.clearLog();
        return MatchPreset(link, frequency);
    }

    sim::SimAmp amp;
    SharedState state;
    MSComm comm{[this](int) { return amp.devicePath(); }, test::kTestPoll};
    Link link{comm, state};
};

TEST_F(PresetMatchTest, FirstPresetHoldingTheFrequencyWinsAndTheReadsStopThere) {
    sim::DeviceState d;
    d.presets = {sim::Preset{}, {92, 4}, {101, 5}, {98, 5}, {104, 0}, {98, 5}, {.empty = true}};
    amp.setState(d);

    EXPECT_EQ(match("98.5"), 3);
    EXPECT_EQ(amp.log(),
              (std::vector<std::string>{cmd::RdPres(1), cmd::RdPres(2), cmd::RdPres(3)}));
    EXPECT_EQ(match("92.4"), 1);
    EXPECT_EQ(match("98.50"), kNoPreset);
    EXPECT_EQ(amp.log().size(), 6u);
    // A preset never stored reads "*RT,PRES,6,,;", which stands for ".".
    EXPECT_EQ(match("."), 6);
}

TEST_F(PresetMatchTest, SilentDeviceMakesEveryPresetReadAsADot) {
    amp.setMisbehaviour({.silent = true});
    // No answer is awaited here, so the short window costs nothing in certainty.
    MSComm quick{[this](int) { return amp.devicePath(); }, test::kSilencePoll};
    Link silentLink{quick, state};
    EXPECT_EQ(MatchPreset(silentLink, "98.5"), kNoPreset);
    EXPECT_EQ(MatchPreset(silentLink, "."), 1);
}

}  // namespace
}  // namespace qor::tuner
