#include "config/ini_reading.h"

#include <algorithm>

#include "common/basic.h"

namespace qor {

std::string GetIniValue(std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    const std::size_t second = line.find('=', eq + 1);
    return std::string(
        line.substr(eq + 1, second == std::string_view::npos ? second : second - eq - 1));
}

bool IsHeader(std::string_view line, std::string_view upperHeader) {
    return UCase(Trim(line)) == upperHeader;
}

bool HasKey(std::string_view line, std::string_view upperKey) {
    return UCase(Left(line, upperKey.size())) == upperKey;
}

std::size_t ReadSection(const std::vector<std::string>& lines, std::size_t header,
                        const std::function<void(const std::string&)>& take) {
    std::size_t i = header + 1;
    for (; i < lines.size(); ++i) {
        if (Trim(lines[i]).starts_with("[")) break;
        take(lines[i]);
    }
    return std::min(i, lines.size());
}

}  // namespace qor
