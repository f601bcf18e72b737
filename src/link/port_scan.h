// How the automatic port scan judges what a port answered to the model query. The scan looks
// only at the frame and the last two characters, unlike every other reader of the model answer.
#pragma once

#include <string>
#include <string_view>

namespace qor {

struct ScanJudgement {
    // "QOR 81" or "QOR 82" when the trimmed answer starts with "*RT,MODEL" and ends with "1;" or
    // "2;"; "" otherwise, and the port is a candidate to offer by hand.
    std::string model;
    // For a candidate: the character before the answer's last one (the device's code, when the
    // answer is a model record with another code); a one-character answer is its own code.
    std::string candidateCode;
};

ScanJudgement JudgeScanAnswer(std::string_view answer);

// The port list's entry for a candidate: "Com 4 : connection to 7".
std::string ScanCandidateEntry(int port, std::string_view code);

}  // namespace qor
