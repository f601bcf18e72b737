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
               QuitFor(std::move(options.quit))} {
    link_.setDoEvents(ui::DoEvents);
}

Program::~Program() = default;

FrmMenu_1& Program::menu() {
    if (!menu_) {
        menu_ = std::make_unique<FrmMenu_1>(context_, *this);
        menu_->Load();
    }
    return *menu_;
}

void Program::ShowZone(int zone) {
    if (zone < 1 || zone > 4) return;
    auto& panel = zones_[zone];
    if (panel && panel->isUnloaded()) panel.reset();
    if (!panel) {
        panel = std::make_unique<ZonePanel>(context_, zone);
        // An unloaded panel is dropped once its closing event has finished.
        panel->onUnloaded = [this, zone](ui::Form&) { zones_[zone].reset(); };
    }
    panel->Show();
}

// Shown again while open, it only comes forward: the device is read when it loads.
void Program::ShowSettings() {
    if (settings_ && settings_->isUnloaded()) settings_.reset();
    if (!settings_) {
        settings_ = std::make_unique<Frmsettings>(context_);
        settings_->onUnloaded = [this](ui::Form&) { settings_.reset(); };
    }
    settings_->Show();
}

Frmsettings* Program::settings() const {
    return settings_ && !settings_->isUnloaded() ? settings_.get() : nullptr;
}

ZonePanel* Program::zonePanel(int zone) const {
    if (zone < 1 || zone > 4 || !zones_[zone] || zones_[zone]->isUnloaded()) return nullptr;
    return zones_[zone].get();
}

void Program::ShowTuner() {
    if (tuner_ && tuner_->isUnloaded()) tuner_.reset();
    if (!tuner_) {
        // The refusal shows the main window; one that was never made is not started up for it.
        tuner_ = std::make_unique<FrmTuner>(context_, [this] {
            if (menu_) menu_->Show();
        });
        tuner_->onUnloaded = [this](ui::Form&) { tuner_.reset(); };
    }
    tuner_->Show();
}

FrmTuner* Program::tuner() const {
    return tuner_ && !tuner_->isUnloaded() ? tuner_.get() : nullptr;
}

void Program::ShowEvents() {
    if (events_ && events_->isUnloaded()) events_.reset();
    if (!events_) {
        // The upload pauses the tuner panel's timers only while that panel is loaded.
        events_ = std::make_unique<FrmEvents>(context_, [this](bool run) {
            if (FrmTuner* t = tuner()) {
                t->Timer1.setEnabled(run);
                t->Timer2.setEnabled(run);
            }
        });
        events_->onUnloaded = [this](ui::Form&) { events_.reset(); };
    }
    events_->Show();
}

FrmEvents* Program::events() const {
    return events_ && !events_->isUnloaded() ? events_.get() : nullptr;
}

void Program::ShowFile() {
    if (file_ && file_->isUnloaded()) file_.reset();
    if (!file_) {
        file_ = std::make_unique<FrmFile>(context_);
        file_->onUnloaded = [this](ui::Form&) { file_.reset(); };
    }
    file_->Show();
}

FrmFile* Program::file() const { return file_ && !file_->isUnloaded() ? file_.get() : nullptr; }

}  // namespace qor
