// The serial control over a pseudo-terminal whose other end the test holds itself.
#include "platform/mscomm.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace qor {
namespace {

using namespace std::chrono_literals;

// Polls enough for text that does come to arrive on a busy machine (10 s here); it ends the wait
// at once. Waits on silence keep the count of 32,000.
constexpr long kArrivalPolls = 5'000'000;

// The device end of a pseudo-terminal.
class Pty {
  public:
    Pty() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            path_ = ptsname(master_);
    }
    ~Pty() { hangUp(); }
    const std::string& path() const { return path_; }
    int master() const { return master_; }
    void write(const std::string& s) {
        ASSERT_EQ(::write(master_, s.data(), s.size()), (ssize_t)s.size());
    }
    std::string read() {
        std::string out;
        pollfd p{master_, POLLIN, 0};
        for (int wait = 500; ::poll(&p, 1, wait) > 0; wait = 20) {
            char buf[256];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0) break;
            out.append(buf, static_cast<std::size_t>(n));
        }
        return out;
    }
    void hangUp() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

  private:
    int master_ = -1;
    std::string path_;
};

class MSCommTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(pty.path().empty()); }
    Pty pty;
    MSComm comm{[this](int port) { return port == 1 ? pty.path() : "/nonexistent/qor-port"; },
                std::chrono::microseconds(2)};
};

TEST_F(MSCommTest, ClosedPortReadsEmptyAndRefusesOutput) {
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(comm.InBufferCount(), 0);
    EXPECT_EQ(comm.Input(), "");
    comm.setInBufferCount(0);
    EXPECT_EQ(comm.WaitForInput(4, 32000), 0);
    EXPECT_THROW(comm.setOutput("*RD,VER;"), CommError);
}

TEST_F(MSCommTest, OutputInputAndFlush) {
    comm.setPortOpen(true);
    comm.setOutput("*RD,VOL,1;");
    EXPECT_EQ(pty.read(), "*RD,VOL,1;");

    pty.write("*RT,VOL,1,40;");
    EXPECT_EQ(comm.WaitForInput(13, kArrivalPolls), 13);
    EXPECT_EQ(comm.InBufferCount(), 13);
    EXPECT_EQ(comm.Input(), "*RT,VOL,1,40;");
    EXPECT_EQ(comm.Input(), "");

    pty.write("stale");
    ASSERT_EQ(comm.WaitForInput(5, kArrivalPolls), 5);
    comm.setInBufferCount(0);
    EXPECT_EQ(comm.InBufferCount(), 0);
    EXPECT_EQ(comm.Input(), "");
}

TEST_F(MSCommTest, SilentLineWaitsOutTheWholeBound) {
    comm.setPortOpen(true);
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(comm.WaitForInput(4, 32000), 0);
    // A correctness floor, not a speed target: the bound is 32,000 polls of 2 us.
    EXPECT_GE(std::chrono::steady_clock::now() - t0, 64ms);
}

TEST_F(MSCommTest, FewerCharactersThanAskedForKeepTheWaitGoing) {
    comm.setPortOpen(true);
    std::thread device([this] {
        pty.write("*R");
        std::this_thread::sleep_for(20ms);
        pty.write("T,");
    });
    EXPECT_EQ(comm.WaitForInput(4, kArrivalPolls), 4);
    device.join();
}

