#include "simamp.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iterator>
#include <thread>

namespace qor::sim {
namespace {

using Clock = std::chrono::steady_clock;

// A command longer than this is line noise, not a command; it is dropped.
constexpr std::size_t kMaxCommand = 512;

std::vector<std::string> SplitFields(const std::string& body) {
    std::vector<std::string> fields;
    std::string::size_type from = 0;
    for (;;) {
        auto comma = body.find(',', from);
        fields.push_back(body.substr(from, comma - from));
        if (comma == std::string::npos) return fields;
        from = comma + 1;
    }
}

// A decimal whole number with an optional sign and nothing else ("05", "-03", "+3").
bool ParseInt(const std::string& s, int& out) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == s.size() || s.size() - i > 9) return false;
    int v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    out = negative ? -v : v;
    return true;
}

bool ParseIndex(const std::string& s, int low, int high, int& out) {
    if (s.empty() || s[0] == '+' || s[0] == '-') return false;
    return ParseInt(s, out) && out >= low && out <= high;
}

int Tenths(const Preset& p) { return p.mhz * 10 + p.tenths; }

Preset FromTenths(int f) {
    f = std::clamp(f, kBandLow, kBandHigh);
    return Preset{f / 10, f % 10};
}

std::string Record(const std::vector<std::string>& fields) {
    std::string r = "*RT";
    for (const auto& f : fields) r += "," + f;
    return r + ";";
}

std::string FrequencyFields(const Preset& p) {
    if (p.empty) return ",";
    return std::to_string(p.mhz) + "," + std::to_string(p.tenths);
}

