#include "platform/ui/single.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <algorithm>

namespace qor::ui {

namespace {
// How often a retired window whose handler still waits is looked at again.
constexpr int kSweepAgainMs = 20;

// Windows whose slot went while a handler of theirs still ran; freed once it has returned.
std::vector<std::unique_ptr<Form>>& Orphans() {
    // Never destroyed: one still here when the program ends goes with the process.
    static auto* orphans = new std::vector<std::unique_ptr<Form>>;
    return *orphans;
}

void SweepOrphans() {
    std::erase_if(Orphans(), [](const std::unique_ptr<Form>& form) { return !form->busy(); });
    if (!Orphans().empty())
        QTimer::singleShot(kSweepAgainMs, QCoreApplication::instance(), SweepOrphans);
}

}  // namespace

WindowSlot::WindowSlot(Make make) : make_(std::move(make)), sweeps_(std::make_unique<QObject>()) {}

WindowSlot::~WindowSlot() {
    if (current_) retired_.push_back(std::move(current_));
    const bool none = Orphans().empty();
    for (auto& form : retired_)
        if (form->busy() && QCoreApplication::instance()) Orphans().push_back(std::move(form));
    retired_.clear();
    if (none && !Orphans().empty())
        QTimer::singleShot(0, QCoreApplication::instance(), SweepOrphans);
}

Form* WindowSlot::live() const {
    return current_ && !current_->isUnloaded() ? current_.get() : nullptr;
}

Form& WindowSlot::current() {
    if (current_ && current_->isUnloaded()) retire(*current_);
    if (!current_) {
        current_ = make_();
        // After the window's unload has run out; by then a new window may hold the slot.
        current_->onUnloaded = [this](Form& form) { retire(form); };
    }
    return *current_;
}

Form& WindowSlot::Load() {
    Form& form = current();
    form.Load();
    return form;
}

Form& WindowSlot::Show() {
    Form& form = current();
    form.Show();
    return form;
}

void WindowSlot::retire(const Form& form) {
    if (current_.get() == &form) retired_.push_back(std::move(current_));
    if (sweepDue_ || retired_.empty()) return;
    sweepDue_ = true;
    QTimer::singleShot(0, sweeps_.get(), [this] { sweep(); });
}

void WindowSlot::sweep() {
    sweepDue_ = false;
    std::erase_if(retired_, [](const std::unique_ptr<Form>& form) { return !form->busy(); });
    if (retired_.empty()) return;
    sweepDue_ = true;
    QTimer::singleShot(kSweepAgainMs, sweeps_.get(), [this] { sweep(); });
}

}  // namespace qor::ui
