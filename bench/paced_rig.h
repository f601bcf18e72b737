// What the window benchmarks stand on: a program folder of their own (removed afterwards) and
// the simulated amplifier on port 1, paced at 9600 baud, with the state, serial control, link
// and scripted dialogs a window is given. The other ports lead nowhere.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "link/context.h"
#include "link/link.h"
#include "platform/mscomm.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"
#include "simamp.h"

namespace qor::bench {

struct PacedRig {
    static constexpr int kBaud = 9600;

    explicit PacedRig(sim::DeviceState device = {}, const char* model = "QOR 82")
        : folder(MakeFolder()),
          amp(device),
          comm([this](int port) {
              return port == 1 ? amp.devicePath() : (folder / "no-port").string();
          }),
          link(comm, state),
          ctx{state, comm, link, dialogs, folder, [] {}} {
        state.vq.DeviceModel = model;
        link.setDoEvents(ui::DoEvents);
        if (folder.empty() || !amp.start()) return;
        sim::Misbehaviour paced;
        paced.paceBaud = kBaud;
        amp.setMisbehaviour(paced);
        ready = true;
    }
    ~PacedRig() {
        std::error_code ec;
        if (!folder.empty()) std::filesystem::remove_all(folder, ec);
    }
    PacedRig(const PacedRig&) = delete;
    PacedRig& operator=(const PacedRig&) = delete;

    std::filesystem::path folder;
    sim::SimAmp amp;
    SharedState state;
    MSComm comm;
    Link link;
    ui::ScriptedDialogs dialogs;
    Context ctx;
    // False when the folder or the amplifier's pseudo-terminal could not be made.
    bool ready = false;

  private:
    static std::filesystem::path MakeFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "qor-bench-XXXXXX").string();
        return ::mkdtemp(name.data()) ? std::filesystem::path(name) : std::filesystem::path();
    }
};

}  // namespace qor::bench
