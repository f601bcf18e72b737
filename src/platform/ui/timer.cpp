#include "platform/ui/timer.h"

#include <QTimer>
#include <algorithm>

namespace qor::ui {

Timer::Timer(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), nullptr), timer_(new QTimer()) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { tick_(); });
}

Timer::~Timer() { delete timer_; }

void Timer::applyEnabled(bool enabled) {
    if (assign(enabled_, enabled)) apply();
}

Timer& Timer::setInterval(int milliseconds) {
    interval_ = std::max(0, milliseconds);
    timer_->stop();
    apply();
    return *this;
}

void Timer::formRunning(bool running) {
    formRunning_ = running;
    apply();
}

void Timer::apply() {
    if (enabled_ && interval_ > 0 && formRunning_) {
        if (!timer_->isActive()) timer_->start(interval_);
    } else {
        timer_->stop();
    }
}

}  // namespace qor::ui
