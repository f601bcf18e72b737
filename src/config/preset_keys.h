// A tuner preset's two keys in user.ini, rewritten when the user stores a station in the preset.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

// "Preset" + n + "_Freq" and "Preset" + n + "_Name".
std::string PresetFreqKey(int preset);
std::string PresetNameKey(int preset);

// The lines joined, each ended with CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// The settings file's lines after storing preset n: a line that contains the frequency key
// anywhere (case-sensitive) becomes "PresetN_Freq=" + frequency; otherwise a line that contains
// the name key becomes "PresetN_Name=" + name; every other line stays. When neither key was in
// any line, the two key lines are appended, frequency first.
std::vector<std::string> RewritePresetKeys(const std::vector<std::string>& lines, int preset,
                                           std::string_view frequency, std::string_view name);

// The copy of the rewritten file that is written first and left in the program folder.
inline constexpr const char* kPresetCopyFileName = "user.tus";

enum class PresetStoreOutcome {
    Written,      // user.ini holds the preset's new keys (and user.tus the same text)
    NoFile,       // there is no user.ini: nothing written
    ReadFailed,   // user.ini is there but cannot be read as a settings file: nothing written
    WriteFailed,  // user.tus or user.ini could not be written: user.ini left as it was
};

// Rewrites preset n's keys in user.ini in the program folder: the new text goes whole to a fresh
// user.tus (whatever was under that name, a link included, is replaced, never written through),
// then replaces user.ini in one step, so a failed or interrupted write never leaves user.ini short
// or missing. `why` (when given) names the file that failed and says why.
PresetStoreOutcome StorePresetKeys(const std::filesystem::path& programDir, int preset,
                                   std::string_view frequency, std::string_view name,
                                   std::string* why = nullptr);

}  // namespace qor
