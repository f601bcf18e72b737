// The program: the shared state, the serial control and the link, the dialog service, the quit
// hook, and one instance of each window, created on first use.
#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "common/state.h"
#include "console/windows.h"
#include "link/context.h"
#include "link/link.h"
#include "platform/mscomm.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/single.h"

namespace qor {

class FrmEvents;
class FrmFile;
class FrmMenu_1;
class FrmTuner;
class Frmsettings;
class ZonePanel;

struct ProgramOptions {
    // Empty: QOR_PROGRAM_DIR when set, else the executable's folder.
    std::filesystem::path programDir;
    MSComm::PortMapper portMapper = MSComm::DefaultDevicePath;
    std::chrono::nanoseconds pollTime = MSComm::kDefaultPollTime;
    // Null: Qt's message boxes.
    ui::Dialogs* dialogs = nullptr;
    // Null: end the process at once.
    std::function<void()> quit;
};

class Program : public Windows {
  public:
    explicit Program(ProgramOptions options = {});
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    static std::filesystem::path DefaultProgramDir();

    Context& context() { return context_; }
    SharedState& state() { return state_; }
    MSComm& comm() { return comm_; }
    Link& link() { return link_; }

    // The main window; creating it runs the whole start-up.
    FrmMenu_1& menu();
    FrmMenu_1* menuIfLoaded() const;

    void ShowZone(int zone) override;
    void ShowSettings() override;
    // The zone's panel while it is loaded, else null.
    ZonePanel* zonePanel(int zone) const;
    // The settings panel while it is loaded, else null.
    Frmsettings* settings() const;

    // Loads the tuner panel when it is not loaded and shows it; one already loaded only comes
    // forward. A model without tuner refuses it during its load, and nothing is shown.
    void ShowTuner() override;
    // The tuner panel while it is loaded, else null.
    FrmTuner* tuner() const;

    // Loads the schedule editor when it is not loaded and shows it; one already loaded only
    // comes forward.
    void ShowEvents() override;
    // The schedule editor while it is loaded, else null.
    FrmEvents* events() const;
    // Shown again while open, the INI manager only comes forward; switching to it reads the device.
    void ShowFile() override;
    // The INI manager while it is loaded, else null.
    FrmFile* file() const;

  private:
    SharedState state_;
    MSComm comm_;
    Link link_;
    std::unique_ptr<ui::Dialogs> ownDialogs_;
    Context context_;
    // One slot per window (see ui::Single).
    ui::Single<FrmMenu_1> menu_;
    std::array<std::unique_ptr<ui::Single<ZonePanel>>, 5> zones_;
    ui::Single<FrmTuner> tuner_;
    ui::Single<Frmsettings> settings_;
    ui::Single<FrmEvents> events_;
    ui::Single<FrmFile> file_;
};

}  // namespace qor