TEST_F(MSCommTest, OutputIsDoneWhenItsCharactersHaveCrossedTheLine) {
    using std::chrono::nanoseconds;
    struct Case {
        const char* settings;
        nanoseconds charTime;  // start bit, data bits, parity bit, stop bits
    } cases[] = {
        {"9600,n,8,1", nanoseconds(1'041'666)},
        {"19200,E,7,2", nanoseconds(572'916)},
        {"9600,o,8,2", nanoseconds(1'250'000)},
        {"1200,n,8,1", nanoseconds(8'333'333)},
    };
    comm.setPortOpen(true);
    for (const auto& c : cases) {
        comm.setSettings(c.settings);
        EXPECT_EQ(comm.CharTime(), c.charTime) << c.settings;
        const auto queuedBefore = std::max(comm.OutputDoneAt(), std::chrono::steady_clock::now());
        // Two texts back to back: the second leaves after the first.
        comm.setOutput(std::string(60, 'x'));
        comm.setOutput(std::string(40, 'y'));
        const auto queuedAfter = std::chrono::steady_clock::now() + 100 * c.charTime;
        EXPECT_EQ(pty.read().size(), 100u);
        const auto done = comm.OutputDoneAt();
        EXPECT_GE(done, queuedBefore + 100 * c.charTime) << c.settings;
        EXPECT_LE(done, std::max(queuedAfter, queuedBefore + 100 * c.charTime)) << c.settings;
    }
}

TEST_F(MSCommTest, OpenFailsForMissingBusyAndNonSerialDevicesAndPortIsFixedWhileOpen) {
    comm.setCommPort(2);
    EXPECT_THROW(comm.setPortOpen(true), CommError);
    EXPECT_FALSE(comm.PortOpen());
    MSComm notSerial([](int) { return std::string("/dev/null"); });
    EXPECT_THROW(notSerial.setPortOpen(true), CommError);

    comm.setCommPort(1);
    comm.setPortOpen(true);
    EXPECT_THROW(comm.setCommPort(3), CommError);
    EXPECT_THROW(comm.setPortOpen(true), CommError);
    EXPECT_EQ(comm.CommPort(), 1);
    MSComm second([this](int) { return pty.path(); });
    EXPECT_THROW(second.setPortOpen(true), CommError);
    comm.setPortOpen(false);
    EXPECT_NO_THROW(second.setPortOpen(true));
}

TEST_F(MSCommTest, SettingsAreParsedAndApplied) {
    comm.setPortOpen(true);
    struct Case {
        const char* text;
        speed_t speed;
        tcflag_t size;
        bool parity, odd, twoStop;
    } const cases[] = {
        {"9600,n,8,1", B9600, CS8, false, false, false},
        {"19200,E,7,2", B19200, CS7, true, false, true},
        {"4800,o,8,1.5", B4800, CS8, true, true, true},
        {"115200,n,5,1", B115200, CS5, false, false, false},
    };
    for (const auto& c : cases) {
        comm.setSettings(c.text);
        EXPECT_EQ(comm.Settings(), c.text);
        termios tio{};
        // A pseudo-terminal keeps only the speed and the raw mode of what is applied to it...
        ASSERT_EQ(tcgetattr(pty.master(), &tio), 0);
        EXPECT_EQ(cfgetospeed(&tio), c.speed) << c.text;
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u) << c.text;
        // ...so the frame bits are checked on what the control would apply.
        MSComm::ToTermios(c.text, tio);
        EXPECT_EQ(tio.c_cflag & CSIZE, c.size) << c.text;
        EXPECT_EQ((tio.c_cflag & PARENB) != 0, c.parity) << c.text;
        EXPECT_EQ((tio.c_cflag & PARODD) != 0, c.odd) << c.text;
        EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStop) << c.text;
    }
    for (const char* bad : {"", "9600", "9601,n,8,1", "9600,x,8,1", "9600,n,9,1", "9600,n,8,3",
                            "abc,n,8,1", "9600,n,8,1,1", "99999999999,n,8,1"}) {
        EXPECT_THROW(comm.setSettings(bad), CommError) << bad;
        EXPECT_EQ(comm.Settings(), "115200,n,5,1") << bad;
    }
}

TEST_F(MSCommTest, HangUpReadsAsClosedAndALaterOpenWorks) {
    comm.setPortOpen(true);
    pty.write("*RT");
    ASSERT_EQ(comm.WaitForInput(3, kArrivalPolls), 3);
    pty.hangUp();
    EXPECT_EQ(comm.WaitForInput(4, 32000), 0);
    EXPECT_EQ(comm.InBufferCount(), 0);
    EXPECT_EQ(comm.Input(), "");
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_THROW(comm.setOutput("*RD,VER;"), CommError);

    Pty replugged;
    MSComm again([&](int) { return replugged.path(); });
    again.setPortOpen(true);
    again.setOutput("*RD,VER;");
    EXPECT_EQ(replugged.read(), "*RD,VER;");
}

TEST(MSCommPortMap, EnvironmentNamesTheDeviceElseTtyS) {
    ::unsetenv("QOR_COM7");
    EXPECT_EQ(MSComm::DefaultDevicePath(7), "/dev/ttyS6");
    ::setenv("QOR_COM7", "/tmp/qor-amp", 1);
    EXPECT_EQ(MSComm::DefaultDevicePath(7), "/tmp/qor-amp");
    ::setenv("QOR_COM7", "", 1);
    EXPECT_EQ(MSComm::DefaultDevicePath(7), "/dev/ttyS6");
    ::unsetenv("QOR_COM7");
}

}  // namespace
}  // namespace qor
