// The windows used with the real mouse and keyboard: the tests run on their own X display (Xvfb)
// under a window manager (openbox), and the mouse and keys go through the X server with xdotool
// (desktop.h), so focus, pop-up lists, stacking and the frame's close go through the window
// system as they do for a person. A machine that cannot start the display or the window manager
// skips every test, saying why.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "files.h"
#include "runtime_folder.h"

extern char** environ;

// Qt on X talks to the session bus, whose library keeps a buffer to the end of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

// Starts a command with its output dropped; `fd3`, when given, is its descriptor 3.
pid_t Spawn(std::vector<std::string> args, int fd3 = -1) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (fd3 >= 0) posix_spawn_file_actions_adddup2(&actions, fd3, 3);
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

bool Running(pid_t pid) { return pid > 0 && ::waitpid(pid, nullptr, WNOHANG) == 0; }

// Runs a command to its end.
void Run(std::vector<std::string> args) {
    const pid_t pid = Spawn(std::move(args));
    if (pid > 0) ::waitpid(pid, nullptr, 0);
}

// The display number Xvfb writes to `fd` once it takes connections; empty when it ends first or
// names none within 10 s.
std::string DisplayNumber(int fd) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string number;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) return {};
        char c = 0;
        if (::read(fd, &c, 1) != 1) return {};
        if (c == '\n') return number;
        number += c;
    }
}

}  // namespace

namespace qor::test {
std::string g_desktopMissing;
}

int main(int argc, char** argv) {
    // Listing the tests needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--gtest_list_tests") {
            ::testing::InitGoogleTest(&argc, argv);
            return RUN_ALL_TESTS();
        }
    }
    // A display of our own. The server takes a free number itself and names it once it takes
    // connections, so displays started side by side never share one; it does not reset when its
    // last client leaves, which would drop a client still connecting.
    int numberPipe[2] = {-1, -1};
    pid_t xvfb = -1;
    std::string number;
    if (::pipe2(numberPipe, O_CLOEXEC) == 0) {
        xvfb = Spawn({"Xvfb", "-displayfd", "3", "-noreset", "-screen", "0", "1280x800x24", "-dpi",
                      "96", "-nolisten", "tcp"},
                     numberPipe[1]);
        ::close(numberPipe[1]);
        if (xvfb > 0) number = DisplayNumber(numberPipe[0]);
        ::close(numberPipe[0]);
    }
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    pid_t wm = -1;
    if (number.empty()) {
        qor::test::g_desktopMissing = "Xvfb could not start";
    } else {
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
        // The first key sent through the test extension switches the server to that keyboard's
        // map, and a window manager then drops and takes again its key bindings: a key of the
        // tests pressed meanwhile (Alt+F4) would reach the window instead. One key now, before the
        // window manager starts, makes that switch.
        Run({"xdotool", "key", "shift"});
        // It runs its start-up command once it has set itself up (keys bound, windows managed):
        // the tests start then, within 10 s. It names itself on the display before that.
        const qor::test::TempFolder markers;
        const std::filesystem::path ready = markers / "window-manager-ready";
        wm = Spawn({"openbox", "--sm-disable", "--startup", "touch " + ready.string()});
        for (int i = 0; i < 100 && Running(wm) && !std::filesystem::exists(ready); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!std::filesystem::exists(ready))
            qor::test::g_desktopMissing = "openbox could not start";
    }
    // Without the display the windows are still made, offscreen, and each test skips.
    if (!qor::test::g_desktopMissing.empty()) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    int result = 1;
    {
        qor::test::RuntimeFolder runtime;
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    Stop(wm);
    Stop(xvfb);
    return result;
}
