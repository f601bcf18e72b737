// How the link's waiting behaves in real time, against the simulated amplifier paced at 9600 baud:
//  1. one read exchange as a ratio to its wire time,
//  2. the CPU time the process spends during one silent-line wait,
//  3. the length of that wait.
// Targets: exchange <= 1.05 x wire time + 1 ms, CPU <= 2 % of the wait, wait 0.25 s to 1 s.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "link/commands.h"
#include "link/link.h"
#include "simamp.h"

namespace {

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main() {
    using clock = std::chrono::steady_clock;
    constexpr int kBaud = 9600;

    qor::sim::SimAmp sim;
    if (!sim.start()) {
        std::fprintf(stderr, "no pseudo-terminal for the simulated amplifier\n");
        return 2;
    }
    qor::sim::Misbehaviour paced;
    paced.paceBaud = kBaud;
    sim.setMisbehaviour(paced);

    qor::SharedState state;
    qor::MSComm comm([&](int) { return sim.devicePath(); });
    qor::Link link(comm, state);

    const std::string request = qor::cmd::RdVol(1);
    const std::string expected = "*RT,VOL,1,40;";
    const double wire = static_cast<double>(request.size() + expected.size()) * 10.0 / kBaud;

    // Exchange: the median of a few, after one to open the port.
    link.SendMessage(request);
    link.ReceiveMessage();
    std::vector<double> exchanges;
    for (int i = 0; i < 15; ++i) {
        const auto t0 = clock::now();
        link.SendMessage(request);
        const std::string answer = link.ReceiveMessage();
        const auto t1 = clock::now();
        if (answer != expected) {
            std::fprintf(stderr, "unexpected answer: %s\n", answer.c_str());
            return 2;
        }
        exchanges.push_back(Seconds(t1 - t0));
    }
    std::sort(exchanges.begin(), exchanges.end());
    const double exchange = exchanges[exchanges.size() / 2];

    // Silent line: the whole first bound, with the CPU it costs.
    qor::sim::Misbehaviour silent;
    silent.silent = true;
    sim.setMisbehaviour(silent);
    link.SendMessage(request);
    const double cpu0 = ProcessCpuSeconds();
    const auto t0 = clock::now();
    const std::string none = link.ReceiveMessage();
    const double wait = Seconds(clock::now() - t0);
    const double cpu = ProcessCpuSeconds() - cpu0;

    const bool exchangeOk = exchange <= 1.05 * wire + 0.001;
    const bool cpuOk = cpu <= 0.02 * wait;
    const bool waitOk = wait >= 0.25 && wait <= 1.0 && none == "Comm Error : NO CONNECTION";
    std::printf(
        "exchange: %.2f ms for %.2f ms of wire time, ratio %.3f (target <= 1.05 x wire + 1 ms) "
        "%s\n",
        exchange * 1e3, wire * 1e3, exchange / wire, exchangeOk ? "ok" : "MISSED");
    std::printf("silent-wait CPU: %.3f ms, %.2f %% of the wait (target <= 2 %%) %s\n", cpu * 1e3,
                100.0 * cpu / wait, cpuOk ? "ok" : "MISSED");
    std::printf("silent wait: %.3f s (target 0.25 s to 1 s) %s\n", wait, waitOk ? "ok" : "MISSED");
    return exchangeOk && cpuOk && waitOk ? 0 : 1;
}