// The clock as it reads at `now`: the text it was set to, run on by the time since.
std::string ClockNow(const DeviceState& st, Clock::time_point now) {
    int d = 0, mo = 0, y = 0, h = 0, mi = 0, sec = 0;
    static constexpr char kForm[] = "00/00/0000 00:00:00";
    if (st.clock.size() != sizeof kForm - 1) return st.clock;
    for (std::size_t i = 0; i < st.clock.size(); ++i) {
        const char c = st.clock[i];
        if (kForm[i] == '0' ? c < '0' || c > '9' : c != kForm[i]) return st.clock;
    }
    std::sscanf(st.clock.c_str(), "%2d/%2d/%4d %2d:%2d:%2d", &d, &mo, &y, &h, &mi, &sec);
    const std::chrono::year_month_day set{std::chrono::year{y} / mo / d};
    if (!set.ok() || h > 23 || mi > 59 || sec > 59) return st.clock;
    const auto ran = std::chrono::floor<std::chrono::seconds>(
        std::max(now - st.clockSetAt, Clock::duration::zero()));
    const auto at = std::chrono::sys_seconds(std::chrono::sys_days(set)) + std::chrono::hours(h) +
                    std::chrono::minutes(mi) + std::chrono::seconds(sec) + ran;
    const auto day = std::chrono::floor<std::chrono::days>(at);
    const std::chrono::year_month_day date(day);
    const std::chrono::hh_mm_ss time(at - day);
    char text[64];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d %02d:%02d:%02d",
                  static_cast<unsigned>(date.day()), static_cast<unsigned>(date.month()),
                  static_cast<int>(date.year()), static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

// The next station above (up) or below the frequency, round the end of the band.
int SearchStation(int from, bool up) {
    const int* const first = std::begin(kStations);
    const int* const last = std::end(kStations);
    if (up) {
        const int* next = std::upper_bound(first, last, from);
        return next == last ? *first : *next;
    }
    const int* next = std::lower_bound(first, last, from);
    return next == first ? *(last - 1) : *(next - 1);
}

std::string ReadAnswer(const DeviceState& st, const std::vector<std::string>& f,
                       Clock::time_point now) {
    const bool tuner = st.modelCode != 1;
    if (f.size() == 2) {
        const std::string& item = f[1];
        if (item == "MODEL") return Record({"MODEL", "0", std::to_string(st.modelCode)});
        if (item == "VER") return Record({"VER", st.firmware});
        if (item == "TEMP")
            return Record({"TEMP", std::to_string(st.tempNow), std::to_string(st.tempMin),
                           std::to_string(st.tempMax), std::to_string(st.tempOffset),
                           std::to_string(st.tempStatus)});
        if (item == "CLK") return Record({"CLK", ClockNow(st, now)});
        return "";
    }
    if (f.size() != 3) return "";
    const std::string& item = f[1];
    int n = 0;
    if (item == "TUN")
        return tuner && f[2] == "SENS" ? Record({"TUN", "SENS", std::to_string(st.sensitivity)})
                                       : "";
    if (item == "GAIN")
        return ParseIndex(f[2], 1, 2, n) ? Record({"GAIN", f[2], std::to_string(st.gain[n])}) : "";
    if (item == "EVT") {
        if (!ParseIndex(f[2], 1, 16, n)) return "";
        const std::string& ev = st.events[n];
        return Record({"EVT", f[2], ev.empty() ? std::string(kClearedEvent) : ev});
    }
    if (item == "PRES")
        return tuner && ParseIndex(f[2], 1, 6, n)
                   ? Record({"PRES", f[2], FrequencyFields(st.presets[n])})
                   : "";
    if (!ParseIndex(f[2], 1, 4, n)) return "";
    const ZoneState& z = st.zones[n];
    if (item == "ON") return Record({"ON", z.on ? "1" : "0"});
    if (item == "VOL") return Record({"VOL", f[2], std::to_string(z.volume)});
    if (item == "LOW") return Record({"LOW", f[2], std::to_string(z.bass)});
    if (item == "HIGH") return Record({"HIGH", f[2], std::to_string(z.treble)});
    if (item == "VOLMAX") return Record({"VOLMAX", f[2], std::to_string(z.volMax)});
    if (item == "SRC") return Record({"SRC", f[2], std::to_string(z.source)});
    if (item == "LINK") return Record({"LINK", f[2], std::to_string(z.link)});
    return "";
}

void SetClock(DeviceState& st, const std::vector<std::string>& f, Clock::time_point now) {
    // CLK,SET,DD,MM,YYYY,hh,mm,ss
    if (f.size() != 8) return;
    int v[6];
    for (int i = 0; i < 6; ++i)
        if (!ParseIndex(f[i + 2], 0, 9999, v[i])) return;
    if (v[1] < 1 || v[1] > 12 || v[2] < 1 || v[3] > 23 || v[4] > 59 || v[5] > 59) return;
    if (!std::chrono::year_month_day(std::chrono::year{v[2]} / v[1] / v[0]).ok()) return;
    char text[64];  // room for any int, so the compiler can see nothing is cut
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", v[0], v[1], v[2], v[3], v[4],
                  v[5]);
    st.clock = text;
    st.clockSetAt = now;
}

void SetTuner(DeviceState& st, const std::vector<std::string>& f) {
    if (st.modelCode == 1) return;  // no tuner in this model
    int n = 0;
    if (f.size() == 2 && (f[1] == "1" || f[1] == "2")) {
        st.frequency = FromTenths(Tenths(st.frequency) + (f[1] == "1" ? 1 : -1));
    } else if (f.size() == 3 && f[1] == "SEARCH" && (f[2] == "1" || f[2] == "2")) {
        st.frequency = FromTenths(SearchStation(Tenths(st.frequency), f[2] == "1"));
    } else if (f.size() == 3 && f[1] == "PRES" && ParseIndex(f[2], 1, 6, n)) {
        if (!st.presets[n].empty) st.frequency = st.presets[n];
    } else if (f.size() == 3 && f[1] == "MEM" && ParseIndex(f[2], 1, 6, n)) {
        st.presets[n] = st.frequency;
    } else if (f.size() == 3 && f[1] == "SENS" && ParseIndex(f[2], 1, 3, n)) {
        st.sensitivity = n;
    } else if (f.size() == 4 && f[1] == "FREQ") {
        int mhz = 0, tenths = 0;
        if (ParseIndex(f[2], 0, 999, mhz) && ParseIndex(f[3], 0, 9, tenths))
            st.frequency = FromTenths(mhz * 10 + tenths);
    }
}

