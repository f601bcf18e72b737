// The device link: writing a command, reading one answer, and showing RDS radio text that the
// tuner sends unasked.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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

// A radio text is at most 64 characters. A longer field can only come from a broken device; it is
// cut before it is shown, so no answer can hold the program in a scroll for hours.
inline constexpr std::size_t kRdsMaxText = 64;

// The RDS text of a text that holds an RDS record: field 4 of the record that clearansw picks for
// the key "RDS", cut to kRdsMaxText. semicolonCount receives clearansw's count.
std::string RdsText(std::string_view text, int16_t& semicolonCount);
// A text that fits the line as it is: shorter than the window once trimmed of blanks.
bool RdsFitsLine(std::string_view text);
// One step of the scroll: the caption's last 14 characters followed by character k + 15 of t
// (counted from 1), if t has one.
std::string RdsShift(std::string_view caption, std::string_view t, std::size_t k);
// Waits, sleeping in the kernel, until the clock's second differs from the one it reads first.
void WaitForNextSecond(LinkClock& clock);

class Link {
  public:
    // The answer wait: polls of the input count for the first four characters; the read-on
    // makes at most as many reads.
    static constexpr long kAnswerPolls = 32000;
    static constexpr long kReadOnReads = 32000;
    static constexpr int kRdsWindow = 15;
    // Reads of a drain before it gives up on a line that keeps sending.
    static constexpr int kDrainReads = 4096;

    Link(MSComm& comm, SharedState& state);

    int SendMessage(const std::string& message);
    std::string ReceiveMessage();

    // The two waits of an answer, for callers that read the port themselves (the port scan):
    // up to kAnswerPolls polls for four characters, counted from when the program's output has
    // left the line, then one read of all that waits ("" when fewer came)...
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
    LinkClock& clock() { return *clock_; }

    // The scroll of a long RDS text t through `line`: the first 15 characters at once, then one
    // shift a second, each followed by the yield point, and an empty line at the end. Returns
    // false, leaving the line as it is, when the caption is found changed by another display
    // before a step (or the line was taken away from the link during a yield). The tuner panel
    // scrolls its own poll's text through this too.
    bool ScrollRds(RdsLine& line, std::string_view t);
    // Reads all that waits on the line, at least once, until the input count is 0 (bounded, so a
    // device that never stops sending cannot hold the caller).
    std::string DrainInput();

    std::string scanevent(const std::string& text, int n) const { return qor::scanevent(text, n); }
    std::string clearansw(const std::string& text, const std::string& key) {
        return qor::clearansw(text, key, state_.vq.SemicolonCount);
    }
    std::string Scanlast(const std::string& text) const { return qor::Scanlast(text); }
    // The SemicolonCount every clearansw writes, for the answer helpers that call it themselves.
    int16_t& semicolonCount() { return state_.vq.SemicolonCount; }

    MSComm& comm() { return comm_; }

  private:
    std::string showRds(const std::string& text);

    MSComm& comm_;
    SharedState& state_;
    RdsLine* rds_ = nullptr;
    std::function<void()> doEvents_;
    LinkClock* clock_;
};

}  // namespace qor
