// The INI manager's Write of a fresh snapshot user.ini against the simulated amplifier paced at
// 9600 baud, drawn offscreen: the file's length and the upload's time per line, next to the wire
// time of its lines (and of the answers they get) and the answer wait it spends on each line the
// device does not answer (every set command, and the closing "End build" line). Target: that wait
// is the link's answer bound on a silent line, 0.25 s to 1 s.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "config/snapshot.h"
#include "inimanager/frm_file.h"
#include "paced_rig.h"
#include "platform/files.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    using namespace qor;

    sim::DeviceState device;
    device.zones[1].on = true;
    device.frequency = device.presets[2];  // the tuner stands on a preset
    bench::PacedRig rig(device);
    if (!rig.ready) {
        std::fprintf(stderr, "no program folder or pseudo-terminal for the simulated amplifier\n");
        return 2;
    }
    constexpr int kBaud = bench::PacedRig::kBaud;
    const fs::path& folder = rig.folder;
    sim::SimAmp& amp = rig.amp;
    SharedState& state = rig.state;
    Link& link = rig.link;
    Context& ctx = rig.ctx;
    for (int z = 1; z <= 4; ++z) state.vq.ZoneName[z] = "Zone " + std::to_string(z);

    // The key list the build puts beside the executable.
    const fs::path here = QCoreApplication::applicationDirPath().toStdString();
    std::error_code ec;
    fs::copy_file(here / "lookforinini.txt", folder / "lookforinini.txt", ec);
    if (ec) {
        std::fprintf(stderr, "no lookforinini.txt beside the benchmark: %s\n",
                     ec.message().c_str());
        return 2;
    }

    TakeSnapshot(SnapshotVariant::Startup, link, state, folder);
    const auto userIni = files::ReadRegularFile(folder / "user.ini");
    if (!userIni) {
        std::fprintf(stderr, "the snapshot wrote no user.ini\n");
        return 2;
    }

    FrmFile window(ctx);
    window.Load();
    amp.clearLog();
    const sim::DeviceState before = amp.state();
    const auto t0 = std::chrono::steady_clock::now();
    window.MnuWriteIni_Click();
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    const auto sent = files::ReadLines(folder / "upload.txt");
    if (!sent || sent->size() < 2 || !amp.waitForLog(sent->size() - 1)) {
        std::fprintf(stderr, "the upload sent nothing\n");
        return 2;
    }
    // What crossed the line: every line as sent and the device's answer, if it gives one.
    sim::DeviceState s = before;
    std::size_t chars = 0;
    int unanswered = 0;
    for (const std::string& line : *sent) {
        const std::string answer = sim::Answer(s, line);
        chars += line.size() + answer.size();
        if (answer.empty()) ++unanswered;
    }
    const double lines = static_cast<double>(sent->size());
    const double wire = static_cast<double>(chars) * 10.0 / kBaud;
    const double wait = unanswered > 0 ? (took - wire) / unanswered : 0;
    const bool ok = wait >= 0.25 && wait <= 1.0;
    std::printf("upload of a snapshot user.ini: %zu bytes, %zu lines in %.2f s, %.0f ms a line\n",
                userIni->size(), sent->size(), took, took / lines * 1e3);
    std::printf("wire time: %.1f ms a line, %.2f s in all\n", wire / lines * 1e3, wire);
    std::printf(
        "answer wait on each of the %d lines the device does not answer: %.0f ms (target 250 to "
        "1000 ms) %s\n",
        unanswered, wait * 1e3, ok ? "ok" : "MISSED");
    return 0;
}
