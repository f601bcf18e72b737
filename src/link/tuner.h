// The tuner's answers taken apart: the frequency, which preset holds it, and the sensitivity.
// Commands are in commands.h; the exchanges that need the line take the link.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/link.h"

namespace qor::tuner {

// What a preset key, the preset match and the store work with: presets 1 to 6, and the number the
// match gives when no preset holds the frequency (the marker then stays where it stood).
inline constexpr int kPresets = 6;
inline constexpr int kNoPreset = 99;
// What an empty answer to a preset read counts as.
inline constexpr const char* kEmptyPresetFrequency = "88.8";

// Fields 3 and 4 joined by ".", with no test of the text's form: a link failure text gives ".".
// This is what a preset key shows after reading its preset.
std::string FrequencyText(std::string_view answer);

// The frequency of an answer to "*TUN,FREQ;": fields 3 and 4 of the record clearansw picks for
// "FREQ". nullopt (the display keeps its text) when field 3 of the whole answer is empty or no
// such record is there.
std::optional<std::string> FrequencyFromAnswer(std::string_view answer, int16_t& semicolonCount);

// One step of the preset match: the frequency an answer to "*RD,PRES,n;" stands for. An empty
// answer counts as "88.8"; an answer for which clearansw finds no "FREQ" record (two or more
// records without one) keeps `previous`; anything else is fields 3 and 4, so a link failure text
// gives ".".
std::string PresetAnswerFrequency(std::string_view answer, const std::string& previous,
                                  int16_t& semicolonCount);

// Reads presets 1 to 6 in turn and returns the first whose frequency equals `frequency` exactly,
// else kNoPreset. Each read is one exchange; the send's result is not looked at.
int MatchPreset(Link& link, const std::string& frequency);

// A sensitivity answer ("*RT,TUN,SENS,v;") as the sensitivity box takes it.
struct Sensitivity {
    // The box's new selected index: v - 1 for v = 0..3 (-1 clears the selection); nullopt leaves
    // the selection as it is.
    std::optional<int> listIndex;
    // "High", "Mid" or "Low" for v = 1, 2, 3; "" leaves TunerSensitivity as it is.
    std::string name;
};
// nullopt when field 2 is not "SENS" or field 3 is not numeric; v is field 3 rounded.
std::optional<Sensitivity> SensitivityFromAnswer(std::string_view answer);

// "High" 1, "Mid" 2, "Low" 3 (exact, case-sensitive); 0 for any other text, which sends nothing.
int SensitivityCode(std::string_view name);
// The box's index for TunerSensitivity when the panel loads: "High" 0, "Mid" 1, "Low" 2, and 0
// for any other value.
int SensitivityListIndex(std::string_view name);
// "High", "Mid", "Low" for 1, 2, 3; "" otherwise.
std::string SensitivityName(int code);

}  // namespace qor::tuner
