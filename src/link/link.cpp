#include "link/link.h"

#include <thread>

#include "common/basic.h"

namespace qor {

namespace {

class SystemClock final : public LinkClock {
public:
    std::chrono::system_clock::time_point now() override { return std::chrono::system_clock::now(); }
    void sleepUntil(std::chrono::system_clock::time_point t) override {
        std::this_thread::sleep_until(t);
    }
};

bool EndsWithSemicolon(const std::string& s) { return !s.empty() && s.back() == ';'; }

}  // namespace

LinkClock& LinkClock::System() {
    static SystemClock clock;
    return clock;
}

Link::Link(MSComm& comm, SharedState& state)
    : comm_(comm), state_(state), clock_(&LinkClock::System()) {}

int Link::SendMessage(const std::string& message) {
    // A write that fails on an open line leaves it closed (the control drops a dead line), so
    // the next call reopens it.
    try {
        if (!comm_.PortOpen()) comm_.setPortOpen(true);
        comm_.setOutput(message);
    } catch (const CommError&) {
        return 0;
    }
    return 1;
}

std::string Link::ReceiveMessage() {
    comm_.setInBufferCount(0);

    std::string text = WaitForAnswerStart();
    if (text.empty()) return "Comm Error : NO CONNECTION";
    if (text[0] != '*') return "Comm Error";
    ReadOn(text);
    if (!EndsWithSemicolon(text)) return "Comm Error";

    if (text.find("RDS") == std::string::npos) return text;
    return showRds(text);
}

std::string Link::WaitForAnswerStart() {
    return comm_.WaitForInput(4, kAnswerPolls) >= 4 ? comm_.Input() : std::string();
}

void Link::ReadOn(std::string& text) {
    if (EndsWithSemicolon(text)) return;
    const auto deadline = std::chrono::steady_clock::now() + comm_.PollTime() * kReadOnReads;
    // A line that hangs up stops the wait: nothing more will come.
    while (!EndsWithSemicolon(text) && comm_.PortOpen() &&
           std::chrono::steady_clock::now() < deadline) {
        comm_.WaitForInputUntil(1, deadline);
        text += comm_.Input();
    }
}

std::string Link::showRds(const std::string& text) {
    const std::string field = qor::scanevent(clearansw(text, "RDS"), 4);
    if (field.empty()) return "?";
    // No tuner panel loaded: the text has nowhere to go.
    if (!rds_) return "?";
    rds_->setVisible(true);
    if (Trim(field).size() < static_cast<std::size_t>(kRdsWindow)) {
        rds_->setCaption(field);
        rds_->refresh();
        return "?";
    }
    return scrollRds(field);
}

std::string Link::scrollRds(const std::string& t) {
    using namespace std::chrono;
    RdsLine* const line = rds_;
    const std::size_t length = t.size();
    std::string shown = t.substr(0, kRdsWindow);
    line->setCaption(shown);
    for (std::size_t k = 1; k < length; ++k) {
        // Another display (a nested exchange, the tuner's own poll) wrote the line: give way.
        if (rds_ != line || line->caption() != shown) return "";
        shown = shown.substr(shown.size() - (kRdsWindow - 1));
        if (k + kRdsWindow <= length) shown += t[k + kRdsWindow - 1];
        line->setCaption(shown);
        line->refresh();

        // The step waits for the clock's second to change, then lets pending events run once.
        const auto second = floor<seconds>(clock_->now());
        while (floor<seconds>(clock_->now()) == second) clock_->sleepUntil(second + seconds(1));
        if (doEvents_) doEvents_();
    }
    if (rds_ != line) return "";
    line->setCaption("");
    line->refresh();
    return "?";
}

}  // namespace qor
