// The rich text box with the largest files the program reads: one line of 4 MiB, and 100,000
// short lines. Each is loaded, shown, scrolled to its end and back, drawn offscreen; the time
// from the load to the last drawing is measured, and so is the longest stretch in which the
// program could not answer input. Target: each file under 2 s, and no stretch of a second or more
// (most of what remains is the editor building its document of 100,000 blocks).
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/ui/form.h"
#include "platform/ui/richtext.h"

namespace {

namespace fs = std::filesystem;

class FrmView : public qor::ui::Form {
  public:
    FrmView() : Form("FrmView") { Move(0, 0, 12000, 9000); }
    qor::ui::RichTextBox& RichTextBox1 =
        add<qor::ui::RichTextBox>("RichTextBox1", {120, 120, 11000, 8000});
};

// Lets the window draw what is pending.
void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

struct Figures {
    double total = 0;    // load to the last drawing, in seconds
    double longest = 0;  // the longest stretch without an answer to input
    bool whole = false;  // the text came back as loaded
};

// Input is answered when the event loop runs: a 1 ms timer that ticks between the steps shows
// how long each step kept it from running.
Figures Measure(FrmView& view, const fs::path& file, const std::string& bytes) {
    QPlainTextEdit* editor = static_cast<QPlainTextEdit*>(view.RichTextBox1.widget());
    Figures f;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        f.longest = std::max(f.longest, (now - lastTick) / 1e9);
        lastTick = now;
    });
    tick.start(1);
    clock.start();
    auto step = [&](auto&& action) {
        action();
        const qint64 now = clock.nsecsElapsed();
        f.longest = std::max(f.longest, (now - lastTick) / 1e9);
        Settle();
        lastTick = clock.nsecsElapsed();
    };
    step([&] { view.RichTextBox1.LoadFile(file); });
    step([&] { editor->repaint(); });
    for (QScrollBar* bar : {editor->verticalScrollBar(), editor->horizontalScrollBar()}) {
        step([&] {
            bar->setValue(bar->maximum());
            editor->repaint();
        });
        step([&] {
            bar->setValue(bar->maximum() / 2);
            editor->repaint();
        });
        step([&] {
            bar->setValue(0);
            editor->repaint();
        });
    }
    step([&] { f.whole = view.RichTextBox1.Text() == bytes; });
    f.total = clock.nsecsElapsed() / 1e9;
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string dirName = (fs::temp_directory_path() / "qor-richtext-XXXXXX").string();
    if (!::mkdtemp(dirName.data())) {
        std::fprintf(stderr, "no folder for the sample files\n");
        return 2;
    }
    const fs::path dir = dirName;

    // The text reads back with CR LF line ends, so the samples are written with them.
    std::string longLine(qor::files::kMaxSettingsFileBytes - 2, 'x');
    for (std::size_t i = 7; i < longLine.size(); i += 8) longLine[i] = ' ';
    longLine += "\r\n";
    std::string shortLines;
    for (int i = 0; i < 100000; ++i) shortLines += "Zone" + std::to_string(i) + "_Name=Kitchen\r\n";

    FrmView view;
    view.Show();
    Settle();
    bool ok = true;
    for (const auto& [name, bytes] : {std::pair{std::string("one line of 4 MiB"), longLine},
                                      std::pair{std::string("100,000 short lines"), shortLines}}) {
        const fs::path file = dir / "sample.ini";
        std::ofstream(file, std::ios::binary) << bytes;
        const Figures f = Measure(view, file, bytes);
        const bool fileOk = f.whole && f.total < 2.0 && f.longest < 1.0;
        ok = ok && fileOk;
        std::printf(
            "rich text box, %s: %.3f s to load, show and scroll, longest stretch without input "
            "%.3f s, text %s (target < 2 s, < 1 s, whole) %s\n",
            name.c_str(), f.total, f.longest, f.whole ? "whole" : "CHANGED",
            fileOk ? "ok" : "MISSED");
    }
    fs::remove_all(dir);
    return ok ? 0 : 1;
}
