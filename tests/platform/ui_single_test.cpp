// One window of a kind: shown again it comes forward; unloaded, the next Show makes a new one;
// unloaded while a handler of it waits at a yield, that handler ends there quietly, the window
// is freed only once it has returned, and its hook never takes the new window's place.
#include <gtest/gtest.h>

#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "platform/ui/single.h"
#include "platform/ui/ui.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

using test::RunUntil;

struct Seen {
    int loads = 0;
    int pastTheYield = 0;
};

class WaitingForm : public Form {
  public:
    explicit WaitingForm(Seen& seen) : Form("FrmWait"), seen_(seen) {}
    CommandButton& Command1 = add<CommandButton>("Command1", {0, 0, 900, 300})
                                  .onClick(this, &WaitingForm::Command1_Click);
    // Runs from the event queue while Command1's handler waits at its yield.
    std::function<void()> duringTheYield;

    void Command1_Click() {
        QTimer::singleShot(0, duringTheYield);
        DoEvents();
        ++seen_.pastTheYield;
    }

  protected:
    void Form_Load() override { ++seen_.loads; }

  private:
    Seen& seen_;
};

TEST(SingleWindow, ShowsBringsForwardRetiresAndFreesOnceNoHandlerRuns) {
    enum class During { Nothing, Unload, UnloadAndShowAgain };
    struct Case {
        const char* name;
        During during;
        bool unloadAfter;  // the window closed once the handler has returned
        int pastTheYield;  // handlers that went on after their yield
        bool newWindow;    // a Show at the end finds another window than the first
        int loads;
    };
    for (const Case& c : {
             Case{"nothing happens: the same window comes forward", During::Nothing, false, 1,
                  false, 1},
             Case{"closed after its handler: the next Show makes a new one", During::Nothing, true,
                  1, true, 2},
             Case{"closed while its handler waits: the handler ends there", During::Unload, false,
                  0, true, 2},
             Case{"closed and opened again while it waits: one new window",
                  During::UnloadAndShowAgain, false, 0, true, 2},
         }) {
        SCOPED_TRACE(c.name);
        Seen seen;
        Single<WaitingForm> slot([&] { return std::make_unique<WaitingForm>(seen); });
        WaitingForm& first = slot.Show();
        QPointer<QWidget> firstWindow(first.widget());
        WaitingForm* reopened = nullptr;
        bool firstAliveInTheYield = false;
        first.duringTheYield = [&] {
            if (c.during == During::Nothing) return;
            first.Unload();
            if (c.during == During::UnloadAndShowAgain) reopened = &slot.Show();
            // Freed neither by the hook nor by the Show while its handler waits.
            RunUntil([] { return false; }, 20);
            firstAliveInTheYield = firstWindow && slot.live() != &first;
        };
        static_cast<QPushButton*>(first.Command1.widget())->click();
        if (c.during != During::Nothing) {
            EXPECT_TRUE(firstAliveInTheYield);
        }
        EXPECT_EQ(seen.pastTheYield, c.pastTheYield);
        if (c.unloadAfter) first.Unload();

        WaitingForm& last = slot.Show();
        if (reopened) {
            EXPECT_EQ(&last, reopened);
        }
        EXPECT_EQ(slot.live(), &last);
        EXPECT_TRUE(last.Visible());
        EXPECT_EQ(seen.loads, c.loads);
        // The first window goes once settled, and the hook of its unload leaves the new one.
        EXPECT_TRUE(RunUntil([&] { return c.newWindow ? firstWindow.isNull() : true; }));
        EXPECT_EQ(slot.retiredCount(), 0u);
        EXPECT_EQ(slot.live(), &last);
    }
}

}  // namespace
}  // namespace qor::ui