void SetEvent(DeviceState& st, const std::vector<std::string>& f) {
    int n = 0;
    if (f.size() == 3 && f[1] == "CLR" && ParseIndex(f[2], 1, 16, n)) {
        st.events[n] = kClearedEvent;
    } else if (f.size() >= 4 && f[1] == "SET" && ParseIndex(f[2], 1, 16, n)) {
        std::string fields = f[3];
        for (std::size_t i = 4; i < f.size(); ++i) fields += "," + f[i];
        st.events[n] = fields;
    }
}

void ApplySet(DeviceState& st, const std::vector<std::string>& f, Clock::time_point now) {
    const std::string& word = f[0];
    int z = 0, v = 0, literal = 0;
    if (word == "CLK") {
        if (f.size() >= 2 && f[1] == "SET") SetClock(st, f, now);
    } else if (word == "TEMP") {
        if (f.size() != 3 || !ParseInt(f[2], v)) return;
        if (f[1] == "MIN") st.tempMin = v;
        if (f[1] == "MAX") st.tempMax = v;
        if (f[1] == "CAL") st.tempOffset = v;
    } else if (word == "TUN") {
        SetTuner(st, f);
    } else if (word == "EVT") {
        SetEvent(st, f);
    } else if (word == "GAIN") {
        if (f.size() == 3 && ParseIndex(f[1], 1, 2, z) && ParseInt(f[2], v))
            st.gain[z] = std::clamp(v, 0, kGainCeiling);
    } else if (f.size() >= 2 && ParseIndex(f[1], 1, 4, z)) {
        ZoneState& zone = st.zones[z];
        if (f.size() == 2 && word == "ON") zone.on = true;
        if (f.size() == 2 && word == "OFF") zone.on = false;
        if (f.size() == 3 && word == "MAX" && ParseInt(f[2], v)) {
            zone.volMax = std::clamp(v, 0, kVolMaxCeiling);
            zone.volume = std::min(zone.volume, zone.volMax);
        }
        if (f.size() == 3 && word == "SRC" && ParseIndex(f[2], 1, 2, v)) zone.source = v;
        if (f.size() == 3 && word == "LINK" && ParseIndex(f[2], 0, 1, v)) zone.link = v ? 1 : 2;
        // The second value of the level commands is a fixed field; it need only be a number.
        if (f.size() == 4 && ParseInt(f[2], literal) && ParseInt(f[3], v)) {
            if (word == "VOL") zone.volume = std::clamp(v, 0, zone.volMax);
            if (word == "LOW") zone.bass = std::clamp(v, kToneMin, kToneMax);
            if (word == "HIGH") zone.treble = std::clamp(v, kToneMin, kToneMax);
        }
    }
}

