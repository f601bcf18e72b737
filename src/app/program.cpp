#include "app/program.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "console/frm_menu_1.h"
#include "inimanager/frm_file.h"
#include "platform/ui/runtime.h"
#include "schedule/frm_events.h"
#include "settings/frm_settings.h"
#include "tuner/frm_tuner.h"
#include "zones/zone_panel.h"

namespace qor {

namespace {

ui::Dialogs& DialogsFor(ProgramOptions& options, std::unique_ptr<ui::Dialogs>& own) {
    if (options.dialogs) return *options.dialogs;
    own = std::make_unique<ui::QtDialogs>("Qor PC Manager");
    return *own;
}

std::function<void()> QuitFor(std::function<void()> quit) {
    if (quit) return quit;
    // At once: no window's closing code runs; the kernel releases the serial port.
    return [] {
        std::fflush(nullptr);
        std::_Exit(0);
    };
}

}  // namespace

std::filesystem::path Program::DefaultProgramDir() {
    if (const char* dir = std::getenv("QOR_PROGRAM_DIR"); dir && *dir) return dir;
    return QCoreApplication::applicationDirPath().toStdString();
}

Program::Program(ProgramOptions options)
    : comm_(options.portMapper, options.pollTime),
      link_(comm_, state_),
      context_{state_,
               comm_,
               link_,
               DialogsFor(options, ownDialogs_),
               options.programDir.empty() ? DefaultProgramDir() : options.programDir,
               QuitFor(std::move(options.quit))},
      menu_([this] { return std::make_unique<FrmMenu_1>(context_, *this); }),
      // The refusal shows the main window; one that was never made is not started up for it.
      tuner_([this] {
          return std::make_unique<FrmTuner>(context_, [this] {
              if (FrmMenu_1* m = menu_.live()) m->Show();
          });
      }),
      settings_([this] { return std::make_unique<Frmsettings>(context_); }),
      // The upload pauses the tuner panel's timers only while that panel is loaded.
      events_([this] {
          return std::make_unique<FrmEvents>(context_, [this](bool run) {
              if (FrmTuner* t = tuner()) {
                  t->Timer1.setEnabled(run);
                  t->Timer2.setEnabled(run);
              }
          });
      }),
      file_([this] { return std::make_unique<FrmFile>(context_); }) {
    for (int zone = 1; zone <= 4; ++zone) {
        zones_[zone] = std::make_unique<ui::Single<ZonePanel>>(
            [this, zone] { return std::make_unique<ZonePanel>(context_, zone); });
    }
    link_.setDoEvents(ui::DoEvents);
}

Program::~Program() = default;

FrmMenu_1& Program::menu() { return menu_.Load(); }
FrmMenu_1* Program::menuIfLoaded() const { return menu_.live(); }

void Program::ShowZone(int zone) {
    if (zone >= 1 && zone <= 4) zones_[zone]->Show();
}

ZonePanel* Program::zonePanel(int zone) const {
    return zone >= 1 && zone <= 4 ? zones_[zone]->live() : nullptr;
}

// Shown again while open, it only comes forward: the device is read when it loads.
void Program::ShowSettings() { settings_.Show(); }
Frmsettings* Program::settings() const { return settings_.live(); }

void Program::ShowTuner() { tuner_.Show(); }
FrmTuner* Program::tuner() const { return tuner_.live(); }

void Program::ShowEvents() { events_.Show(); }
FrmEvents* Program::events() const { return events_.live(); }

void Program::ShowFile() { file_.Show(); }
FrmFile* Program::file() const { return file_.live(); }

}  // namespace qor
