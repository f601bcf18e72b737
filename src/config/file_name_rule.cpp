#include "config/file_name_rule.h"

#include "common/basic.h"

namespace qor {

namespace {

bool KeptInFileName(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.';
}

}  // namespace

int truefiln(const std::string& name, std::string& text1) {
    int state = 1;
    // Short names are never taken as holding ".ini", even " .ini" with its blank.
    if (Trim(name).size() >= 5 && name.find(".ini") != std::string::npos) state = 0;
    if (state == 1) {
        if (name.find('.') != std::string::npos) {
            state = 2;
        } else {
            text1 = Trim(text1) + ".ini";
            state = 0;
        }
    }

    std::string cleaned = Trim(text1);
    for (char& c : cleaned)
        if (!KeptInFileName(c)) c = '_';
    text1 = Trim(cleaned);

    if (state > 0) state = 1;
    if (text1 == ".ini") return 1;
    return state;
}

}  // namespace qor
