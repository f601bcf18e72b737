// The link against the simulated amplifier over a real pseudo-terminal.
#include "link/link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "link/commands.h"
#include "simamp.h"
#include "support/device_fixture.h"

namespace qor {
namespace {

using namespace std::chrono_literals;

using test::kArrivalMs;
using test::kSilencePoll;
using test::kTestPoll;

class RecordingRdsLine : public RdsLine {
  public:
    void setVisible(bool v) override { visible = v; }
    std::string caption() const override { return text; }
    void setCaption(const std::string& t) override {
        text = t;
        history.push_back(t);
    }
    void refresh() override {}
    bool visible = false;
    std::string text;
    std::vector<std::string> history;
};

// Time that jumps to wherever the scroll asks to sleep to.
class JumpingClock : public LinkClock {
  public:
    std::chrono::system_clock::time_point now() override { return t; }
    void sleepUntil(std::chrono::system_clock::time_point until) override {
        ++sleeps;
        if (until > t) t = until;
    }
    std::chrono::system_clock::time_point t =
        std::chrono::system_clock::time_point{} + 1000h + 250ms;
    int sleeps = 0;
};

class LinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sim.start());
        link.setClock(&clock);
    }
    void openPort() {
        ASSERT_EQ(link.SendMessage(cmd::RdVer()), 1);
        link.ReceiveMessage();
    }
    // The device sends bytes unasked a little after the receive has begun waiting (and flushed);
    // the delay is long enough that a busy machine has the receive waiting by then.
    std::string receive(const std::string& bytes, std::chrono::milliseconds delay = 150ms) {
        std::thread device([this, bytes, delay] {
            std::this_thread::sleep_for(delay);
            sim.sendRaw(bytes);
        });
        std::string text = link.ReceiveMessage();
        device.join();
        return text;
    }

    sim::SimAmp sim;
    SharedState state;
    // Port 1 is the simulator; every other port is a device that does not exist.
    MSComm comm{[this](int p) { return p == 1 ? sim.devicePath() : "/nonexistent/qor-port"; },
                kTestPoll};
    Link link{comm, state};
    JumpingClock clock;
};

TEST_F(LinkTest, ReadExchangeOpensThePortOnFirstUseAndFlushesWhatCameBefore) {
    EXPECT_FALSE(comm.PortOpen());
    ASSERT_EQ(link.SendMessage(cmd::RdVol(1)), 1);
    EXPECT_TRUE(comm.PortOpen());
    EXPECT_EQ(link.ReceiveMessage(), "*RT,VOL,1,40;");
    ASSERT_TRUE(sim.waitForLog(1));
    EXPECT_EQ(sim.log(), std::vector<std::string>{"*RD,VOL,1;"});

    ASSERT_EQ(link.SendMessage(cmd::RdVol(1)), 1);
    // The answer is in the buffer before the receive begins, which throws it away.
    ASSERT_GE(comm.WaitForInputUntil(
                  13, std::chrono::steady_clock::now() + std::chrono::milliseconds(kArrivalMs)),
              13);
    EXPECT_EQ(link.ReceiveMessage(), "Comm Error : NO CONNECTION");
}

TEST_F(LinkTest, BadAnswersGiveTheLinkResultTexts) {
    const struct {
        const char* name;
        sim::Misbehaviour m;
        const char* expected;
    } cases[] = {
        {"silent", {.silent = true}, "Comm Error : NO CONNECTION"},
        {"late", {.lateMs = 20}, "*RT,VOL,1,40;"},
        {"in pieces", {.splitPieces = 3, .splitGapMs = 10}, "*RT,VOL,1,40;"},
        {"no closing semicolon", {.noClosingSemicolon = true}, "Comm Error"},
        {"stray byte", {.strayByteFirst = true}, "Comm Error"},
    };
    for (const auto& c : cases) {
        sim.setMisbehaviour(c.m);
        ASSERT_EQ(link.SendMessage(cmd::RdVol(1)), 1) << c.name;
        EXPECT_EQ(link.ReceiveMessage(), c.expected) << c.name;
    }
    sim.setMisbehaviour({.garbage = true});
    ASSERT_EQ(link.SendMessage(cmd::RdVol(1)), 1);
    const std::string junk = link.ReceiveMessage();
    EXPECT_EQ(junk.rfind("Comm Error", 0), 0u) << junk;
}

