// Conversions the way the classic forms program did them, decided once for the whole program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qor {

// Blanks around, an optional sign, digits with at most one decimal point, at least one digit.
// Nothing else counts as a number anywhere in the program.
bool IsNumeric(std::string_view text);

// Nearest whole number, halves to the even one. nullopt when not numeric or out of range.
std::optional<int16_t> CInt(std::string_view text);
std::optional<int32_t> CLng(std::string_view text);
std::optional<int16_t> CInt(double value);
std::optional<int32_t> CLng(double value);

// A whole number as a person types one: blanks around, an optional sign, digits only. nullopt for
// anything else ("9.5", "Hr", "") and for a value outside 32 bits.
std::optional<int32_t> WholeNumber(std::string_view text);

// Removes blanks (spaces only, not tabs or line ends) from both ends.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
// Upper-cases ASCII and the Latin-1 letters, as the Windows-1252 code page does.
std::string UCase(std::string_view text);

// First n characters / last n characters / from 1-based position, clamped like the classic ones.
std::string Left(std::string_view text, std::size_t n);
std::string Right(std::string_view text, std::size_t n);
std::string Mid(std::string_view text, std::size_t start1, std::size_t n = std::string::npos);

// A local calendar moment, to the second.
struct DateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

DateTime NowLocal();
// Whole minutes since 1 January 1970 on the local calendar; the difference of two of these counts
// minute boundaries across midnight and month ends alike.
int64_t MinuteNumber(const DateTime& t);

std::string Pad2(int value);              // 7 -> "07", 12 -> "12", -3 -> "-03"
std::string YearText(int year);           // 2024 -> "2024", 987 -> "0987"
std::string TimeText(const DateTime& t);  // "09:07:03"
std::string DateText(const DateTime& t);  // "05-03-2024"

// The device's clock field: a day-first date, one blank and a time, as the clock command orders
// them ("08/12/2026 10:11:12"). The date's parts are separated by "/", "-" or "." (the same one
// twice), the day and month have one or two digits, the year four; the hour has one or two
// digits, the minute and the optional seconds two. Blanks around are allowed. nullopt for
// anything else, and for a date or time that does not exist (31/04, 24:00).
std::optional<DateTime> DeviceClockFromText(std::string_view text);

}  // namespace qor
