// The simulated amplifier seen from the program's end of the line, kept to plain descriptors so
// these tests do not lean on the serial code they are meant to serve.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "simamp.h"

using qor::sim::SimAmp;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

extern char** environ;

namespace {

struct Fd {
    explicit Fd(int f) : fd(f) {}
    explicit Fd(const std::string& path)
        : fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int fd;
};

// The reads as they arrive, until `stop` has come `count` times or timeoutMs has passed.
std::vector<std::string> Reads(int fd, char stop, int count, int timeoutMs = 2000) {
    std::vector<std::string> reads;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (int seen = 0; seen < count;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) break;
        reads.emplace_back(buf, static_cast<std::size_t>(n));
        seen += static_cast<int>(std::count(reads.back().begin(), reads.back().end(), stop));
    }
    return reads;
}

std::string Joined(const std::vector<std::string>& reads) {
    std::string all;
    for (const auto& r : reads) all += r;
    return all;
}

std::string ReadFor(const Fd& line, int ms) { return Joined(Reads(line.fd, ';', INT_MAX, ms)); }

std::string Exchange(const Fd& line, const std::string& command) {
    if (::write(line.fd, command.data(), command.size()) != static_cast<ssize_t>(command.size()))
        return "<write failed>";
    return Joined(Reads(line.fd, ';', 1));
}

class SimLine : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(sim.start()); }
    SimAmp sim;
};

TEST_F(SimLine, AnswersReadsAppliesSetsAndLogsEveryCommand) {
    Fd line(sim.devicePath());
    ASSERT_GE(line.fd, 0);
    EXPECT_EQ(Exchange(line, "*RD,MODEL;"), "*RT,MODEL,0,2;");
    // A set gets no answer of its own; two commands may share one write.
    EXPECT_EQ(Exchange(line, "*VOL,1,2,61;*RD,VOL,1;"), "*RT,VOL,1,61;");
    ASSERT_TRUE(sim.waitForLog(3));
    EXPECT_EQ(sim.log(), (std::vector<std::string>{"*RD,MODEL;", "*VOL,1,2,61;", "*RD,VOL,1;"}));
}

TEST_F(SimLine, ClockKeepsWhatWasSetAndRunsOn) {
    Fd line(sim.devicePath());
    ASSERT_GE(line.fd, 0);
    EXPECT_EQ(Exchange(line, "*CLK,SET,31,12,2026,23,59,58;*RD,CLK;"),
              "*RT,CLK,31/12/2026 23:59:58;");
    // An hour on, without waiting one.
    auto s = sim.state();
    s.clockSetAt -= std::chrono::hours(1);
    sim.setState(s);
    const std::string later = Exchange(line, "*RD,CLK;");
    EXPECT_TRUE(later == "*RT,CLK,01/01/2027 00:59:58;" || later == "*RT,CLK,01/01/2027 00:59:59;")
        << later;
}

TEST_F(SimLine, MisbehaviourReachesTheLineAndCanBeSetRightAgain) {
    Fd line(sim.devicePath());
    ASSERT_GE(line.fd, 0);
    sim.setMisbehaviour({.splitPieces = 3, .splitGapMs = 40});
    ASSERT_EQ(::write(line.fd, "*RD,TEMP;", 9), 9);
    const auto pieces = Reads(line.fd, ';', 1);
    EXPECT_EQ(Joined(pieces), "*RT,TEMP,45,70,90,0,0;");
    ASSERT_GE(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].find(';'), std::string::npos);

    sim.setMisbehaviour({.strayByteFirst = true});
    EXPECT_EQ(Exchange(line, "*RD,VOL,1;"), "\x7f*RT,VOL,1,40;");

    sim.setMisbehaviour({.garbage = true});
    ASSERT_EQ(::write(line.fd, "*RD,VOL,1;", 10), 10);
    const std::string junk = ReadFor(line, 150);
    EXPECT_FALSE(junk.empty());
    EXPECT_EQ(junk.find_first_of("*;"), std::string::npos) << junk;

    sim.setMisbehaviour({});
    EXPECT_EQ(Exchange(line, "*RD,VOL,1;"), "*RT,VOL,1,40;");
}

