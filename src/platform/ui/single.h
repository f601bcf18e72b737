// One window of a kind, as the program keeps each of its windows: made on first use (its
// Form_Load runs when it is first loaded or shown), brought forward when shown again, and
// retired once unloaded. A retired window is freed only when none of its handlers runs any more
// (one may be parked at a yield, in DoEvents or a modal box), so a handler never returns into a
// freed window; a new one may open beside it meanwhile.
//     ui::Single<FrmTuner> tuner_{[this] { return std::make_unique<FrmTuner>(context_); }};
//     void ShowTuner() override { tuner_.Show(); }
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/form.h"

class QObject;

namespace qor::ui {

class WindowSlot {
  public:
    using Make = std::function<std::unique_ptr<Form>()>;
    explicit WindowSlot(Make make);
    ~WindowSlot();
    WindowSlot(const WindowSlot&) = delete;
    WindowSlot& operator=(const WindowSlot&) = delete;

    // The window while it is loaded (or loading); nullptr before first use and once unloaded.
    Form* live() const;
    // The live window, made and loaded first when there is none.
    Form& Load();
    // The live window shown and brought forward, made first when there is none (showing loads
    // it). A window that unloads itself while it loads (refusing to open) is not shown.
    Form& Show();
    // Windows unloaded but not yet freed, since a handler of theirs still runs.
    std::size_t retiredCount() const { return retired_.size(); }

  private:
    Form& current();
    // The current window is unloaded: it steps aside for the next one.
    void retire(const Form& form);
    // Frees the retired windows none of whose handlers runs; looks again later for the others.
    void sweep();

    Make make_;
    std::unique_ptr<Form> current_;
    std::vector<std::unique_ptr<Form>> retired_;
    // Context of the deferred sweeps, so none runs once the slot is gone.
    std::unique_ptr<QObject> sweeps_;
    bool sweepDue_ = false;
};

template <class T>
class Single : public WindowSlot {
  public:
    explicit Single(std::function<std::unique_ptr<T>()> make)
        : WindowSlot([make = std::move(make)]() -> std::unique_ptr<Form> { return make(); }) {}

    T* live() const { return static_cast<T*>(WindowSlot::live()); }
    T& Load() { return static_cast<T&>(WindowSlot::Load()); }
    T& Show() { return static_cast<T&>(WindowSlot::Show()); }
};

}  // namespace qor::ui