TEST_F(LinkTest, TwoRecordsInOneReadComeBackWhole) {
    openPort();
    const std::string text = receive("*RT,VOL,1,40;*RT,LOW,1,3;");
    EXPECT_EQ(text, "*RT,VOL,1,40;*RT,LOW,1,3;");
    EXPECT_EQ(link.clearansw(text, "*RT,LOW"), "*RT,LOW,1,3;");
    EXPECT_EQ(state.vq.SemicolonCount, 2);
    EXPECT_EQ(link.scanevent(text, 3), "40");
    EXPECT_EQ(link.scanevent(text, 4), "LOW");
    EXPECT_EQ(link.scanevent(text, 6), "3");
}

TEST_F(LinkTest, PortThatCannotBeOpenedFailsQuietly) {
    comm.setCommPort(2);
    EXPECT_EQ(link.SendMessage(cmd::RdModel()), 0);
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(link.ReceiveMessage(), "Comm Error : NO CONNECTION");
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(LinkTest, DeviceHangingUpMidAnswerLeavesAClosedLineThatReopens) {
    sim.setMisbehaviour({.hangUpOnNextCommand = true});
    ASSERT_EQ(link.SendMessage(cmd::RdVol(1)), 1);
    const std::string text = link.ReceiveMessage();
    EXPECT_EQ(text.rfind("Comm Error", 0), 0u) << text;
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(comm.InBufferCount(), 0);

    // Plugged in again: the next command opens the line afresh.
    sim.setMisbehaviour({});
    ASSERT_TRUE(sim.start());
    ASSERT_EQ(link.SendMessage(cmd::RdVol(1)), 1);
    EXPECT_EQ(link.ReceiveMessage(), "*RT,VOL,1,40;");
}

TEST_F(LinkTest, ArbitraryBytesFromTheLineNeverBreakTheLink) {
    {
        // Junk seldom ends in ";", so most rounds wait out the read-on: a short window here.
        MSComm quick{[this](int) { return sim.devicePath(); }, kSilencePoll};
        Link junkLink{quick, state};
        ASSERT_EQ(junkLink.SendMessage(cmd::RdVer()), 1);
        junkLink.ReceiveMessage();
        std::mt19937 rng(7);
        for (int round = 0; round < 20; ++round) {
            std::string bytes(1 + rng() % 300, '\0');
            for (auto& b : bytes) b = static_cast<char>(rng());
            if (round % 2) bytes = "*" + bytes;
            std::thread device([&] {
                std::this_thread::sleep_for(5ms);
                sim.sendRaw(bytes);
            });
            const std::string text = junkLink.ReceiveMessage();
            device.join();
            junkLink.clearansw(text, "RDS");
            for (int f = 0; f < 8; ++f) junkLink.scanevent(text, f);
        }
    }
    ASSERT_EQ(link.SendMessage(cmd::RdVol(1)), 1);
    EXPECT_EQ(link.ReceiveMessage(), "*RT,VOL,1,40;");
}

class RdsTest : public LinkTest {
  protected:
    void SetUp() override {
        LinkTest::SetUp();
        link.setRdsLine(&line);
        openPort();
    }
    std::string receiveRds(const std::string& text) {
        return receive("*RT,TUN,RDS,TXT," + text + ";");
    }
    RecordingRdsLine line;
};

TEST_F(RdsTest, ShortTextIsShownAsItIsAndOnlyWithATextAndAPanel) {
    EXPECT_EQ(receive("*RT,TUN,RDS;"), "?");
    EXPECT_FALSE(line.visible);

    EXPECT_EQ(receiveRds("JAZZ"), "?");
    EXPECT_TRUE(line.visible);
    EXPECT_EQ(line.history, std::vector<std::string>{"JAZZ"});
    EXPECT_EQ(clock.sleeps, 0);

    link.setRdsLine(nullptr);  // no tuner panel loaded
    EXPECT_EQ(receiveRds("RADIO ONE"), "?");
    EXPECT_EQ(line.history.size(), 1u);
}

TEST_F(RdsTest, LongTextScrollsOneStepASecondAndYieldsEachStep) {
    const std::string t = "ABCDEFGHIJKLMNOPQRST";  // 20 characters
    std::vector<std::string> atYield;
    link.setDoEvents([&] { atYield.push_back(line.text); });

    EXPECT_EQ(receiveRds(t), "?");

    std::vector<std::string> expected{t.substr(0, 15)};
    for (int k = 1; k <= 5; ++k) expected.push_back(t.substr(k, 15));  // 2-16 ... 6-20
    for (int k = 6; k <= 19; ++k) expected.push_back(t.substr(6));     // 7-20 to the end
    expected.push_back("");
    EXPECT_EQ(line.history, expected);
    EXPECT_EQ(atYield.size(), 19u);
    EXPECT_EQ(atYield.front(), t.substr(1, 15));
    // Each step waited for a new second on the clock.
    EXPECT_EQ(clock.t, std::chrono::system_clock::time_point{} + 1000h + 19s);
}

TEST_F(RdsTest, ForeignCaptionStopsTheScroll) {
    int yields = 0;
    link.setDoEvents([&] {
        if (++yields == 3) line.text = "OTHER";
    });
    EXPECT_EQ(receiveRds("ABCDEFGHIJKLMNOPQRST"), "");
    EXPECT_EQ(yields, 3);
    EXPECT_EQ(line.text, "OTHER");
}

TEST_F(RdsTest, FieldLongerThanARadioTextIsCutTo64BeforeItScrolls) {
    std::string t;
    for (int i = 0; i < 300; ++i) t += static_cast<char>('A' + i % 26);
    EXPECT_EQ(receiveRds(t), "?");
    const std::string kept = t.substr(0, kRdsMaxText);
    // 64 characters: the first window, 49 shifts to the last 15, 14 more, then empty.
    ASSERT_EQ(line.history.size(), kRdsMaxText + 1);
    EXPECT_EQ(line.history[0], kept.substr(0, 15));
    EXPECT_EQ(line.history[49], kept.substr(49));
    EXPECT_EQ(line.history[50], kept.substr(50));
    EXPECT_EQ(line.history[63], kept.substr(50));
    EXPECT_EQ(clock.sleeps, 63);

    int16_t count = 0;
    EXPECT_EQ(RdsText("*RT,TUN,RDS,TXT," + t + ";", count), kept);
    EXPECT_EQ(RdsText("*RT,TUN,RDS,TXT," + kept + ";", count), kept);
    // With another record in front, the picked record starts at "RDS" and has no field 4.
    EXPECT_EQ(RdsText("*RT,VOL,1,4;*RT,TUN,RDS,TXT,JAZZ FM;", count), "");
    EXPECT_EQ(count, 2);
    // Blanks do not count towards the window, so a padded short text is shown as it is.
    EXPECT_TRUE(RdsFitsLine("  JAZZ FM    x   "));
    EXPECT_FALSE(RdsFitsLine("ABCDEFGHIJKLMNO"));
}

TEST_F(RdsTest, PanelsOwnLineScrollsThroughTheLinksWaitAndYield) {
    // The tuner's poll scrolls on its line without handing it to the link.
    link.setRdsLine(nullptr);
    RecordingRdsLine own;
    int yields = 0;
    link.setDoEvents([&] { ++yields; });
    EXPECT_TRUE(link.ScrollRds(own, "ABCDEFGHIJKLMNOP"));
    std::vector<std::string> expected{"ABCDEFGHIJKLMNO", "BCDEFGHIJKLMNOP"};
    expected.insert(expected.end(), 14, "CDEFGHIJKLMNOP");
    expected.push_back("");
    EXPECT_EQ(own.history, expected);
    EXPECT_EQ(yields, 15);

    link.setDoEvents([&] { own.text = ""; });  // a preset key clears the line
    EXPECT_FALSE(link.ScrollRds(own, "ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(own.text, "");

    // The wait itself: to the next change of the second, however the clock is set.
    clock.t = std::chrono::system_clock::time_point{} + 5s + 999ms;
    WaitForNextSecond(clock);
    EXPECT_EQ(clock.t, std::chrono::system_clock::time_point{} + 6s);
}

TEST_F(LinkTest, AnswerWaitCountsFromWhenTheCommandHasCrossedTheLine) {
    openPort();
    sim.setMisbehaviour({.paceBaud = 9600});
    // About two seconds of set commands queued at once, twice the answer window: the read
    // command reaches the device only after all of them.
    std::string lines;
    for (int v = 0; lines.size() < 2000; ++v) lines += cmd::Vol(1, v % 60);
    ASSERT_EQ(link.SendMessage(lines), 1);
    ASSERT_EQ(link.SendMessage(cmd::Vol(1, 33) + cmd::RdVol(1)), 1);
    EXPECT_EQ(link.ReceiveMessage(), "*RT,VOL,1,33;");
}

TEST_F(LinkTest, DrainTakesEverythingThatWaitsAndReadsOnceOnASilentLine) {
    openPort();
    EXPECT_EQ(link.DrainInput(), "");
    sim.sendRaw("*RT,TUN,RDS,TXT,ONE;");
    sim.sendRaw("*RT,TUN,RDS,TXT,TWO;");
    ASSERT_GE(comm.WaitForInput(40, 50000), 40);
    EXPECT_EQ(link.DrainInput(), "*RT,TUN,RDS,TXT,ONE;*RT,TUN,RDS,TXT,TWO;");
    EXPECT_EQ(comm.InBufferCount(), 0);
}

}  // namespace
}  // namespace qor
