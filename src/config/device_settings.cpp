#include "config/device_settings.h"

#include "common/answers.h"
#include "link/commands.h"

namespace qor {

namespace {

// A whole number from low to high, or nullopt with *why naming the box.
std::optional<int> InRange(std::string_view text, int low, int high, const char* what,
                           std::string* why) {
    const auto v = WholeNumber(text);
    if (v && *v >= low && *v <= high) return static_cast<int>(*v);
    if (why)
        *why = std::string("The ") + what + " must be a whole number from " + std::to_string(low) +
               " to " + std::to_string(high) + ". Nothing was sent.";
    return std::nullopt;
}

std::optional<int> Whole(std::string_view text, const char* what, std::string* why) {
    if (const auto v = WholeNumber(text); v && *v >= -32768 && *v <= 32767)
        return static_cast<int>(*v);
    if (why) *why = std::string("The ") + what + " must be a whole number. Nothing was sent.";
    return std::nullopt;
}

}  // namespace

std::string FirmwareCaption(std::string_view versionAnswer) {
    return "Firmware :  " + scanevent(versionAnswer, 2);
}

std::string ModelCaption(std::string_view model) { return "Model :  " + std::string(model); }

std::optional<std::string> ClockSetCommand(const DateTime& date, std::string_view hour,
                                           std::string_view minute, std::string* why) {
    const auto h = InRange(hour, 0, 23, "hour", why);
    if (!h) return std::nullopt;
    const auto m = InRange(minute, 0, 59, "minute", why);
    if (!m) return std::nullopt;
    // The device's seconds start at 1 on a clock set by hand.
    return cmd::ClkSet({date.year, date.month, date.day, *h, *m, 1});
}

std::string ClockAdjustedMessage(std::string_view command) {
    return "Clock adjusted :" + std::string(command);
}

std::optional<std::vector<std::string>> TemperatureSetCommands(std::string_view minimum,
                                                               std::string_view maximum,
                                                               std::string_view offset,
                                                               std::string* why) {
    const auto low = Whole(minimum, "minimum temperature", why);
    if (!low) return std::nullopt;
    const auto high = Whole(maximum, "maximum temperature", why);
    if (!high) return std::nullopt;
    const auto cal = Whole(offset, "temperature offset", why);
    if (!cal) return std::nullopt;
    return std::vector<std::string>{cmd::TempMin(std::to_string(*low)),
                                    cmd::TempMax(std::to_string(*high)),
                                    cmd::TempCal(std::to_string(*cal))};
}

std::vector<std::string> ZoneSetCommands(int auxPregain, int tunerPregain, std::string_view model,
                                         int currentTab, int tabMaxVolume) {
    std::vector<std::string> commands{cmd::Gain(1, auxPregain)};
    if (cmd::IsTunerModel(model)) commands.push_back(cmd::Gain(2, tunerPregain));
    if (currentTab >= 1 && currentTab <= 4) commands.push_back(cmd::Max(currentTab, tabMaxVolume));
    return commands;
}

}  // namespace qor
