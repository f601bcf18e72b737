#include "common/basic.h"

#include <cmath>
#include <ctime>
#include <limits>

namespace qor {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A numeric text taken apart: its sign and the digits either side of the decimal point.
struct NumberParts {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

std::optional<NumberParts> SplitNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    std::string_view s = text.substr(first, last - first + 1);

    NumberParts parts;
    if (s.front() == '+' || s.front() == '-') {
        parts.negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::size_t i = 0;
    while (i < s.size() && IsDigit(s[i])) ++i;
    parts.whole = s.substr(0, i);
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        parts.fraction = s.substr(fracStart, i - fracStart);
    }
    if (i != s.size() || (parts.whole.empty() && parts.fraction.empty())) return std::nullopt;
    return parts;
}

// Rounds to the nearest whole number, halves to even, working on the digits so that no binary
// fraction creeps in. Magnitudes far beyond 32 bits come back as nullopt instead of overflowing.
std::optional<int64_t> RoundParts(const NumberParts& p) {
    constexpr std::size_t kMaxWholeDigits = 15;
    std::string_view whole = p.whole;
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    if (whole.size() > kMaxWholeDigits) return std::nullopt;

    int64_t magnitude = 0;
    for (char c : whole) magnitude = magnitude * 10 + (c - '0');

    if (!p.fraction.empty()) {
        const int firstDigit = p.fraction.front() - '0';
        bool restNonZero = false;
        for (char c : p.fraction.substr(1)) {
            if (c != '0') {
                restNonZero = true;
                break;
            }
        }
        if (firstDigit > 5 || (firstDigit == 5 && (restNonZero || magnitude % 2 != 0))) ++magnitude;
    }
    return p.negative ? -magnitude : magnitude;
}

template <typename T>
std::optional<T> InRange(std::optional<int64_t> v) {
    if (!v || *v < std::numeric_limits<T>::min() || *v > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(*v);
}

template <typename T>
std::optional<T> RoundDouble(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double whole = std::floor(value);
    const double rest = value - whole;  // exact for every finite double
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    if (whole < static_cast<double>(std::numeric_limits<T>::min()) ||
        whole > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(whole);
}

// Days from 1 January 1970 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

bool IsNumeric(std::string_view text) { return SplitNumber(text).has_value(); }

std::optional<int16_t> CInt(std::string_view text) {
    const auto parts = SplitNumber(text);
    if (!parts) return std::nullopt;
    return InRange<int16_t>(RoundParts(*parts));
}

std::optional<int32_t> CLng(std::string_view text) {
    const auto parts = SplitNumber(text);
    if (!parts) return std::nullopt;
    return InRange<int32_t>(RoundParts(*parts));
}

std::optional<int16_t> CInt(double value) { return RoundDouble<int16_t>(value); }
std::optional<int32_t> CLng(double value) { return RoundDouble<int32_t>(value); }

std::string LTrim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) { return LTrim(RTrim(text)); }

std::string UCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        // 0xF7 is the division sign, which sits among the small letters but has no capital.
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            c = static_cast<char>(b - 0x20);
    }
    return out;
}

std::string Left(std::string_view text, std::size_t n) { return std::string(text.substr(0, n)); }

std::string Right(std::string_view text, std::size_t n) {
    return n >= text.size() ? std::string(text) : std::string(text.substr(text.size() - n));
}

std::string Mid(std::string_view text, std::size_t start1, std::size_t n) {
    const std::size_t start0 = start1 == 0 ? 0 : start1 - 1;
    if (start0 >= text.size()) return {};
    return std::string(text.substr(start0, n));
}

DateTime NowLocal() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

int64_t MinuteNumber(const DateTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * 1440 + int64_t{t.hour} * 60 + t.minute;
}

std::string Pad2(int value) {
    if (value >= 0 && value <= 9) return "0" + std::to_string(value);
    if (value >= -9 && value < 0) return "-0" + std::to_string(-value);
    return std::to_string(value);
}

std::string TimeText(const DateTime& t) {
    return Pad2(t.hour) + ":" + Pad2(t.minute) + ":" + Pad2(t.second);
}

std::string YearText(int year) {
    std::string text = std::to_string(year);
    if (year >= 0 && text.size() < 4) text.insert(0, 4 - text.size(), '0');
    return text;
}

std::string DateText(const DateTime& t) {
    return Pad2(t.day) + "-" + Pad2(t.month) + "-" + YearText(t.year);
}

namespace {

// Reads 'min' to 'max' digits at text[pos...], moving pos past them.
std::optional<int> Digits(std::string_view text, std::size_t& pos, std::size_t min,
                          std::size_t max) {
    std::size_t n = 0;
    int value = 0;
    while (pos + n < text.size() && n < max && text[pos + n] >= '0' && text[pos + n] <= '9')
        value = value * 10 + (text[pos + n++] - '0');
    if (n < min) return std::nullopt;
    pos += n;
    return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<int32_t> WholeNumber(std::string_view text) {
    const std::string t = Trim(text);
    std::size_t pos = t.empty() || (t[0] != '+' && t[0] != '-') ? 0 : 1;
    if (pos == t.size()) return std::nullopt;
    for (std::size_t i = pos; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
    }
    return CLng(t);
}

std::optional<DateTime> DeviceClockFromText(std::string_view text) {
    const std::string t = Trim(text);
    std::size_t pos = 0;
    DateTime d;
    auto take = [&](int& field, std::size_t min, std::size_t max) {
        const auto v = Digits(t, pos, min, max);
        if (v) field = *v;
        return v.has_value();
    };
    auto sep = [&](char c) { return pos < t.size() && t[pos] == c ? (++pos, true) : false; };

    if (!take(d.day, 1, 2) || pos >= t.size()) return std::nullopt;
    const char dateSep = t[pos];
    if (dateSep != '/' && dateSep != '-' && dateSep != '.') return std::nullopt;
    ++pos;
    if (!take(d.month, 1, 2) || !sep(dateSep) || !take(d.year, 4, 4)) return std::nullopt;
    if (!sep(' ') || !take(d.hour, 1, 2) || !sep(':') || !take(d.minute, 2, 2)) return std::nullopt;
    if (sep(':') && !take(d.second, 2, 2)) return std::nullopt;
    if (pos != t.size()) return std::nullopt;

    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > DaysInMonth(d.year, d.month))
        return std::nullopt;
    if (d.hour > 23 || d.minute > 59 || d.second > 59) return std::nullopt;
    return d;
}

}  // namespace qor
