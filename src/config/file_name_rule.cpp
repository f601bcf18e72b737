#include "config/file_name_rule.h"

#include "common/basic.h"
#include "config/ini_check.h"
#include "config/show_zones.h"

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

std::string TextTwinName(const std::string& name) {
    return (name.size() >= 3 ? name.substr(0, name.size() - 3) : std::string()) + "txt";
}

bool IsProgramReadFile(const std::string& name) {
    // The schedule editor's read-back, which it loads as the device's schedule.
    constexpr const char* kScheduleReadBack = "DefResuSched.txt";
    return name == kKeyListFileName || name == kShowZonesFileName || name == kScheduleReadBack;
}

}  // namespace qor
