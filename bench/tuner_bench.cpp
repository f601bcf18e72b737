// One state reading of the tuner panel (frequency, six preset reads, sensitivity) against the
// simulated amplifier paced at 9600 baud, as a ratio to the wire time of its exchanges: what the
// panel adds to the line's own time, its yield included. Target: <= 1.1.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "link/context.h"
#include "platform/ui/dialogs.h"
#include "simamp.h"
#include "tuner/frm_tuner.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int kBaud = 9600;

    qor::sim::DeviceState device;
    device.frequency = {99, 9};  // no preset holds it: all six are read
    qor::sim::SimAmp sim(device);
    if (!sim.start()) {
        std::fprintf(stderr, "no pseudo-terminal for the simulated amplifier\n");
        return 2;
    }
    qor::sim::Misbehaviour paced;
    paced.paceBaud = kBaud;
    sim.setMisbehaviour(paced);

    qor::SharedState state;
    state.vq.DeviceModel = "QOR 82";
    state.vq.TunerSensitivity = "High";
    qor::MSComm comm([&](int) { return sim.devicePath(); });
    qor::Link link(comm, state);
    qor::ui::ScriptedDialogs dialogs;
    qor::Context ctx{
        state, comm, link, dialogs, QCoreApplication::applicationDirPath().toStdString(), [] {}};

    qor::FrmTuner tuner(ctx, [] {});
    tuner.Load();
    tuner.Timer1.setEnabled(false);
    tuner.Timer2.setEnabled(false);

    // The wire time of one reading: every command and the device's answer to it.
    sim.clearLog();
    tuner.Timer1_Timer();
    const std::vector<std::string> commands = sim.takeLog();
    qor::sim::DeviceState s = sim.state();
    double chars = 0;
    for (const std::string& c : commands) chars += c.size() + qor::sim::Answer(s, c).size();
    const double wire = chars * 10.0 / kBaud;
    if (commands.size() != 8 || tuner.Label9.Caption() != "99.9") {
        std::fprintf(stderr, "unexpected reading: %zu commands, frequency %s\n", commands.size(),
                     tuner.Label9.Caption().c_str());
        return 2;
    }

    std::vector<double> readings;
    for (int i = 0; i < 9; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        tuner.Timer1_Timer();
        readings.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(readings.begin(), readings.end());
    const double reading = readings[readings.size() / 2];
    const bool ok = reading <= 1.1 * wire;
    std::printf(
        "tuner state reading: %.2f ms for %.2f ms of wire time (%zu exchanges), ratio %.3f "
        "(target <= 1.1) %s\n",
        reading * 1e3, wire * 1e3, commands.size(), reading / wire, ok ? "ok" : "MISSED");
    return ok ? 0 : 1;
}
