// A panel in a program folder of its own that holds the program's pictures, against one
// simulated amplifier on serial port 1 over a real pseudo-terminal; every other port is missing.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "link/context.h"
#include "platform/ui/dialogs.h"
#include "support/device_fixture.h"
#include "support/files.h"

namespace qor::test {

using Commands = std::vector<std::string>;

class PanelTest : public ::testing::Test {
  protected:
    // A test that only ever meets silence or junk may take the short window (kSilencePoll).
    explicit PanelTest(std::chrono::nanoseconds pollTime = kTestPoll) : pollTime_(pollTime) {}
    void SetUp() override {
        ASSERT_TRUE(sim.start());
        sim.setMisbehaviour(Device());
        ASSERT_FALSE(folder.path().empty());
        CopyAssets(QOR_ASSETS_DIR, folder.path());
        state.vq.DeviceModel = "QOR 82";
    }

    std::string portPath(int port) const {
        return port == 1 ? sim.devicePath() : "/nonexistent/qor-port";
    }
    std::size_t mark() const { return sim.log().size(); }
    // What was sent from `from` on, once `count` commands are there and the line is quiet.
    Commands sentSince(std::size_t from, std::size_t count = 0) {
        sim.waitForLog(from + count, kArrivalMs);
        std::this_thread::sleep_for(40ms);
        const Commands log = sim.log();
        return Commands(log.begin() + static_cast<long>(std::min(from, log.size())), log.end());
    }

    sim::SimAmp sim;
    TempFolder folder;
    SharedState state;
    std::chrono::nanoseconds pollTime_;
    MSComm comm{[this](int port) { return portPath(port); }, pollTime_};
    Link link{comm, state};
    ui::ScriptedDialogs dialogs;
    Context ctx{state, comm, link, dialogs, folder.path(), [] {}};
};

}  // namespace qor::test
