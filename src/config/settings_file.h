// The settings file user.ini: where it lies, how its text is laid out, and how it is replaced.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/basic.h"

namespace qor {

inline constexpr const char* kSettingsFileName = "user.ini";

std::filesystem::path SettingsFilePath(const std::filesystem::path& programDir);

// The day's copy kept before a start-up snapshot: "startup" + day + month + four-digit year + "0"
// + ".ini", with no leading zeros, so 7 December 2026 is "startup71220260.ini". The "0" is the
// minute of a date that carries no time; it is kept so old copies keep their names.
std::string StartupCopyName(const DateTime& date);

// The text of a settings file, built line by line. Lines end with CR LF; the bytes of keys and
// values go out as they are (the program's texts are already in the file's 8-bit code page).
class IniText {
  public:
    void line(std::string_view text);
    // A section header "[name]". Every header but the first tuner one is preceded by a line
    // holding one blank, which is how readers have always found the sections.
    void section(std::string_view name);
    void key(std::string_view key, std::string_view value);

    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// Replaces the file at `path` with exactly `content`, or leaves it as it was. The content goes to
// a side file in the same folder (path + ".new"), is flushed to the disk and only then renamed
// over the old file, so a full disk, a refused write or a killed program never leaves a short or
// empty file behind. On failure the side file is removed and `error` (when given) says why.
bool ReplaceFile(const std::filesystem::path& path, std::string_view content,
                 std::string* error = nullptr);

}  // namespace qor
