// The settings reads against the simulated amplifier over a real pseudo-terminal.
#include "link/device_reads.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/commands.h"
#include "simamp.h"
#include "support/device_fixture.h"

namespace qor {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

class DeviceReadsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sim.start());
        // An answer faster than the program's flush after sending would be thrown away.
        sim.setMisbehaviour({.lateMs = 3});
    }
    void SetDevice(const std::function<void(sim::DeviceState&)>& change) {
        auto s = sim.state();
        change(s);
        sim.setState(s);
    }

    sim::SimAmp sim;
    SharedState state;
    bool attached = true;
    MSComm comm{
        [this](int p) { return p == 1 && attached ? sim.devicePath() : "/nonexistent/qor"; },
        test::kTestPoll};
    Link link{comm, state};
};

TEST_F(DeviceReadsTest, ValuesAreReadOnlyWhenNumericAndOnlyWhenTheRequestWasWritten) {
    SetDevice([](sim::DeviceState& s) {
        s.zones[2].volMax = 63;
        s.gain[1] = 7;
    });
    EXPECT_EQ(ReadValue(link, cmd::RdVolMax(2)), 63);
    EXPECT_EQ(ReadValue(link, cmd::RdGain(1)), 7);
    // No answer at all (a request the device does not know) keeps the control as it was.
    EXPECT_EQ(ReadValue(link, cmd::RdVolMax(5)), std::nullopt);
    EXPECT_EQ(sim.log(), (Lines{cmd::RdVolMax(2), cmd::RdGain(1), cmd::RdVolMax(5)}));

    attached = false;
    comm.setPortOpen(false);
    EXPECT_EQ(ReadValue(link, cmd::RdGain(2)), std::nullopt);
}

TEST_F(DeviceReadsTest, TemperatureRecordIsFoundAmongSeveralOrTakenAsTheOnlyOne) {
    SetDevice([](sim::DeviceState& s) {
        s.tempNow = 45, s.tempMin = 40, s.tempMax = 70, s.tempOffset = 0, s.tempStatus = 1;
    });
    EXPECT_EQ(ReadTempRecord(link), "*RT,TEMP,45,40,70,0,1;");

    // Records of other items first: the search reads on until the temperature record comes.
    // Each batch comes well after the read that should take it has begun, even on a busy machine.
    sim.setMisbehaviour({.silent = true});
    std::thread device([this] {
        if (!sim.waitForLog(2)) return;
        std::this_thread::sleep_for(150ms);
        sim.sendRaw("*RT,VOL,1,40;*RT,ON,1;");
        std::this_thread::sleep_for(300ms);
        sim.sendRaw("*RT,ON,2;*RT,TEMP,45,40,70,0,2;");
    });
    EXPECT_EQ(ReadTempRecord(link), "*RT,TEMP,45,40,70,0,2;");
    device.join();

    // A single record of another item ends the search at once; it is no temperature record.
    std::thread other([this] {
        if (!sim.waitForLog(3)) return;
        std::this_thread::sleep_for(150ms);
        sim.sendRaw("*RT,VOL,1,40;");
    });
    EXPECT_EQ(ReadTempRecord(link), "*RT,VOL,1,40;");
    other.join();
}

TEST_F(DeviceReadsTest, ClockIsReadAsADayFirstDateAndTime) {
    SetDevice([](sim::DeviceState& s) { s.clock = "08/12/2026 10:11:12"; });
    const auto clock = ReadDeviceClock(link);
    ASSERT_TRUE(clock);
    EXPECT_EQ(DateText(*clock), "08-12-2026");
    EXPECT_GE(TimeText(*clock), "10:11:12");
    EXPECT_LE(TimeText(*clock), "10:11:20");

    SetDevice([](sim::DeviceState& s) { s.clock = "2026-12-08T10:11:12"; });
    EXPECT_EQ(ReadDeviceClock(link), std::nullopt);
    attached = false;
    comm.setPortOpen(false);
    EXPECT_EQ(ReadDeviceClock(link), std::nullopt);
}

}  // namespace
}  // namespace qor
