// What the settings panel sends to the device, and the texts it shows about it. The values come
// from the panel's controls as the user left them, so typed texts are checked before anything is
// sent: a Set that cannot be sent whole sends nothing and says why.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/basic.h"

namespace qor {

// Shown, critical, when the panel is opened after a model query that found no device; the panel
// then closes.
inline constexpr const char* kModelNotRetrievedMessage =
    "Model QOR could not be retrieved. Please re-connect device and re-start the software... .";

// "Firmware :  " and field 2 of the version answer (nothing behind it for a bad answer).
std::string FirmwareCaption(std::string_view versionAnswer);
// "Model :  " and the model.
std::string ModelCaption(std::string_view model);

// The clock Set: the calendar's date, the hour and minute boxes' texts, the seconds always 1:
// "*CLK,SET,07,03,2026,09,05,01;". nullopt, with the reason in *why, when the hour is not a whole
// number from 0 to 23 or the minute one from 0 to 59 (the boxes' own "Hr" and "Min" included).
std::optional<std::string> ClockSetCommand(const DateTime& date, std::string_view hour,
                                           std::string_view minute, std::string* why = nullptr);
// The message after a written clock Set: "Clock adjusted :" and the command.
std::string ClockAdjustedMessage(std::string_view command);

// The temperature Set, in order: minimum, maximum, offset, in the forms start-up sends ("5" as
// "*TEMP,MIN,05;", the offset -3 as "*TEMP,CAL,-03;"). nullopt, with the reason in *why, when a
// limit or the offset is not a whole number.
std::optional<std::vector<std::string>> TemperatureSetCommands(std::string_view minimum,
                                                               std::string_view maximum,
                                                               std::string_view offset,
                                                               std::string* why = nullptr);

// The zone Set's commands, in order: the auxiliary pregain; the tuner pregain on the tuner model
// only; the maximum volume of the zone whose tab is selected (1 to 4; none for another tab).
std::vector<std::string> ZoneSetCommands(int auxPregain, int tunerPregain, std::string_view model,
                                         int currentTab, int tabMaxVolume);

}  // namespace qor
