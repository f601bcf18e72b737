// Taking device answers apart. Pure text functions, shared by the link and every window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qor {

// Field n (from 0) of an answer: commas are counted through the whole text, across ";".
std::string scanevent(std::string_view text, int n);

// With two or more ";" in text: the part from the first occurrence of key through the next ";"
// ("" when key is absent). Fewer than two ";": the text unchanged. semicolonCount receives the
// number of ";" in text.
std::string clearansw(std::string_view text, std::string_view key, int16_t& semicolonCount);

// The text up to and including its first ";" when it starts with "*" and ends with ";",
// else "Comm Error".
std::string Scanlast(std::string_view text);

// "*RT,ON," state ";": on only when field 2 is exactly "1". Any other answer, a link failure text
// included, reads as off.
bool ZoneOnFromAnswer(std::string_view answer);

// Field 3 of a value answer ("*RT,VOLMAX,2,80;", "*RT,GAIN,1,12;") when it is not empty and
// numeric, as a whole number (halves to even); nullopt otherwise, and the reader keeps what it
// showed.
std::optional<int16_t> ValueFromAnswer(std::string_view answer);

// The temperature record "*RT,TEMP," current "," minimum "," maximum "," (unread) "," status ";".
// Each field that is not a whole number (empty, "45.5", "hot", too large) is left out, and its
// display keeps what it showed.
struct TempReading {
    std::optional<int16_t> current;
    std::optional<int16_t> minimum;
    std::optional<int16_t> maximum;
    std::optional<int16_t> status;  // 0, 1 and 2 have a picture each; other values show none
};
// nullopt unless "TEMP" first occurs in the record from its second character on.
std::optional<TempReading> TempFromRecord(std::string_view record);

}  // namespace qor
