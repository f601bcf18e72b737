// The settings file user.ini: where it lies and how its text is laid out.
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

}  // namespace qor
