// A full schedule file: all 16 events, each on some day at its own time, half of them On with a
// preset. The schedule Write is tried and measured with it.
#pragma once

#include <string>

#include "schedule/schedule_events.h"

namespace qor::test {

inline std::string FullScheduleFile(const std::string& model) {
    std::string lines;
    for (int n = 1; n <= schedule::kEvents; ++n) {
        schedule::EventRow row;
        row.days[n % 7] = true;
        row.time = std::to_string(n) + ":" + std::to_string(10 + n) + ":00";
        row.zone = std::to_string(1 + n % 4);
        row.onOff = n % 2 ? "On" : "Off";
        row.source = n % 2 ? "Preset " + std::to_string(1 + n % 6) : "Aux";
        row.volume = std::to_string(3 * n);
        lines += *schedule::SetLine(n, row, model) + "\r\n";
    }
    return lines;
}

}  // namespace qor::test
