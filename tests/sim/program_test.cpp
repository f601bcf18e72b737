#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "port.h"

using qor::sim::testing::Port;
namespace fs = std::filesystem;

extern char** environ;

namespace {

// qor-sim run as a child, its standard output read through a pipe.
class Program {
public:
    explicit Program(std::vector<std::string> args) {
        args.insert(args.begin(), QOR_SIM_PROGRAM);
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2];
        if (::pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, QOR_SIM_PROGRAM, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        out_ = out[0];
    }
    ~Program() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) ::close(out_);
    }

    // The next line of output, without its end; "" at the end of output or after timeoutMs.
    std::string line(int timeoutMs = 3000) {
        for (;;) {
            auto end = buffer_.find('\n');
            if (end != std::string::npos) {
                std::string l = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return l;
            }
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0) return "";
            char buf[256];
            ssize_t n = ::read(out_, buf, sizeof buf);
            if (n <= 0) return "";
            buffer_.append(buf, static_cast<std::size_t>(n));
        }
    }

    // All the rest of the output, up to its end.
    std::string rest() {
        std::string all = buffer_;
        buffer_.clear();
        char buf[256];
        pollfd p{out_, POLLIN, 0};
        while (::poll(&p, 1, 3000) > 0) {
            ssize_t n = ::read(out_, buf, sizeof buf);
            if (n <= 0) break;
            all.append(buf, static_cast<std::size_t>(n));
        }
        return all;
    }

    // Exit status after the signal (or on its own, with sig 0); -1 when it did not end normally.
    int finish(int sig) {
        if (sig != 0) ::kill(pid_, sig);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffer_;
};

}  // namespace

TEST(SimProgram, RunsAsToldAndCleansUpOnTerm) {
    char dir[] = "/tmp/qor-sim-prog-XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const std::string link = std::string(dir) + "/amp";
    Program sim({"--model", "81", "--zone-on", "2,4", "--link", link, "--log", "--rds", "HI",
                 "--rds-every", "0.05"});

    const std::string device = sim.line();
    ASSERT_EQ(device.rfind("device: /dev/", 0), 0u) << device;
    EXPECT_EQ(sim.line(), "link: " + link);
    EXPECT_EQ(fs::read_symlink(link), device.substr(8));

    Port port(link);
    ASSERT_TRUE(port.isOpen());
    ASSERT_TRUE(port.write("*RD,ON,4;*RD,ON,3;*RD,MODEL;*TUN,FREQ;"));
    // The RDS text keeps coming between the answers; take it out to see the answers alone.
    std::string answers = port.readFor(300);
    const std::string rds = "*RT,TUN,RDS,TXT,HI;";
    int rdsSeen = 0;
    for (auto at = answers.find(rds); at != std::string::npos; at = answers.find(rds)) {
        answers.erase(at, rds.size());
        ++rdsSeen;
    }
    EXPECT_GE(rdsSeen, 2);
    EXPECT_EQ(answers, "*RT,ON,1;*RT,ON,0;*RT,MODEL,0,1;");
    for (const char* command : {"*RD,ON,4;", "*RD,ON,3;", "*RD,MODEL;", "*TUN,FREQ;"})
        EXPECT_EQ(sim.line(), command);

    EXPECT_EQ(sim.finish(SIGTERM), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    fs::remove_all(dir);
}

TEST(SimProgram, MisbehaviourOptionsReachTheLine) {
    Program sim({"--stray", "--no-semicolon", "--split", "2", "--split-gap", "30"});
    const std::string device = sim.line();
    ASSERT_EQ(device.rfind("device: ", 0), 0u);
    Port port(device.substr(8));
    ASSERT_TRUE(port.isOpen());
    ASSERT_TRUE(port.write("*RD,VOL,2;"));
    EXPECT_EQ(port.readFor(300), "\x7f*RT,VOL,2,40");
    EXPECT_EQ(sim.finish(SIGINT), 0);
}

TEST(SimProgram, HelpAndBadOptions) {
    {
        Program help({"--help"});
        const std::string text = help.rest();
        EXPECT_NE(text.find("device: /dev/pts/N"), std::string::npos);
        for (const char* option :
             {"--model", "--link", "--rds-every", "--pace", "--late", "--split", "--silent",
              "--no-semicolon", "--stray", "--garbage", "--log", "--zone-on"})
            EXPECT_NE(text.find(option), std::string::npos) << option;
        EXPECT_EQ(help.finish(0), 0);
    }
    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
             {"--model", "83"}, {"--zone-on", "1,5"}, {"--pace"}, {"--late", "x"}, {"--what"}}) {
        Program p(bad);
        EXPECT_EQ(p.line(), "");
        EXPECT_EQ(p.finish(0), 2) << bad[0];
    }
}
