#include "link/tuner.h"

#include "common/answers.h"
#include "common/basic.h"
#include "link/commands.h"

namespace qor::tuner {

std::string FrequencyText(std::string_view answer) {
    return scanevent(answer, 3) + "." + scanevent(answer, 4);
}

std::optional<std::string> FrequencyFromAnswer(std::string_view answer, int16_t& semicolonCount) {
    if (scanevent(answer, 3).empty()) return std::nullopt;
    const std::string record = clearansw(answer, "FREQ", semicolonCount);
    if (record.empty()) return std::nullopt;
    return FrequencyText(record);
}

std::string PresetAnswerFrequency(std::string_view answer, const std::string& previous,
                                  int16_t& semicolonCount) {
    if (Trim(answer).empty()) return kEmptyPresetFrequency;
    // A preset answer holds no "FREQ"; with a single record clearansw hands it back whole, so
    // only a text of several records without one keeps the previous value.
    if (clearansw(answer, "FREQ", semicolonCount).empty()) return previous;
    return FrequencyText(answer);
}

int MatchPreset(Link& link, const std::string& frequency) {
    std::string f;
    for (int n = 1; n <= kPresets; ++n) {
        link.SendMessage(cmd::RdPres(n));
        f = PresetAnswerFrequency(link.ReceiveMessage(), f, link.semicolonCount());
        if (f == frequency) return n;
    }
    return kNoPreset;
}

std::optional<Sensitivity> SensitivityFromAnswer(std::string_view answer) {
    if (scanevent(answer, 2) != "SENS") return std::nullopt;
    const auto v = CInt(scanevent(answer, 3));
    if (!v) return std::nullopt;
    Sensitivity s;
    if (*v >= 0 && *v <= 3) s.listIndex = *v - 1;
    s.name = SensitivityName(*v);
    return s;
}

int SensitivityCode(std::string_view name) {
    if (name == "High") return 1;
    if (name == "Mid") return 2;
    if (name == "Low") return 3;
    return 0;
}

int SensitivityListIndex(std::string_view name) {
    const int code = SensitivityCode(name);
    return code == 0 ? 0 : code - 1;
}

std::string SensitivityName(int code) {
    switch (code) {
        case 1:
            return "High";
        case 2:
            return "Mid";
        case 3:
            return "Low";
        default:
            return {};
    }
}

}  // namespace qor::tuner
