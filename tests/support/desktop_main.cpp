// The windows used with the real mouse and keyboard: the tests run on their own X display (Xvfb)
// under a window manager (openbox), and the mouse and keys go through the X server with xdotool
// (desktop.h), so focus, pop-up lists, stacking and the frame's close go through the window
// system as they do for a person. A machine that cannot start the display or the window manager
// skips every test, saying why.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "runtime_folder.h"

extern char** environ;

// Qt on X talks to the session bus, whose library keeps a buffer to the end of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

pid_t Spawn(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
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
    // A display of our own, free of the others' (the lock file says who has one).
    int number = 120 + static_cast<int>(::getpid() % 300);
    while (::access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0) ++number;
    const std::string display = ":" + std::to_string(number);
    const pid_t xvfb =
        Spawn({"Xvfb", display, "-screen", "0", "1280x800x24", "-dpi", "96", "-nolisten", "tcp"});
    ::setenv("DISPLAY", display.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int i = 0; i < 100 && Running(xvfb) && ::access(socket.c_str(), F_OK) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    pid_t wm = -1;
    if (!Running(xvfb) || ::access(socket.c_str(), F_OK) != 0) {
        qor::test::g_desktopMissing = "Xvfb could not start";
    } else {
        wm = Spawn({"openbox", "--sm-disable"});
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        if (!Running(wm)) qor::test::g_desktopMissing = "openbox could not start";
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
