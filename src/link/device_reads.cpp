#include "link/device_reads.h"

#include "common/answers.h"
#include "link/commands.h"

namespace qor {

namespace {

constexpr int kTempReads = 5;

}  // namespace

std::optional<int16_t> ReadValue(Link& link, const std::string& request) {
    if (link.SendMessage(request) != 1) return std::nullopt;
    return ValueFromAnswer(link.ReceiveMessage());
}

std::string ReadTempRecord(Link& link) {
    link.SendMessage(cmd::RdTemp());
    std::string record;
    for (int k = 0; record.empty() && k < kTempReads; ++k)
        record = link.clearansw(link.ReceiveMessage(), "*RT,TEMP");
    return record;
}

std::optional<DateTime> ReadDeviceClock(Link& link) {
    if (link.SendMessage(cmd::RdClk()) != 1) return std::nullopt;
    return DeviceClockFromText(link.scanevent(link.ReceiveMessage(), 2));
}

}  // namespace qor
