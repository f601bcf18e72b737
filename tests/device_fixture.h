// What the panel tests against the simulated amplifier share: the device's pace, a responder
// that gives chosen answers to chosen commands, and a clock whose seconds pass in milliseconds.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "link/link.h"
#include "simamp.h"

namespace qor::test {

using namespace std::chrono_literals;

// A silent port is given up after 32,000 polls of 2 us, 64 ms here; the device answers 8 ms after
// a command, well inside that, so a busy machine slow to empty its input still gets the answer.
inline constexpr auto kTestPoll = std::chrono::microseconds(2);
inline sim::Misbehaviour Device(bool silent = false) {
    sim::Misbehaviour m;
    m.turnaroundUs = 8000;
    m.silent = silent;
    return m;
}

// Stands in for the device: a text given for a command ("" for silence) is sent the next time
// that command arrives; every other command gets the simulator's own answer.
struct Responder {
    explicit Responder(sim::SimAmp& s) : sim(s), seen(s.log().size()) {
        sim.setMisbehaviour(Device(true));
    }
    ~Responder() {
        stop = true;
        thread.join();
        sim.setMisbehaviour(Device());
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
            const std::string text = queue.empty() ? sim::Answer(s, command) : queue.front();
            if (!queue.empty()) queue.pop_front();
            if (text.empty()) continue;
            std::this_thread::sleep_for(8ms);  // as the device's own turnaround
            sim.sendRaw(text);
        }
    }

    sim::SimAmp& sim;
    std::size_t seen;
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
struct RdsLabel : RdsLine {
    void setVisible(bool) override {}
    std::string caption() const override { return text; }
    void setCaption(const std::string& t) override { text = t; }
    void refresh() override {}
    std::string text;
};

}  // namespace qor::test
