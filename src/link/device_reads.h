// Reads of the device's own settings, one request each: what the settings panel shows. Each sends
// through the link and reads its answer there; none retries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/basic.h"
#include "link/link.h"

namespace qor {

// A maximum volume or pregain ("*RD,VOLMAX,2;", "*RD,GAIN,1;"): read only when the request was
// written; field 3 of the answer when it is numeric, as a whole number. nullopt otherwise.
std::optional<int16_t> ReadValue(Link& link, const std::string& request);

// The temperature record: sends "*RD,TEMP;" and reads up to five answers until one holds the
// "*RT,TEMP" record. An answer of fewer than two records (a single record of any item, a link
// failure text) ends the search at once and is returned as it is, unless it is empty; "" when
// five answers held none.
std::string ReadTempRecord(Link& link);

// The device clock ("*RD,CLK;"): read only when the request was written; nullopt when the answer's
// field 2 is not a day-first date with a time.
std::optional<DateTime> ReadDeviceClock(Link& link);

}  // namespace qor
