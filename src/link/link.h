// The device link: writing a command, reading one answer, and showing RDS radio text that the
// tuner sends unasked.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "common/answers.h"
#include "common/state.h"
#include "platform/mscomm.h"

namespace qor {

// The tuner panel's RDS line. The link only needs these four things of it.
class RdsLine {
public:
    virtual ~RdsLine() = default;
    virtual void setVisible(bool visible) = 0;
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& text) = 0;
    virtual void refresh() = 0;
};

// Where the RDS scroll takes the time from and how it waits for the next second.
class LinkClock {
public:
    virtual ~LinkClock() = default;
    virtual std::chrono::system_clock::time_point now() = 0;
    virtual void sleepUntil(std::chrono::system_clock::time_point t) = 0;
    static LinkClock& System();
};

class Link {
public:
    // The answer wait: polls of the input count for the first four characters; the read-on
    // makes at most as many reads.
    static constexpr long kAnswerPolls = 32000;
    static constexpr long kReadOnReads = 32000;
    static constexpr int kRdsWindow = 15;

    Link(MSComm& comm, SharedState& state);

    int SendMessage(const std::string& message);
    std::string ReceiveMessage();

    // The two waits of an answer, for callers that read the port themselves (the port scan):
    // up to kAnswerPolls polls for four characters, then one read of all that waits ("" when
    // fewer came)...
    std::string WaitForAnswerStart();
    // ...and the read-on: at most kReadOnReads reads' worth of time for the text to end with
    // ";". The text is left as far as it got.
    void ReadOn(std::string& text);

    // RDS text goes to this line while a tuner panel is loaded; nullptr drops it.
    void setRdsLine(RdsLine* line) { rds_ = line; }
    RdsLine* rdsLine() const { return rds_; }
    // The yield point of the RDS scroll: lets pending events run once.
    void setDoEvents(std::function<void()> doEvents) { doEvents_ = std::move(doEvents); }
    void setClock(LinkClock* clock) { clock_ = clock ? clock : &LinkClock::System(); }

    std::string scanevent(const std::string& text, int n) const { return qor::scanevent(text, n); }
    std::string clearansw(const std::string& text, const std::string& key) {
        return qor::clearansw(text, key, state_.vq.SemicolonCount);
    }
    std::string Scanlast(const std::string& text) const { return qor::Scanlast(text); }

    MSComm& comm() { return comm_; }

private:
    std::string showRds(const std::string& text);
    std::string scrollRds(const std::string& t);

    MSComm& comm_;
    SharedState& state_;
    RdsLine* rds_ = nullptr;
    std::function<void()> doEvents_;
    LinkClock* clock_;
};

}  // namespace qor
