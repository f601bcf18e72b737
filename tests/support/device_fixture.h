// What the panel tests against the simulated amplifier share: the device's pace, a responder
// that gives chosen answers to chosen commands, and a clock whose seconds pass in milliseconds.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "link/link.h"
#include "simamp.h"

namespace qor::test {

using namespace std::chrono_literals;

// The tests' serial control waits for an answer through 32,000 polls of 32 us, about 1 s. An
// answer ends the wait at once, so only a wait that meets silence takes that long; the window is
// wide so that a loaded machine, slow to schedule the simulator's thread, still gets the answer.
inline constexpr auto kTestPoll = std::chrono::microseconds(32);
// 64 ms: only for a serial control that never expects an answer (a silent device).
inline constexpr auto kSilencePoll = std::chrono::microseconds(2);
// How long a test waits for something that does come; reaching it ends the wait at once.
inline constexpr int kArrivalMs = 10000;
// The program's pictures, as the build puts them beside the executable.
inline void CopyAssets(const std::filesystem::path& from, const std::filesystem::path& to) {
    for (const auto& f : std::filesystem::directory_iterator(from))
        if (f.is_regular_file() && f.path().extension() != ".md")
            std::filesystem::copy_file(f.path(), to / f.path().filename());
}

inline sim::Misbehaviour Device(bool silent = false) {
    sim::Misbehaviour m;
    m.silent = silent;
    return m;
}

// Stands in for the silenced simulator, for answers it would never give: a text given with
// answer() for a command ("" for silence) is sent the next time that command arrives; a text in
// `script` each time it arrives; every other command gets the simulator's own answer. Once done,
// the simulator answers again, as `after` says.
struct Responder {
    explicit Responder(sim::SimAmp& s, std::map<std::string, std::string> script = {},
                       sim::Misbehaviour after = Device())
        : sim(s), seen(s.log().size()), script(std::move(script)), after(after) {
        sim.setMisbehaviour(Device(true));
    }
    ~Responder() {
        stop = true;
        thread.join();
        sim.setMisbehaviour(after);
    }
    void answer(const std::string& command, std::string text) {
        std::lock_guard lock(mu);
        given[command].push_back(std::move(text));
    }
    void run() {
        while (!stop) {
            if (!sim.waitForLog(seen + 1, 20)) continue;
            const std::string command = sim.log()[seen++];
            std::lock_guard lock(mu);
            auto& queue = given[command];
            sim::DeviceState s = sim.state();
            const auto standing = script.find(command);
            const std::string text = !queue.empty()             ? queue.front()
                                     : standing != script.end() ? standing->second
                                                                : sim::Answer(s, command);
            if (!queue.empty()) queue.pop_front();
            if (text.empty()) continue;
            // As the device's own turnaround, so the program has emptied its input by then.
            std::this_thread::sleep_for(
                std::chrono::microseconds(sim::Misbehaviour{}.turnaroundUs));
            sim.sendRaw(text);
        }
    }

    sim::SimAmp& sim;
    std::size_t seen;
    const std::map<std::string, std::string> script;
    const sim::Misbehaviour after;
    std::atomic<bool> stop{false};
    std::mutex mu;
    std::map<std::string, std::deque<std::string>> given;
    std::thread thread{[this] { run(); }};
};

// Seconds pass in a few real milliseconds, so a scroll step still gives the refresh timer time
// to fall due before the yield.
struct QuickClock : LinkClock {
    std::chrono::system_clock::time_point now() override { return t; }
    void sleepUntil(std::chrono::system_clock::time_point until) override {
        std::this_thread::sleep_for(3ms);
        t = std::max(t, until);
    }
    std::chrono::system_clock::time_point t = std::chrono::system_clock::time_point{} + 1000h;
};
// Seconds pass at once; each wait for the next second runs `onWait` first, with the RDS line as
// the scroll left it.
struct StepClock : QuickClock {
    void sleepUntil(std::chrono::system_clock::time_point until) override {
        if (onWait) onWait();
        t = std::max(t, until);
    }
    std::function<void()> onWait;
};
struct RdsLabel : RdsLine {
    void setVisible(bool) override {}
    std::string caption() const override { return text; }
    void setCaption(const std::string& t) override { text = t; }
    void refresh() override {}
    std::string text;
};

}  // namespace qor::test
