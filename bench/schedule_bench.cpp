// The schedule editor's Write of a full grid (16 events, each on some day) against the simulated
// amplifier paced at 9600 baud, with the editor shown (offscreen unless QT_QPA_PLATFORM names
// another platform): the upload of its 32 lines and the read-back of the 16 events, timed as a
// ratio to the wire time of the lines, commands and answers, and how many of the 16 events came
// back as they were sent (their answers in the read-back log).
// Targets: ratio <= 1.2, 16 events back.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "link/commands.h"
#include "paced_rig.h"
#include "platform/files.h"
#include "schedule/frm_events.h"
#include "schedule/schedule_events.h"
#include "support/full_schedule.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    using namespace qor;

    bench::PacedRig rig;
    if (!rig.ready) {
        std::fprintf(stderr, "no program folder or pseudo-terminal for the simulated amplifier\n");
        return 2;
    }
    constexpr int kBaud = bench::PacedRig::kBaud;
    const fs::path& folder = rig.folder;
    SharedState& state = rig.state;
    Context& ctx = rig.ctx;

    const std::string lines = test::FullScheduleFile(state.vq.DeviceModel);
    files::ReplaceFile(folder / schedule::kRetrievedFile, lines);
    FrmEvents editor(ctx);
    editor.Load();
    editor.Show();

    // Wire time: the 32 lines, then each read command and its answer ("*RT,EVT," and the set
    // line's fields).
    std::size_t chars = 0;
    for (int n = 1; n <= schedule::kEvents; ++n) chars += schedule::ClearLine(n).size();
    for (const std::string& line : files::SplitLines(lines)) chars += line.size() * 2;
    for (int n = 1; n <= schedule::kEvents; ++n) chars += cmd::RdEvt(n).size();
    const double wire = static_cast<double>(chars) * 10.0 / kBaud;

    const auto t0 = std::chrono::steady_clock::now();
    editor.Mnuwrite_Click();
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    // An event is back when the log holds the device's answer with the fields that were sent.
    int back = 0;
    const auto log = files::ReadLines(folder / schedule::kLogFile);
    for (const std::string& line : files::SplitLines(lines)) {
        const std::string answer = "*RT,EVT," + line.substr(9);
        if (log && std::find(log->begin(), log->end(), answer) != log->end()) ++back;
    }
    const double ratio = took / wire;
    std::printf(
        "write of a full grid: %.3f s for %.3f s of wire time, ratio %.3f (target <= 1.2) %s\n",
        took, wire, ratio, ratio <= 1.2 ? "ok" : "MISSED");
    std::printf("events read back: %d of 16 (target 16) %s\n", back, back == 16 ? "ok" : "MISSED");
    return 0;
}
