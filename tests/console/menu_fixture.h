// The main window in a fresh program folder, with scripted dialogs, a quit hook that only counts,
// a recording stand-in for the other windows, a clock the test sets, and simulated amplifiers on
// real pseudo-terminals at the serial ports the test chooses. Every other port maps to a path
// that does not exist, so no test ever opens the machine's own serial devices.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/temp_folder.h"
#include "console/frm_menu_1.h"
#include "link/context.h"
#include "platform/ui/dialogs.h"
#include "simamp.h"

namespace qor::test {

// 2 us a poll: a silent port gives up after 64 ms here; the count stays 32,000.
constexpr auto kTestPoll = std::chrono::microseconds(2);

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

    std::vector<int> zones;
    std::vector<int> panelSlots;
    std::vector<std::string> shown;
    std::vector<std::string> failing;

private:
    void Shown(const std::string& window) {
        if (std::find(failing.begin(), failing.end(), window) != failing.end())
            throw std::runtime_error(window + " failed to load");
        shown.push_back(window);
    }

    SharedState& state_;
};

inline sim::DeviceState Model(int code) {
    sim::DeviceState d;
    d.modelCode = code;
    return d;
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(dir.path().empty()); }

    // A simulated amplifier on serial port `port`.
    sim::SimAmp& Attach(int port, sim::DeviceState device = Model(2)) {
        auto& amp = amps[port];
        amp = std::make_unique<sim::SimAmp>(device);
        EXPECT_TRUE(amp->start());
        return *amp;
    }

    void WriteUserIni(const std::string& text) { WriteBytes(dir / "user.ini", text); }

    // Creates the window and runs its start-up.
    FrmMenu_1& Start() {
        menu = std::make_unique<FrmMenu_1>(ctx, windows);
        menu->setNow([this] { return now; });
        menu->Load();
        return *menu;
    }

    // Start-up with the automatic detection declined: no port is scanned.
    FrmMenu_1& StartWithoutDevice() {
        dialogs.queueAnswer(ui::MsgAnswer::No);
        return Start();
    }

    std::vector<std::string> MsgTexts() const {
        std::vector<std::string> out;
        for (const auto& m : dialogs.msgBoxes()) out.push_back(m.text);
        return out;
    }

    // True when the device receives nothing more within a short while.
    static bool StaysQuiet(const sim::SimAmp& amp) {
        return !amp.waitForLog(amp.log().size() + 1, 150);
    }

    std::string PortPath(int port) const {
        const auto it = amps.find(port);
        if (it != amps.end() && it->second) return it->second->devicePath();
        return (dir / ("no-such-port-" + std::to_string(port))).string();
    }

    TempFolder dir;
    std::map<int, std::unique_ptr<sim::SimAmp>> amps;
    SharedState state;
    MSComm comm{[this](int port) { return PortPath(port); }, kTestPoll};
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

}  // namespace qor::test
