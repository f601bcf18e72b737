#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "port.h"
#include "simamp.h"

using qor::sim::Misbehaviour;
using qor::sim::SimAmp;
using qor::sim::testing::Port;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

class SimLine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.start());
        port = std::make_unique<Port>(sim.devicePath());
        ASSERT_TRUE(port->isOpen());
    }
    SimAmp sim;
    std::unique_ptr<Port> port;
};

class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/qor-sim-test-XXXXXX";
        path_ = ::mkdtemp(name);
    }
    ~TempDir() { fs::remove_all(path_); }
    fs::path path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

TEST_F(SimLine, AnswersReadsAndLogsEveryCommandInOrder) {
    EXPECT_EQ(port->exchange("*RD,MODEL;"), "*RT,MODEL,0,2;");
    // Noise before "*" is skipped, and a command may come in pieces.
    ASSERT_TRUE(port->write("\r\nxx*RD,V"));
    ASSERT_TRUE(port->write("OL,1;"));
    EXPECT_EQ(port->readUntil(1), "*RT,VOL,1,40;");
    // Set commands get no answer but change the next read; two commands in one write.
    ASSERT_TRUE(port->write("*VOL,1,2,61;*RD,VOL,1;"));
    EXPECT_EQ(port->readUntil(1), "*RT,VOL,1,61;");
    EXPECT_EQ(port->readFor(50), "");
    ASSERT_TRUE(sim.waitForLog(4));
    EXPECT_EQ(sim.log(),
              (std::vector<std::string>{"*RD,MODEL;", "*RD,VOL,1;", "*VOL,1,2,61;", "*RD,VOL,1;"}));
    EXPECT_EQ(sim.state().zones[1].volume, 61);
    EXPECT_EQ(sim.takeLog().size(), 4u);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(SimLine, UnknownAndMalformedCommandsGetNoAnswerAndDoNotStopIt) {
    ASSERT_TRUE(port->write("*NOPE;*RD,VOL,9;*RD,VOL,1*RD,ON,1;"));
    EXPECT_EQ(port->readUntil(1), "*RT,ON,0;");
    ASSERT_TRUE(port->write(std::string("\0\xff*\xfe\x01;", 6)));
    EXPECT_EQ(port->exchange("*RD,VER;"), "*RT,VER,V2.14;");
    // An unfinished command is dropped when a new one starts.
    ASSERT_TRUE(sim.waitForLog(5));
    EXPECT_EQ(sim.log()[2], "*RD,ON,1;");
}

TEST_F(SimLine, PortClosedAndOpenedAgainStillAnswers) {
    for (int i = 0; i < 3; ++i) {
        port = std::make_unique<Port>(sim.devicePath());
        ASSERT_TRUE(port->isOpen());
        EXPECT_EQ(port->exchange("*RD,LINK,2;"), "*RT,LINK,2,2;");
    }
    EXPECT_TRUE(sim.running());
}

TEST_F(SimLine, MisbehavesAsToldAndCanBeSetRightAgain) {
    Misbehaviour m;
    m.silent = true;
    sim.setMisbehaviour(m);
    ASSERT_TRUE(port->write("*RD,VOL,1;"));
    ASSERT_TRUE(sim.waitForLog(1));
    EXPECT_EQ(port->readFor(100), "");

    m = {};
    m.strayByteFirst = true;
    sim.setMisbehaviour(m);
    EXPECT_EQ(port->exchange("*RD,VOL,1;"), "\x7f*RT,VOL,1,40;");

    m = {};
    m.noClosingSemicolon = true;
    sim.setMisbehaviour(m);
    ASSERT_TRUE(port->write("*RD,VOL,1;"));
    EXPECT_EQ(port->readFor(150), "*RT,VOL,1,40");

    m = {};
    m.garbage = true;
    sim.setMisbehaviour(m);
    ASSERT_TRUE(port->write("*RD,VOL,1;"));
    std::string junk = port->readFor(150);
    EXPECT_FALSE(junk.empty());
    EXPECT_EQ(junk.find_first_of("*;"), std::string::npos) << junk;

    sim.setMisbehaviour({});
    EXPECT_EQ(port->exchange("*RD,VOL,1;"), "*RT,VOL,1,40;");
}

TEST_F(SimLine, LateAnswerComesNoSoonerThanAsked) {
    Misbehaviour m;
    m.lateMs = 120;
    sim.setMisbehaviour(m);
    auto t0 = Clock::now();
    EXPECT_EQ(port->exchange("*RD,SRC,3;"), "*RT,SRC,3,1;");
    EXPECT_GE(Clock::now() - t0, std::chrono::milliseconds(120));
}

TEST_F(SimLine, SplitAnswerArrivesInPieces) {
    Misbehaviour m;
    m.splitPieces = 3;
    m.splitGapMs = 40;
    sim.setMisbehaviour(m);
    ASSERT_TRUE(port->write("*RD,TEMP;"));
    auto chunks = port->readChunks(1);
    std::string joined;
    for (const auto& c : chunks) joined += c;
    EXPECT_EQ(joined, "*RT,TEMP,45,70,90,0,0;");
    ASSERT_GE(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].find(';'), std::string::npos);
}

