// qor-sim: the simulated amplifier on its own, for trying the program by hand.
#include <signal.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "simamp.h"

namespace {

const char kUsage[] =
    "Usage: qor-sim [options]\n"
    "\n"
    "Runs a simulated amplifier on a pseudo-terminal until interrupted (Ctrl+C or SIGTERM).\n"
    "The first line printed is\n"
    "  device: /dev/pts/N\n"
    "and, with --link, the second is\n"
    "  link: PATH\n"
    "Give either path to the program as QOR_COM<n>, e.g. QOR_COM1=/dev/pts/N.\n"
    "\n"
    "The QOR 82's tuner starts on 88.8 MHz with sensitivity High. \"*TUN,1;\" and \"*TUN,2;\"\n"
    "step it up and down by 0.1 MHz within 87.5 to 108.0; \"*TUN,SEARCH,1;\" and\n"
    "\"*TUN,SEARCH,2;\" go to the next and previous station of 89.3, 91.7, 94.5, 98.5, 101.2,\n"
    "104.8 and 107.1, round the band's end; \"*TUN,MEM,n;\" stores the frequency in preset n,\n"
    "\"*TUN,PRES,n;\" tunes to it, \"*TUN,SENS,s;\" keeps the sensitivity (1 High, 2 Mid,\n"
    "3 Low). Reads answer \"*RT,TUN,FREQ,MHz,tenths;\", \"*RT,PRES,n,MHz,tenths;\" (empty\n"
    "fields for a preset never stored) and \"*RT,TUN,SENS,s;\".\n"
    "\n"
    "Options:\n"
    "  --model 81|82       model to report (default 82; 81 has no tuner and answers no tuner "
    "read)\n"
    "  --link PATH         make a symbolic link PATH to the device (an old link there is\n"
    "                      replaced); removed again on exit\n"
    "  --zone-on LIST      zones switched on at start, e.g. 1,3\n"
    "  --presets LIST      the six tuner presets at start, in MHz, \"-\" for one never stored,\n"
    "                      e.g. 89.3,91.7,94.5,98.5,-,107.1 (default: all 88.8)\n"
    "  --rds TEXT          send the RDS text \"*RT,TUN,RDS,TXT,TEXT;\" unasked...\n"
    "  --rds-every SECONDS ...this often (default 5; fractions allowed)\n"
    "  --log               print each command received, one a line\n"
    "Misbehaviour:\n"
    "  --silent            answer nothing\n"
    "  --late MS           answer MS milliseconds late\n"
    "  --split N           send each answer in N pieces...\n"
    "  --split-gap MS      ...MS milliseconds apart (default 5)\n"
    "  --no-semicolon      leave off the closing \";\" of each answer\n"
    "  --stray             send one junk byte before each answer\n"
    "  --garbage           send junk instead of each answer\n"
    "  --pace BAUD         take commands and answer at the pace of a serial line at BAUD\n"
    "                      (10 bits a character, both ways)\n"
    "  --help              show this text\n";

bool ToInt(const char* text, int low, int high, int& out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < low || v > high) return false;
    out = static_cast<int>(v);
    return true;
}

// "89.3,91.7,-,..." : six frequencies within the band with one decimal, or "-" for a preset
// never stored.
bool ParsePresets(const std::string& list, qor::sim::DeviceState& state) {
    std::size_t from = 0;
    for (int n = 1; n <= 6; ++n) {
        const auto comma = list.find(',', from);
        if ((comma == std::string::npos) != (n == 6)) return false;
        const std::string item = list.substr(from, comma - from);
        from = comma + 1;
        if (item == "-") {
            state.presets[n] = {.empty = true};
            continue;
        }
        const auto dot = item.find('.');
        int mhz = 0, tenths = 0;
        if (dot == std::string::npos || item.size() != dot + 2 ||
            !ToInt(item.substr(0, dot).c_str(), 0, 999, mhz) ||
            !ToInt(item.substr(dot + 1).c_str(), 0, 9, tenths))
            return false;
        const int f = mhz * 10 + tenths;
        if (f < qor::sim::kBandLow || f > qor::sim::kBandHigh) return false;
        state.presets[n] = {mhz, tenths};
    }
    return true;
}