TEST_F(SimLine, PacedExchangeTakesAtLeastItsWireTime) {
    Fd line(sim.devicePath());
    sim.setMisbehaviour({.paceBaud = 9600});
    const std::string command = "*RD,VOL,1;", answer = "*RT,VOL,1,40;";
    const auto t0 = Clock::now();
    EXPECT_EQ(Exchange(line, command), answer);
    // Ten bits a character; a little slack for the clock's grain.
    const auto wire =
        std::chrono::microseconds((command.size() + answer.size()) * 10 * 1'000'000 / 9600);
    EXPECT_GE(Clock::now() - t0, wire * 8 / 10);
}

TEST_F(SimLine, PacedCommandsWrittenBackToBackArriveOneAfterTheOther) {
    Fd line(sim.devicePath());
    sim.setMisbehaviour({.paceBaud = 9600});
    // Forty set commands, about half a second of line, written at once; the read comes after them.
    std::string text;
    for (int v = 1; v <= 40; ++v) text += "*VOL,1,2," + std::to_string(v) + ";";
    text += "*RD,VOL,1;";
    const auto t0 = Clock::now();
    ASSERT_EQ(::write(line.fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    // Nothing is taken before its last character has come down the line.
    EXPECT_LT(sim.log().size(), 40u);
    EXPECT_EQ(Joined(Reads(line.fd, ';', 1)), "*RT,VOL,1,40;");
    const auto wire = std::chrono::microseconds(text.size() * 10 * 1'000'000 / 9600);
    EXPECT_GE(Clock::now() - t0, wire * 8 / 10);
    EXPECT_EQ(sim.log().size(), 41u);
}

TEST(SimLink, HangUpIsSeenOnTheLineAndRestartMovesTheLink) {
    char dir[] = "/tmp/qor-sim-test-XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const fs::path link = fs::path(dir) / "amp";
    {
        SimAmp sim;
        ASSERT_TRUE(sim.start(link.string()));
        const std::string first = sim.slavePath();
        EXPECT_EQ(fs::read_symlink(link), first);
        Fd old(link.string());
        EXPECT_EQ(Exchange(old, "*RD,ON,4;"), "*RT,ON,0;");

        sim.hangUp();
        EXPECT_FALSE(sim.running());
        // Gone as an unplugged device is: poll sees the hang-up, writing fails with EIO.
        pollfd p{old.fd, POLLIN, 0};
        ASSERT_EQ(::poll(&p, 1, 1000), 1);
        EXPECT_TRUE(p.revents & POLLHUP);
        EXPECT_EQ(::write(old.fd, "*", 1), -1);
        EXPECT_EQ(errno, EIO);

        // The old line is still held open here, so the new one has another name.
        ASSERT_TRUE(sim.start());
        EXPECT_NE(sim.slavePath(), first);
        EXPECT_EQ(fs::read_symlink(link), sim.slavePath());
        Fd moved(link.string());
        EXPECT_EQ(Exchange(moved, "*RD,ON,4;"), "*RT,ON,0;");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    fs::remove_all(dir);
}

TEST(SimProgram, PrintsItsDeviceAnswersAndEndsCleanlyOnTerm) {
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char program[] = QOR_SIM_PROGRAM, model[] = "--model", code[] = "82",
         presetsOption[] = "--presets", presets[] = "89.3,91.7,-,98.5,104.8,108.0";
    char* argv[] = {program, model, code, presetsOption, presets, nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, program, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    Fd output(out[0]);

    const std::string first = Joined(Reads(output.fd, '\n', 1, 3000));
    const std::string prefix = "device: /dev/";
    EXPECT_EQ(first.rfind(prefix, 0), 0u) << first;
    if (first.rfind(prefix, 0) == 0) {
        Fd line(first.substr(8, first.find('\n') - 8));
        EXPECT_EQ(Exchange(line, "*RD,MODEL;"), "*RT,MODEL,0,2;");
        EXPECT_EQ(Exchange(line, "*RD,PRES,3;"), "*RT,PRES,3,,;");
        EXPECT_EQ(Exchange(line, "*RD,PRES,6;"), "*RT,PRES,6,108,0;");
    }

    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
