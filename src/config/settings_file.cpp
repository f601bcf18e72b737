#include "config/settings_file.h"

namespace qor {

std::filesystem::path SettingsFilePath(const std::filesystem::path& programDir) {
    return programDir / kSettingsFileName;
}

std::string StartupCopyName(const DateTime& date) {
    return "startup" + std::to_string(date.day) + std::to_string(date.month) +
           std::to_string(date.year) + "0" + ".ini";
}

void IniText::line(std::string_view text) {
    text_.append(text);
    text_.append("\r\n");
}

void IniText::section(std::string_view name) {
    if (name != "Tuner_Freq") line(" ");
    text_.append("[");
    text_.append(name);
    line("]");
}

void IniText::key(std::string_view key, std::string_view value) {
    text_.append(key);
    text_.append("=");
    line(value);
}

}  // namespace qor
