// Reading INI-style text files the way the program always has: line by line, headers found by
// their trimmed, upper-cased text, values after the first "=". Used by start-up, the settings
// panel and the INI manager alike; the lines come from files::ReadLines.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

// The characters after the first "=" up to a second "=" or the end; "" without "=". Not trimmed.
std::string GetIniValue(std::string_view line);

// The line, trimmed and upper-cased, is `upperHeader` ("[ZONE_NAME]" matches " [Zone_Name] ").
bool IsHeader(std::string_view line, std::string_view upperHeader);
// The line's first characters, upper-cased, are `upperKey` ("ZONE1" matches "Zone1_Name=Hall").
bool HasKey(std::string_view line, std::string_view upperKey);

// Hands each line of the section whose header is lines[header] to `take`: the lines after it up
// to the next line whose trimmed text starts with "[", or to the end of the file. Returns the
// index of the line that ended the section (lines.size() at the end of the file); that line is
// the current line for any header test still to come.
std::size_t ReadSection(const std::vector<std::string>& lines, std::size_t header,
                        const std::function<void(const std::string&)>& take);

}  // namespace qor
