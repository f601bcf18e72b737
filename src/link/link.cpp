#include "link/link.h"

#include <algorithm>
#include <thread>

#include "common/basic.h"

namespace qor {

namespace {

class SystemClock final : public LinkClock {
  public:
    std::chrono::system_clock::time_point now() override {
        return std::chrono::system_clock::now();
    }
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
    // The bound counts from when the command has crossed the line. Text queued just before it
    // (an upload's lines) still takes its wire time first, and the device cannot answer sooner;
    // counting from the write would run out while the command is still on its way.
    const auto start = std::max(std::chrono::steady_clock::now(), comm_.OutputDoneAt());
    return comm_.WaitForInputUntil(4, start + comm_.PollTime() * kAnswerPolls) >= 4 ? comm_.Input()
                                                                                    : std::string();
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
    const std::string field = RdsText(text, state_.vq.SemicolonCount);
    if (field.empty()) return "?";
    // No tuner panel loaded: the text has nowhere to go.
    if (!rds_) return "?";
    rds_->setVisible(true);
    if (RdsFitsLine(field)) {
        rds_->setCaption(field);
        rds_->refresh();
        return "?";
    }
    return ScrollRds(*rds_, field) ? "?" : "";
}

bool Link::ScrollRds(RdsLine& line, std::string_view t) {
    // The link's own display gives way when a yield unloaded the tuner panel; a scroll the
    // panel runs on its own line never loses it that way.
    const bool linkOwned = rds_ == &line;
    auto lineGone = [&] { return linkOwned && rds_ != &line; };
    std::string shown(t.substr(0, kRdsWindow));
    line.setCaption(shown);
    for (std::size_t k = 1; k < t.size(); ++k) {
        // Another display (a nested exchange, the tuner's own poll) wrote the line: give way.
        if (lineGone() || line.caption() != shown) return false;
        shown = RdsShift(shown, t, k);
        line.setCaption(shown);
        line.refresh();
        WaitForNextSecond(*clock_);
        if (doEvents_) doEvents_();
    }
    if (lineGone()) return false;
    line.setCaption("");
    line.refresh();
    return true;
}

std::string Link::DrainInput() {
    std::string buffer = comm_.Input();
    for (int reads = 1; reads < kDrainReads && comm_.InBufferCount() != 0; ++reads)
        buffer += comm_.Input();
    return buffer;
}

std::string RdsText(std::string_view text, int16_t& semicolonCount) {
    std::string field = scanevent(clearansw(text, "RDS", semicolonCount), 4);
    if (field.size() > kRdsMaxText) field.resize(kRdsMaxText);
    return field;
}

bool RdsFitsLine(std::string_view text) {
    return Trim(text).size() < static_cast<std::size_t>(Link::kRdsWindow);
}

std::string RdsShift(std::string_view caption, std::string_view t, std::size_t k) {
    constexpr std::size_t kKeep = Link::kRdsWindow - 1;
    std::string next(caption.size() > kKeep ? caption.substr(caption.size() - kKeep) : caption);
    if (k + Link::kRdsWindow <= t.size()) next += t[k + Link::kRdsWindow - 1];
    return next;
}

void WaitForNextSecond(LinkClock& clock) {
    using namespace std::chrono;
    const auto second = floor<seconds>(clock.now());
    while (floor<seconds>(clock.now()) == second) clock.sleepUntil(second + seconds(1));
}

}  // namespace qor
