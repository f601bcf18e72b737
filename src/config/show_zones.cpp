#include "config/show_zones.h"

#include "common/basic.h"
#include "platform/files.h"

namespace qor {

std::filesystem::path ShowZonesFilePath(const std::filesystem::path& programDir) {
    return programDir / kShowZonesFileName;
}

ZoneChoices ParseShowZones(const std::vector<std::string>& lines) {
    ZoneChoices choices{};
    for (const std::string& raw : lines) {
        const std::string line = Trim(raw);
        for (int z = 1; z <= 4; ++z) {
            if (line.starts_with("Showzone" + std::to_string(z)))
                choices[z] = line.ends_with("True");
        }
    }
    return choices;
}

ZoneChoices ReadShowZones(const std::filesystem::path& programDir) {
    const auto lines = files::ReadLines(ShowZonesFilePath(programDir));
    return lines ? ParseShowZones(*lines) : ZoneChoices{};
}

std::string ShowZonesText(const std::array<bool, 5>& show) {
    std::string text = " \r\n[Show zones on screen]\r\n";
    for (int z = 1; z <= 4; ++z)
        text += "Showzone" + std::to_string(z) + " = " + (show[z] ? "True" : "False") + "\r\n";
    return text;
}

bool WriteShowZones(const std::filesystem::path& programDir, const std::array<bool, 5>& show,
                    std::string* why) {
    return files::ReplaceFile(ShowZonesFilePath(programDir), ShowZonesText(show), why);
}

}  // namespace qor