// Ten bits a character: start, eight data bits, stop.
Clock::duration CharTime(int baud) {
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(10'000'000'000LL / baud));
}

void SleepUntil(Clock::time_point t) {
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
    timespec ts{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

// Splits text into `pieces` runs of near-equal length (fewer when the text is shorter).
std::vector<std::string> Pieces(const std::string& text, int pieces) {
    std::size_t count =
        std::clamp<std::size_t>(pieces > 1 ? pieces : 1, 1, std::max<std::size_t>(text.size(), 1));
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t k = 0; k < count; ++k) {
        std::size_t to = text.size() * (k + 1) / count;
        out.push_back(text.substr(from, to - from));
        from = to;
    }
    return out;
}

std::string Shape(std::string answer, const Misbehaviour& m) {
    if (m.garbage) {
        static const char junk[] = "#%&@!?~^$=";
        for (std::size_t i = 0; i < answer.size(); ++i) answer[i] = junk[i % (sizeof junk - 1)];
    }
    if (m.noClosingSemicolon && !answer.empty() && answer.back() == ';') answer.pop_back();
    if (m.strayByteFirst) answer.insert(answer.begin(), '\x7f');
    return answer;
}

}  // namespace

std::string Answer(DeviceState& state, const std::string& command, Clock::time_point now) {
    if (command.size() < 3 || command.front() != '*' || command.back() != ';') return "";
    std::string body = command.substr(1, command.size() - 2);
    if (body.find_first_of("*;") != std::string::npos) return "";
    auto fields = SplitFields(body);
    if (fields[0] == "RD") return ReadAnswer(state, fields, now);
    if (fields.size() == 2 && fields[0] == "TUN" && fields[1] == "FREQ")
        return state.modelCode == 1 ? ""
                                    : Record({"TUN", "FREQ", FrequencyFields(state.frequency)});
    ApplySet(state, fields, now);
    return "";
}

struct SimAmp::Impl {
    mutable std::mutex mu;  // state, misbehaviour, log, paths
    mutable std::condition_variable cv;
    DeviceState state;
    Misbehaviour mis;
    std::vector<std::string> log;
    std::string slavePath, linkPath;
    bool linkMade = false;

    std::mutex wireMu;  // one writer at a time; guards the two line descriptors
    int master = -1;
    int slave = -1;
    int wake[2] = {-1, -1};
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<bool> running{false};

    void Loop();
    bool Handle(const std::string& command);
    void Deliver(const std::string& bytes, const Misbehaviour& m);
    bool Write(const std::string& bytes);
    bool Wait(Clock::time_point until);
    void CloseLine();
    void StopThread();
    bool MakeLink(const std::string& path, const std::string& target);
};

bool SimAmp::Impl::Write(const std::string& bytes) {
    std::lock_guard lock(wireMu);
    std::size_t done = 0;
    auto giveUp = Clock::now() + std::chrono::milliseconds(500);
    while (done < bytes.size()) {
        if (master < 0) return false;
        ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return false;
        // Nobody reads the other end and its buffer is full: what waits there is stale, so
        // it goes, as a real line would overrun. Should that not help, the rest is dropped.
        if (Clock::now() >= giveUp) return false;
        if (slave >= 0) ::tcflush(slave, TCIFLUSH);
        pollfd p{master, POLLOUT, 0};
        ::poll(&p, 1, 20);
    }
    return true;
}

bool SimAmp::Impl::Wait(Clock::time_point until) {
    std::unique_lock lock(mu);
    return !cv.wait_until(lock, until, [&] { return stopping.load(); });
}

void SimAmp::Impl::CloseLine() {
    running = false;
    std::lock_guard lock(wireMu);
    for (int* fd : {&master, &slave, &wake[0], &wake[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

void SimAmp::Impl::StopThread() {
    {
        std::lock_guard lock(mu);
        stopping = true;
    }
    cv.notify_all();
    if (wake[1] >= 0) {
        char c = 0;
        [[maybe_unused]] ssize_t n = ::write(wake[1], &c, 1);
    }
    if (thread.joinable()) thread.join();
    stopping = false;
}

bool SimAmp::Impl::MakeLink(const std::string& path, const std::string& target) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) return false;
    // Made under a side name and renamed over the old link, so the path is never missing.
    std::string side = path + ".new" + std::to_string(::getpid());
    ::unlink(side.c_str());
    if (::symlink(target.c_str(), side.c_str()) != 0) return false;
    if (::rename(side.c_str(), path.c_str()) != 0) {
        ::unlink(side.c_str());
        return false;
    }
    return true;
}

void SimAmp::Impl::Loop() {
    std::string command;
    bool inCommand = false;
    // On a paced line: when the last character read will have arrived. Text written back to back
    // comes in one character time per character, after what came before it, however fast it
    // reached the pseudo-terminal; each command is taken when its ";" has arrived.
    Clock::time_point lineFree{};
    char buf[512];
    for (;;) {
        pollfd p[2] = {{master, POLLIN, 0}, {wake[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (p[1].revents != 0 || stopping) break;
        // Anything but input here is an error or a hang-up: there is nothing left to answer.
        if (!(p[0].revents & POLLIN)) break;
        ssize_t n = ::read(master, buf, sizeof buf);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) break;
        const auto now = Clock::now();
        int baud = 0;
        {
            std::lock_guard lock(mu);
            baud = mis.paceBaud;
        }
        const auto charTime = baud > 0 ? CharTime(baud) : Clock::duration::zero();
        for (ssize_t i = 0; i < n; ++i) {
            char c = buf[i];
            lineFree = std::max(lineFree, now) + charTime;
            if (c == '*') {
                // A new start drops any unfinished command: the device resynchronises on "*".
                command.assign(1, c);
                inCommand = true;
            } else if (inCommand) {
                command += c;
                if (c == ';') {
                    inCommand = false;
                    if (baud > 0 && lineFree > Clock::now() && !Wait(lineFree)) return;
                    if (!Handle(command)) return;
                } else if (command.size() > kMaxCommand) {
                    inCommand = false;
                }
            }
        }
    }
    running = false;
}

bool SimAmp::Impl::Handle(const std::string& command) {
    std::string answer;
    Misbehaviour m;
    {
        std::lock_guard lock(mu);
        log.push_back(command);
        answer = Answer(state, command, Clock::now());
        m = mis;
        mis.hangUpOnNextCommand = false;
    }
    cv.notify_all();
    if (m.silent) answer.clear();
    std::string bytes = answer.empty() ? std::string() : Shape(answer, m);
    if (m.hangUpOnNextCommand) {
        std::string half = bytes.substr(0, bytes.size() / 2);
        if (!half.empty() && Write(half)) {
            // Hanging up throws away what the reader has not taken yet, so give it a moment
            // to take the half answer first.
            auto now = Clock::now();
            auto earliest = now + std::chrono::milliseconds(20);
            auto latest = now + std::chrono::milliseconds(250);
            while (Wait(std::min(now + std::chrono::milliseconds(2), latest))) {
                now = Clock::now();
                int waiting = 0;
                if (now >= latest ||
                    (now >= earliest && (::ioctl(slave, TIOCINQ, &waiting) != 0 || waiting == 0)))
                    break;
            }
        }
        // The caller's poll and read must see the hang-up, so both ends go. Not running any
        // more before that, so whoever sees the hang-up also sees it reported.
        running = false;
        std::lock_guard lock(wireMu);
        for (int* fd : {&master, &slave}) {
            if (*fd >= 0) ::close(*fd);
            *fd = -1;
        }
        return false;
    }
    if (!bytes.empty()) Deliver(bytes, m);
    return !stopping;
}

void SimAmp::Impl::Deliver(const std::string& bytes, const Misbehaviour& m) {
    auto start = Clock::now();
    if (m.paceBaud <= 0 && m.turnaroundUs > 0) start += std::chrono::microseconds(m.turnaroundUs);
    if (m.lateMs > 0) start += std::chrono::milliseconds(m.lateMs);
    if (start > Clock::now() && !Wait(start)) return;
    const auto gap = std::chrono::milliseconds(std::max(m.splitGapMs, 0));
    auto pieces = Pieces(bytes, m.splitPieces);
    if (m.paceBaud > 0) {
        // The command has arrived whole by now. Deadlines are absolute, so time spent writing
        // does not add up.
        const auto charTime = CharTime(m.paceBaud);
        auto next = start;
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            if (k > 0) next += gap;
            for (char c : pieces[k]) {
                next += charTime;
                SleepUntil(next);
                if (stopping || !Write(std::string(1, c))) return;
            }
        }
        return;
    }
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (k > 0 && !Wait(Clock::now() + gap)) return;
        if (!Write(pieces[k])) return;
    }
}

SimAmp::SimAmp(DeviceState initial) : impl_(std::make_unique<Impl>()) {
    if (initial.clockSetAt == Clock::time_point{}) initial.clockSetAt = Clock::now();
    impl_->state = std::move(initial);
}

SimAmp::~SimAmp() { stop(); }

bool SimAmp::start(const std::string& linkPath) {
    Impl& d = *impl_;
    d.StopThread();
    d.CloseLine();

    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0) return false;
    char name[128];
    int slave = -1;
    if (::grantpt(master) == 0 && ::unlockpt(master) == 0 &&
        ::ptsname_r(master, name, sizeof name) == 0) {
        // Held open for the whole run: without it the master sees a hang-up each time the
        // program closes its port.
        slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    termios t{};
    if (slave < 0 || ::tcgetattr(slave, &t) != 0) {
        if (slave >= 0) ::close(slave);
        ::close(master);
        return false;
    }
    ::cfmakeraw(&t);
    ::tcsetattr(slave, TCSANOW, &t);

    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::close(slave);
        ::close(master);
        return false;
    }
    {
        std::lock_guard lock(d.wireMu);
        d.master = master;
        d.slave = slave;
        d.wake[0] = wake[0];
        d.wake[1] = wake[1];
    }
    {
        std::lock_guard lock(d.mu);
        d.slavePath = name;
        if (!linkPath.empty()) d.linkPath = linkPath;
        d.linkMade = false;
        if (!d.linkPath.empty()) {
            if (!d.MakeLink(d.linkPath, name)) {
                d.linkPath.clear();
                d.CloseLine();
                return false;
            }
            d.linkMade = true;
        }
    }
    d.running = true;
    d.thread = std::thread([&d] { d.Loop(); });
    return true;
}

void SimAmp::stop() {
    Impl& d = *impl_;
    d.StopThread();
    d.CloseLine();
    std::lock_guard lock(d.mu);
    if (d.linkMade) {
        struct stat st {};
        if (::lstat(d.linkPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            ::unlink(d.linkPath.c_str());
    }
    d.linkMade = false;
    d.linkPath.clear();
}

void SimAmp::hangUp() {
    impl_->StopThread();
    impl_->CloseLine();
}

std::string SimAmp::devicePath() const {
    std::lock_guard lock(impl_->mu);
    return impl_->linkMade ? impl_->linkPath : impl_->slavePath;
}

std::string SimAmp::slavePath() const {
    std::lock_guard lock(impl_->mu);
    return impl_->slavePath;
}

bool SimAmp::running() const { return impl_->running; }

std::vector<std::string> SimAmp::log() const {
    std::lock_guard lock(impl_->mu);
    return impl_->log;
}

void SimAmp::clearLog() {
    std::lock_guard lock(impl_->mu);
    impl_->log.clear();
}

std::vector<std::string> SimAmp::takeLog() {
    std::lock_guard lock(impl_->mu);
    std::vector<std::string> out;
    out.swap(impl_->log);
    return out;
}

bool SimAmp::waitForLog(std::size_t n, int timeoutMs) const {
    std::unique_lock lock(impl_->mu);
    return impl_->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return impl_->log.size() >= n; });
}

DeviceState SimAmp::state() const {
    std::lock_guard lock(impl_->mu);
    return impl_->state;
}

void SimAmp::setState(const DeviceState& s) {
    std::lock_guard lock(impl_->mu);
    // A new clock text without a moment of its own starts running now.
    const bool restart = s.clockSetAt == Clock::time_point{} ||
                         (s.clock != impl_->state.clock && s.clockSetAt == impl_->state.clockSetAt);
    impl_->state = s;
    if (restart) impl_->state.clockSetAt = Clock::now();
}

void SimAmp::setMisbehaviour(const Misbehaviour& m) {
    std::lock_guard lock(impl_->mu);
    impl_->mis = m;
}

void SimAmp::sendRds(const std::string& text) { sendRaw("*RT,TUN,RDS,TXT," + text + ";"); }

void SimAmp::sendRaw(const std::string& bytes) { impl_->Write(bytes); }

}  // namespace qor::sim