TEST_F(SimLine, SendsRdsAndRawBytesUnasked) {
    sim.sendRds("RADIO JAZZ FM");
    EXPECT_EQ(port->readUntil(1), "*RT,TUN,RDS,TXT,RADIO JAZZ FM;");
    sim.sendRaw("*RT,VOL,1,");
    sim.sendRaw("7;");
    EXPECT_EQ(port->readUntil(1), "*RT,VOL,1,7;");
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(SimLine, PacedExchangeTakesAboutItsWireTime) {
    Misbehaviour m;
    m.paceBaud = 9600;
    sim.setMisbehaviour(m);
    const std::string command = "*RD,VOL,1;";
    const std::string answer = "*RT,VOL,1,40;";
    auto t0 = Clock::now();
    EXPECT_EQ(port->exchange(command), answer);
    auto took = Clock::now() - t0;
    const auto wire =
        std::chrono::microseconds((command.size() + answer.size()) * 10 * 1'000'000 / 9600);
    EXPECT_GE(took, wire * 8 / 10);
}

TEST_F(SimLine, HangUpIsSeenByTheProgramAndStartGivesANewLine) {
    const std::string first = sim.slavePath();
    sim.hangUp();
    EXPECT_FALSE(sim.running());
    EXPECT_TRUE(port->hungUp());

    // The old line is still held open here, so the new one has another name.
    ASSERT_TRUE(sim.start());
    EXPECT_NE(sim.slavePath(), first);
    Port again(sim.devicePath());
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.exchange("*RD,MODEL;"), "*RT,MODEL,0,2;");
}

TEST_F(SimLine, HangUpOnNextCommandSendsHalfAnAnswerFirst) {
    Misbehaviour m;
    m.hangUpOnNextCommand = true;
    sim.setMisbehaviour(m);
    ASSERT_TRUE(port->write("*RD,VOL,1;"));
    EXPECT_EQ(port->readFor(200), "*RT,VO");
    EXPECT_TRUE(port->hungUp());
    EXPECT_FALSE(sim.running());

    ASSERT_TRUE(sim.start());
    Port again(sim.devicePath());
    ASSERT_TRUE(again.isOpen());
    // The hang-up was for one command only.
    EXPECT_EQ(again.exchange("*RD,VOL,1;"), "*RT,VOL,1,40;");
}

TEST(SimLink, LinkIsMadeMovedOnRestartAndRemovedOnStop) {
    TempDir dir;
    const fs::path link = dir.path() / "qor-amp";
    {
        // A stale link from an earlier run is replaced.
        fs::create_symlink("/nonexistent", link);
        SimAmp sim;
        ASSERT_TRUE(sim.start(link.string()));
        EXPECT_EQ(sim.devicePath(), link.string());
        EXPECT_EQ(fs::read_symlink(link), sim.slavePath());
        Port port(link.string());
        ASSERT_TRUE(port.isOpen());
        EXPECT_EQ(port.exchange("*RD,ON,4;"), "*RT,ON,0;");

        sim.hangUp();
        ASSERT_TRUE(sim.start());
        EXPECT_EQ(fs::read_symlink(link), sim.slavePath());
        Port moved(link.string());
        ASSERT_TRUE(moved.isOpen());
        EXPECT_EQ(moved.exchange("*RD,ON,4;"), "*RT,ON,0;");
        sim.stop();
        EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    }
    {
        // Anything but a link is left alone.
        std::ofstream(link) << "keep";
        SimAmp sim;
        EXPECT_FALSE(sim.start(link.string()));
        EXPECT_FALSE(fs::is_symlink(link));
        std::ifstream in(link);
        std::string text;
        in >> text;
        EXPECT_EQ(text, "keep");
    }
}
