// The clock events as the editor's grid holds them, the device lines that carry them, the
// schedule file written from the grid, the set lines read back into it, and the rule that makes a
// schedule file name. Plain functions: the editor window reads and writes its grid through these.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qor::schedule {

inline constexpr int kEvents = 16;
// The program folder's files of the schedule.
inline constexpr const char* kRetrievedFile = "DefResuSched.txt";
inline constexpr const char* kLogFile = "LogResuSched.txt";
inline constexpr const char* kDefaultFile = "default_sched.txt";

// One event row of the grid, Monday first, with the reset values.
struct EventRow {
    std::array<bool, 7> days{};
    std::string time = "0:00:00";
    std::string zone = "1";
    std::string onOff = "Off";
    std::string source = "Aux";
    std::string volume = "0";
};

// "*EVT,CLR,03;": the event number in two digits.
std::string ClearLine(int event);
// The set line of one event ("*EVT,SET,3,1111100,07,30,2,1,2,25,4;"), or the no-day line for an
// event without a day. Nullopt when the row has a day but its time cell holds no time of day.
std::optional<std::string> SetLine(int event, const EventRow& row, std::string_view model);

// A time cell as hour, minute and second: "7:30:00", "07:30:00", "7:30", blanks around allowed.
struct TimeOfDay {
    int hour, minute, second;
};
std::optional<TimeOfDay> ParseTimeCell(std::string_view text);

// The 32 lines (clear line, set line, for events 1 to 16), each ended by CR LF; rows[0] is unused.
// When a row's time is no time: nullopt, and *badEvent names it.
std::optional<std::string> ScheduleFileText(const std::array<EventRow, kEvents + 1>& rows,
                                            std::string_view model, int* badEvent = nullptr);

// The two readers of set lines differ in the source rule and in the On/Off text colour.
enum class Reader { ScheduleFile, Retrieved };

// What one file line does to the grid. A line that is not a set line, or whose event number is
// not a number 1 to 16, does nothing; an event number above 16 or below 0, or a whole number out
// of range, is an error that ends the reading.
struct LineEffect {
    int row = 0;  // 0: the line is skipped
    bool error = false;
    std::array<bool, 7> days{};  // marks to put; the other days stay as they are
    std::string time;
    std::optional<std::string> zone;
    std::optional<bool> on;
    std::optional<std::string> source;
    std::optional<std::string> volume;
};
LineEffect ReadSetLine(std::string_view line, Reader reader, std::string_view model);

// The read-back of one event: the answer "*RT,EVT,4,1000000,06,45,1,1,1,30,1;" becomes the set
// line "*EVT,SET,4,1000000,06,45,1,1,1,30,1;" (the answer's fields kept as they came); any other
// answer (a link failure text, RDS text) gives nullopt.
std::optional<std::string> ReadBackLine(std::string_view answer);

// The name rule of Save As: the normalised name ("my week" -> "my_week.sch") and whether it is
// usable (".sch" alone is not).
struct ScheduleName {
    std::string name;
    bool usable;
};
ScheduleName truefilschedn(std::string_view name);

// Whether `file` can be replaced now: its folder takes a new file and `file` is no folder. False
// with the reason in *why. Nothing is left behind.
bool CanReplace(const std::filesystem::path& file, std::string* why = nullptr);

}  // namespace qor::schedule
