// What every window is handed by the program: the shared state, the serial control and the link,
// the dialog service, the program folder and the quit hook. Nothing here is process-wide.
#pragma once

#include <filesystem>
#include <functional>

#include "common/state.h"
#include "link/link.h"
#include "platform/mscomm.h"

namespace qor {

namespace ui {
class Dialogs;
}

struct Context {
    SharedState& state;
    MSComm& comm;
    Link& link;
    ui::Dialogs& dialogs;
    std::filesystem::path programDir;
    // Ends the program at once: no window's closing code runs and nothing is sent.
    std::function<void()> quit;
};

}  // namespace qor
