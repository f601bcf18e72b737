// showzones.ini: which zone panels the main window's Zones entry opens, kept for the next start.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qor {

inline constexpr const char* kShowZonesFileName = "showzones.ini";

std::filesystem::path ShowZonesFilePath(const std::filesystem::path& programDir);

// Per zone 1..4 (index 0 unused): the choice a file records, or nullopt when no line names the
// zone. A line counts for zone n when, trimmed, it starts with "Showzone" n; the zone is shown
// when the trimmed line ends with "True". Both tests are case-sensitive: the panel writes exactly
// these words. A later line for the same zone wins.
using ZoneChoices = std::array<std::optional<bool>, 5>;
ZoneChoices ParseShowZones(const std::vector<std::string>& lines);
// The file in the program folder; nothing chosen when it is missing or cannot be read.
ZoneChoices ReadShowZones(const std::filesystem::path& programDir);

// The whole file for show[1..4]: " ", "[Show zones on screen]", then "Showzone1 = True" or
// "... = False" for each zone, every line ended by CR LF.
std::string ShowZonesText(const std::array<bool, 5>& show);
// Replaces the file in the program folder with that text, whole or not at all: on failure the old
// file stays as it was, and false comes back with the reason in *why.
bool WriteShowZones(const std::filesystem::path& programDir, const std::array<bool, 5>& show,
                    std::string* why = nullptr);

}  // namespace qor
