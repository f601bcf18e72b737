// The main window in a fresh program folder, with scripted dialogs, a quit hook that only counts,
// a recording stand-in for the other windows, a clock the test sets, and simulated amplifiers on
// real pseudo-terminals at the serial ports the test chooses. Every other port maps to a path
// that does not exist, so no test ever opens the machine's own serial devices.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>

#include "console/frm_menu_1.h"
#include "link/commands.h"
#include "link/context.h"
#include "platform/ui/dialogs.h"
#include "simamp.h"
#include "support/device_fixture.h"
#include "support/files.h"

namespace qor::test {

using Lines = std::vector<std::string>;

// A real mouse event delivered to the control's widget, as the window system would.
inline void SendMouse(ui::Control& control, QEvent::Type type) {
    QWidget* w = control.widget();
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    const auto button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, w->mapToGlobal(local), button,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void Click(ui::Control& control) {
    SendMouse(control, QEvent::MouseButtonPress);
    SendMouse(control, QEvent::MouseButtonRelease);
}

// Which zone panels were asked for, and the stacking slot each one found; which other windows
// were asked for, by name. A window named in `failing` throws as one that cannot load.
class RecordingWindows : public Windows {
  public:
    explicit RecordingWindows(SharedState& state) : state_(state) {}
    void ShowZone(int zone) override {
        zones.push_back(zone);
        panelSlots.push_back(state_.vq.PanelSlot);
    }
    void ShowFile() override { Shown("FrmFile"); }
    void ShowTuner() override { Shown("FrmTuner"); }
    void ShowEvents() override { Shown("FrmEvents"); }
    void ShowSettings() override { Shown("Frmsettings"); }
    std::vector<int> zones, panelSlots;
    Lines shown, failing;

  private:
    void Shown(const std::string& window) {
        if (std::find(failing.begin(), failing.end(), window) != failing.end())
            throw std::runtime_error(window + " failed to load");
        shown.push_back(window);
    }
    SharedState& state_;
};

inline sim::DeviceState Model(int code) { return {.modelCode = code}; }

class MenuTest : public ::testing::Test {
  protected:
    // A test that only ever meets silence or junk may take the short window (kSilencePoll).
    explicit MenuTest(std::chrono::nanoseconds pollTime = kTestPoll) : pollTime_(pollTime) {}
    void SetUp() override { ASSERT_FALSE(dir.path().empty()); }

    // A simulated amplifier on serial port `port`, answering as `misbehaviour` says.
    sim::SimAmp& Attach(int port, sim::DeviceState device = Model(2), sim::Misbehaviour how = {}) {
        auto& amp = amps[port];
        amp = std::make_unique<sim::SimAmp>(device);
        EXPECT_TRUE(amp->start());
        amp->setMisbehaviour(how);
        return *amp;
    }
    void WriteUserIni(const std::string& text) { WriteBytes(dir / "user.ini", text); }

    // Creates the window and runs its start-up; `autoDetect` answers the question it asks.
    FrmMenu_1& Start(bool autoDetect = true) {
        if (!autoDetect) dialogs.queueAnswer(ui::MsgAnswer::No);
        menu = std::make_unique<FrmMenu_1>(ctx, windows);
        menu->setNow([this] { return now; });
        menu->Load();
        return *menu;
    }
    // True when the device receives nothing more within a short while.
    static bool StaysQuiet(const sim::SimAmp& amp) {
        return !amp.waitForLog(amp.log().size() + 1, 150);
    }

    TempFolder dir;
    std::map<int, std::unique_ptr<sim::SimAmp>> amps;
    SharedState state;
    std::chrono::nanoseconds pollTime_;
    MSComm comm{[this](int port) {
                    const auto it = amps.find(port);
                    return it != amps.end()
                               ? it->second->devicePath()
                               : (dir / ("no-such-port-" + std::to_string(port))).string();
                },
                pollTime_};
    Link link{comm, state};
    ui::ScriptedDialogs dialogs;
    int quitCalls = 0;
    Context ctx{state, comm, link, dialogs, dir.path(), [this] { ++quitCalls; }};
    RecordingWindows windows{state};
    DateTime now{2024, 3, 5, 9, 7, 3};
    std::unique_ptr<FrmMenu_1> menu;
};

inline const char* const kUserIni =
    "[Zone_Name]\r\nZone1_Name=Hall\r\nZone2_Name=Kitchen\r\n"
    "[Temperature]\r\nTemperature_Min=65\r\nTemperature_Max=85\r\nTemperature_Offset=2\r\n";
// The limits of kUserIni as the device receives them, after `head`.
inline Lines ThenLimits(Lines head) {
    for (const char* c : {"*TEMP,MIN,65;", "*TEMP,MAX,85;", "*TEMP,CAL,02;"}) head.push_back(c);
    return head;
}

}  // namespace qor::test