int Fail(const std::string& message) {
    std::cerr << "qor-sim: " << message << "\n"
              << "Try 'qor-sim --help'.\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qor::sim;
    DeviceState state;
    Misbehaviour mis;
    std::string link, rds;
    double rdsEvery = 5.0;
    bool printLog = false;

    for (int i = 1; i < argc; ++i) {
        std::string opt = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        int n = 0;
        if (opt == "--help" || opt == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (opt == "--silent") {
            mis.silent = true;
        } else if (opt == "--no-semicolon") {
            mis.noClosingSemicolon = true;
        } else if (opt == "--stray") {
            mis.strayByteFirst = true;
        } else if (opt == "--garbage") {
            mis.garbage = true;
        } else if (opt == "--log") {
            printLog = true;
        } else if ((v = value()) == nullptr) {
            return Fail(opt.rfind("--", 0) == 0 ? "option " + opt + " needs a value or is unknown"
                                                : "unexpected argument " + opt);
        } else if (opt == "--model") {
            if (std::string(v) == "81")
                state.modelCode = 1;
            else if (std::string(v) == "82")
                state.modelCode = 2;
            else
                return Fail("--model takes 81 or 82");
        } else if (opt == "--link") {
            link = v;
        } else if (opt == "--rds") {
            rds = v;
        } else if (opt == "--rds-every") {
            char* end = nullptr;
            rdsEvery = std::strtod(v, &end);
            if (end == v || *end != '\0' || !(rdsEvery >= 0.01)) return Fail("bad --rds-every");
        } else if (opt == "--pace") {
            if (!ToInt(v, 1, 10'000'000, mis.paceBaud)) return Fail("bad --pace");
        } else if (opt == "--late") {
            if (!ToInt(v, 0, 3'600'000, mis.lateMs)) return Fail("bad --late");
        } else if (opt == "--split") {
            if (!ToInt(v, 1, 1000, mis.splitPieces)) return Fail("bad --split");
        } else if (opt == "--split-gap") {
            if (!ToInt(v, 0, 60'000, mis.splitGapMs)) return Fail("bad --split-gap");
        } else if (opt == "--zone-on") {
            std::string list = v;
            std::size_t from = 0;
            for (;;) {
                auto comma = list.find(',', from);
                std::string item = list.substr(from, comma - from);
                if (!ToInt(item.c_str(), 1, 4, n)) return Fail("bad zone in --zone-on: " + item);
                state.zones[n].on = true;
                if (comma == std::string::npos) break;
                from = comma + 1;
            }
        } else if (opt == "--presets") {
            if (!ParsePresets(v, state)) return Fail("bad --presets (six MHz values or -)");
        } else {
            return Fail("unknown option " + opt);
        }
    }

    // Blocked before the simulator's thread starts, so only sigtimedwait below sees them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    SimAmp sim(state);
    sim.setMisbehaviour(mis);
    if (!sim.start(link)) {
        std::cerr << "qor-sim: cannot open a pseudo-terminal"
                  << (link.empty() ? "" : " or make the link " + link) << "\n";
        return 1;
    }
    std::cout << "device: " << sim.slavePath() << "\n";
    if (!link.empty()) std::cout << "link: " << link << "\n";
    std::cout << std::flush;

    using Clock = std::chrono::steady_clock;
    const auto rdsPeriod =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(rdsEvery));
    auto nextRds = Clock::now();
    const timespec tick{0, 50'000'000};
    for (;;) {
        int sig = sigtimedwait(&signals, nullptr, &tick);
        if (sig == SIGINT || sig == SIGTERM) break;
        for (const auto& command : sim.takeLog())
            if (printLog) std::cout << command << "\n";
        if (printLog) std::cout << std::flush;
        if (!rds.empty() && Clock::now() >= nextRds) {
            sim.sendRds(rds);
            nextRds = std::max(nextRds + rdsPeriod, Clock::now());
        }
    }
    sim.stop();
    return 0;
}
