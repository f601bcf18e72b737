// The timer control: no widget, ticks while its form is loaded.
#pragma once

#include <string>

#include "platform/ui/control.h"

class QTimer;

namespace qor::ui {

// Raises Timer every Interval milliseconds while Enabled, from the time its form loads until
// it unloads. An Interval of 0 pauses it, though it stays Enabled.
class Timer : public ControlOf<Timer> {
  public:
    Timer(ControlKey, Form& form, std::string name);
    ~Timer() override;

    int Interval() const { return interval_; }
    // Starts the count afresh, even at the same interval.
    Timer& setInterval(int milliseconds);

    QOR_UI_EVENT(Timer, onTimer, tick_)

  private:
    // Disabling and enabling again starts the count afresh.
    void applyEnabled(bool enabled) override;
    bool enabledState() const override { return enabled_; }
    void formRunning(bool running) override;
    void apply();

    QTimer* timer_;
    bool enabled_ = true;
    int interval_ = 0;
    bool formRunning_ = false;
    Event<> tick_;
};

}  // namespace qor::ui
