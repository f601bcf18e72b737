// Taking device answers apart. Pure text functions, shared by the link and every window.
#pragma once

#include <cstdint>
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

}  // namespace qor
