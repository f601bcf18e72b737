#include "common/answers.h"

#include <algorithm>
#include <limits>

#include "common/basic.h"

namespace qor {

std::string scanevent(std::string_view text, int n) {
    std::string field;
    int commas = 0;
    for (char c : text) {
        if (c == ',') {
            ++commas;
            // Past the wanted field nothing more can be appended.
            if (commas > n) break;
        } else if (commas == n) {
            if (c == ';') break;
            field += c;
        }
    }
    return field;
}

std::string clearansw(std::string_view text, std::string_view key, int16_t& semicolonCount) {
    const auto count = std::count(text.begin(), text.end(), ';');
    semicolonCount =
        static_cast<int16_t>(std::min<std::ptrdiff_t>(count, std::numeric_limits<int16_t>::max()));
    if (count < 2) return std::string(text);

    const std::size_t start = text.find(key);
    if (start == std::string_view::npos) return {};
    const std::size_t end = text.find(';', start);
    return std::string(text.substr(start, end == std::string_view::npos ? end : end - start + 1));
}

std::string Scanlast(std::string_view text) {
    if (!text.starts_with('*') || !text.ends_with(';')) return "Comm Error";
    return std::string(text.substr(0, text.find(';') + 1));
}

bool ZoneOnFromAnswer(std::string_view answer) { return scanevent(answer, 2) == "1"; }

std::optional<int16_t> ValueFromAnswer(std::string_view answer) {
    const std::string field = scanevent(answer, 3);
    if (field.empty() || !IsNumeric(field)) return std::nullopt;
    return CInt(field);
}

std::optional<TempReading> TempFromRecord(std::string_view record) {
    const std::size_t at = record.find("TEMP");
    if (at == std::string_view::npos || at < 1) return std::nullopt;
    auto whole = [&](int n) -> std::optional<int16_t> {
        const auto v = WholeNumber(scanevent(record, n));
        if (!v || *v < std::numeric_limits<int16_t>::min() ||
            *v > std::numeric_limits<int16_t>::max())
            return std::nullopt;
        return static_cast<int16_t>(*v);
    };
    return TempReading{whole(2), whole(3), whole(4), whole(6)};
}

}  // namespace qor
