#include "link/port_scan.h"

#include "common/basic.h"
#include "link/commands.h"

namespace qor {

ScanJudgement JudgeScanAnswer(std::string_view answer) {
    const std::string text = Trim(answer);
    if (text.starts_with("*RT,MODEL")) {
        if (text.ends_with("1;")) return {std::string(cmd::kModelWithoutTuner), {}};
        if (text.ends_with("2;")) return {std::string(cmd::kModelWithTuner), {}};
    }
    // The untrimmed answer: the device's code sits just before its closing ";".
    const std::string_view code = answer.size() >= 2 ? answer.substr(answer.size() - 2, 1) : answer;
    return {{}, std::string(code)};
}

std::string ScanCandidateEntry(int port, std::string_view code) {
    return "Com " + std::to_string(port) + " : connection to " + std::string(code);
}

}  // namespace qor
