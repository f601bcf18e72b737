#include "schedule/schedule_events.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <system_error>

#include "common/answers.h"
#include "common/basic.h"
#include "link/commands.h"

namespace qor::schedule {

namespace {

std::optional<int> Digits(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IsAux(std::string_view source, std::string_view model) {
    return UCase(source) == "AUX" || cmd::IsTunerlessModel(model);
}

}  // namespace

std::string ClearLine(int event) { return cmd::EvtClr(Pad2(event)); }

std::optional<TimeOfDay> ParseTimeCell(std::string_view text) {
    const std::string t = Trim(text);
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= t.size(); ++i) {
        if (i == t.size() || t[i] == ':') {
            parts.push_back(std::string_view(t).substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    const auto h = Digits(parts[0], 2);
    const auto m = Digits(parts[1], 2);
    const auto s = parts.size() == 3 ? Digits(parts[2], 2) : std::optional<int>(0);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
    return TimeOfDay{*h, *m, *s};
}

std::optional<std::string> SetLine(int event, const EventRow& row, std::string_view model) {
    const std::string number = std::to_string(event);
    std::string days;
    for (bool d : row.days) days += d ? '1' : '0';
    if (days == "0000000") return cmd::EvtSet(number + ",0000000,00,00,0,0,1,00,0");

    const auto time = ParseTimeCell(row.time);
    if (!time) return std::nullopt;
    // Half a minute and more rounds up, but never past the hour: 7:59:45 stays 07:59.
    int minute = time->minute + (time->second > 30 ? 1 : 0);
    if (minute > 59) minute = 59;
    const bool aux = IsAux(row.source, model);
    const auto volume = CInt(row.volume);
    std::string fields = number + "," + days + "," + Pad2(time->hour) + "," + Pad2(minute) + ",";
    fields += row.zone + ",";
    fields += UCase(row.onOff) == "ON" ? "1," : "0,";
    fields += aux ? "1," : "2,";
    fields += (volume && *volume < 10 ? "0" : "") + row.volume + ",";
    fields +=
        aux || row.source.empty() ? std::string("1") : row.source.substr(row.source.size() - 1);
    return cmd::EvtSet(fields);
}

std::optional<std::string> ScheduleFileText(const std::array<EventRow, kEvents + 1>& rows,
                                            std::string_view model, int* badEvent) {
    std::string text;
    for (int n = 1; n <= kEvents; ++n) {
        const auto set = SetLine(n, rows[n], model);
        if (!set) {
            if (badEvent) *badEvent = n;
            return std::nullopt;
        }
        text += ClearLine(n) + "\r\n" + *set + "\r\n";
    }
    return text;
}

LineEffect ReadSetLine(std::string_view line, Reader reader, std::string_view model) {
    LineEffect effect;
    if (UCase(Left(Trim(line), 8)) != "*EVT,SET") return effect;
    const std::string text(line);
    auto field = [&](int n) { return scanevent(text, n); };
    // A number outside 16 bits is an error, as the classic conversion raised one.
    auto whole = [&](const std::string& f) -> std::optional<int> {
        const auto v = CInt(f);
        if (!v) effect.error = true;
        return v;
    };

    const std::string number = field(2);
    if (!IsNumeric(number)) return effect;  // no row to put it in: skipped
    const auto row = whole(number);
    if (!row) return effect;
    if (*row > kEvents || *row < 0) {
        effect.error = true;
        return effect;
    }
    if (*row == 0) return effect;  // the header row is no event

    const std::string days = field(3);
    for (std::size_t i = 0; i < 7 && i < days.size(); ++i) effect.days[i] = days[i] == '1';
    const std::string hour = field(4);
    const std::string minute = field(5);
    effect.time = (hour.empty() ? "0" : hour) + ":" + (minute.empty() ? "00" : minute) + ":00";

    const bool tunerless = cmd::IsTunerlessModel(model);
    if (const std::string zone = field(6); IsNumeric(zone)) {
        const auto z = whole(zone);
        if (!z) return effect;
        if (*z < 5) effect.zone = tunerless ? std::to_string(*z) : zone;
    }
    if (const std::string on = field(7); IsNumeric(on)) {
        const auto v = whole(on);
        if (!v) return effect;
        effect.on = *v == 1;
    }
    if (const std::string source = field(8); IsNumeric(source)) {
        const auto v = whole(source);
        if (!v) return effect;
        const std::string preset = "Preset " + Left(field(10), 1);
        if (*v == 1) {
            effect.source = "Aux";
        } else if (reader == Reader::Retrieved) {
            effect.source = preset;
        } else if (tunerless) {
            effect.source = "Aux";
        } else if (*v == 2) {
            effect.source = preset;
        }
    }
    if (const std::string volume = field(9); IsNumeric(volume)) {
        const auto v = whole(volume);
        if (!v) return effect;
        effect.volume = std::to_string(*v);
    }
    effect.row = *row;
    return effect;
}

std::optional<std::string> ReadBackLine(std::string_view answer) {
    if (Left(answer, 7) != "*RT,EVT") return std::nullopt;
    return "*EVT,SET," + Mid(answer, 9);
}

ScheduleName truefilschedn(std::string_view name) {
    const std::string trimmed = Trim(name);
    std::string base;
    if (!trimmed.empty() && trimmed.size() <= 4) {
        // A short name with a dot loses its last four characters, which may be all of it.
        base = trimmed.find('.') == std::string::npos
                   ? trimmed
                   : std::string(name.substr(0, name.size() >= 4 ? name.size() - 4 : 0));
    } else {
        base = name.find(".sch") == std::string_view::npos
                   ? trimmed
                   : std::string(name.substr(0, name.size() - 4));
    }
    std::string result = Trim(base);
    for (char& c : result) {
        const auto u = static_cast<unsigned char>(c);
        if (!(std::isdigit(u) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.'))
            c = '_';
    }
    result += ".sch";
    return {result, result != ".sch"};
}

bool CanReplace(const std::filesystem::path& file, std::string* why) {
    auto fail = [&](const std::string& reason) {
        if (why) *why = reason;
        return false;
    };
    std::error_code ec;
    // A link is followed: the file it names is the one replaced.
    const auto status = std::filesystem::status(file, ec);
    if (std::filesystem::is_directory(status)) return fail("it is a folder");
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return fail("it is no plain file");
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(file, ec)))
        target = std::filesystem::weakly_canonical(file, ec);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    // A file is replaced by a new one renamed over it, so the folder must take a new file.
    std::string probe = (folder / ".qor-probe-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return fail(std::error_code(errno, std::generic_category()).message());
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

}  // namespace qor::schedule
