#include "config/preset_keys.h"

#include <system_error>

#include "config/settings_file.h"
#include "platform/files.h"

namespace qor {

std::string PresetFreqKey(int preset) { return "Preset" + std::to_string(preset) + "_Freq"; }
std::string PresetNameKey(int preset) { return "Preset" + std::to_string(preset) + "_Name"; }

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> RewritePresetKeys(const std::vector<std::string>& lines, int preset,
                                           std::string_view frequency, std::string_view name) {
    const std::string freqKey = PresetFreqKey(preset), nameKey = PresetNameKey(preset);
    const std::string freqLine = freqKey + "=" + std::string(frequency);
    const std::string nameLine = nameKey + "=" + std::string(name);
    std::vector<std::string> out;
    out.reserve(lines.size() + 2);
    bool found = false;
    for (const auto& line : lines) {
        // "Contains", not "starts with": a longer key or a value holding the text is replaced too,
        // as the settings file has always been rewritten.
        if (line.find(freqKey) != std::string::npos) {
            out.push_back(freqLine);
            found = true;
        } else if (line.find(nameKey) != std::string::npos) {
            out.push_back(nameLine);
            found = true;
        } else {
            out.push_back(line);
        }
    }
    if (!found) {
        out.push_back(freqLine);
        out.push_back(nameLine);
    }
    return out;
}

PresetStoreOutcome StorePresetKeys(const std::filesystem::path& programDir, int preset,
                                   std::string_view frequency, std::string_view name,
                                   std::string* why) {
    const std::filesystem::path settings = SettingsFilePath(programDir);
    std::error_code error;
    if (!std::filesystem::exists(settings, error)) return PresetStoreOutcome::NoFile;
    std::string reason;
    const auto lines = files::ReadLines(settings, &reason);
    if (!lines) {
        if (why) *why = settings.filename().string() + ": " + reason;
        return PresetStoreOutcome::ReadFailed;
    }
    const std::string text = JoinLines(RewritePresetKeys(*lines, preset, frequency, name));
    const auto failed = [&](const std::filesystem::path& file) {
        if (why) *why = file.filename().string() + ": " + reason;
        return PresetStoreOutcome::WriteFailed;
    };
    // The copy is made anew: a user.tus left there, even a link, is replaced, not written into.
    const std::filesystem::path copy = programDir / kPresetCopyFileName;
    if (!files::WriteFreshFile(copy, text, &reason)) return failed(copy);
    if (!files::ReplaceFile(settings, text, &reason)) return failed(settings);
    return PresetStoreOutcome::Written;
}

}  // namespace qor
