#include "platform/mscomm.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace qor {

namespace {

struct LineSettings {
    long baud;
    speed_t speed;
    char parity;  // n e o m s
    int dataBits;
    int stopBits;  // 1 or 2 (1.5 is taken as 2, as termios can do no better)
};

speed_t SpeedFor(long baud) {
    switch (baud) {
        case 110:
            return B110;
        case 300:
            return B300;
        case 600:
            return B600;
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
        default:
            return B0;
    }
}

// "9600,n,8,1": baud, parity letter, data bits, stop bits.
LineSettings ParseSettings(const std::string& text) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : text) {
        if (c == ',') {
            parts.push_back(cur);
            cur.clear();
        } else if (c != ' ') {
            cur += c;
        }
    }
    parts.push_back(cur);
    if (parts.size() != 4) throw CommError("Invalid property value: " + text);
    auto number = [&](const std::string& s) -> long {
        if (s.empty() || s.size() > 7 ||
            !std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); }))
            throw CommError("Invalid property value: " + text);
        return std::stol(s);
    };
    LineSettings ls{};
    ls.baud = number(parts[0]);
    ls.speed = SpeedFor(ls.baud);
    if (ls.speed == B0) throw CommError("Invalid baud rate: " + parts[0]);
    if (parts[1].size() != 1) throw CommError("Invalid parity: " + parts[1]);
    ls.parity = static_cast<char>(std::tolower(static_cast<unsigned char>(parts[1][0])));
    if (std::string("neoms").find(ls.parity) == std::string::npos)
        throw CommError("Invalid parity: " + parts[1]);
    ls.dataBits = static_cast<int>(number(parts[2]));
    if (ls.dataBits < 5 || ls.dataBits > 8) throw CommError("Invalid data bits: " + parts[2]);
    if (parts[3] == "1")
        ls.stopBits = 1;
    else if (parts[3] == "1.5" || parts[3] == "2")
        ls.stopBits = 2;
    else
        throw CommError("Invalid stop bits: " + parts[3]);
    return ls;
}

// A start bit, the data bits, the parity bit when there is one, the stop bits.
std::chrono::nanoseconds CharTimeOf(const LineSettings& ls) {
    const long bits = 1 + ls.dataBits + (ls.parity == 'n' ? 0 : 1) + ls.stopBits;
    return std::chrono::nanoseconds(1'000'000'000LL * bits / ls.baud);
}

void ApplyToTermios(struct termios& tio, const LineSettings& ls) {
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
    tio.c_cflag &= ~CMSPAR;
#endif
    switch (ls.dataBits) {
        case 5:
            tio.c_cflag |= CS5;
            break;
        case 6:
            tio.c_cflag |= CS6;
            break;
        case 7:
            tio.c_cflag |= CS7;
            break;
        default:
            tio.c_cflag |= CS8;
            break;
    }
    if (ls.stopBits == 2) tio.c_cflag |= CSTOPB;
    switch (ls.parity) {
        case 'e':
            tio.c_cflag |= PARENB;
            break;
        case 'o':
            tio.c_cflag |= PARENB | PARODD;
            break;
#ifdef CMSPAR
        case 'm':
            tio.c_cflag |= PARENB | PARODD | CMSPAR;
            break;
        case 's':
            tio.c_cflag |= PARENB | CMSPAR;
            break;
#endif
        default:
            break;
    }
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, ls.speed);
    cfsetospeed(&tio, ls.speed);
}

timespec ToTimespec(std::chrono::nanoseconds d) {
    if (d.count() < 0) d = std::chrono::nanoseconds(0);
    timespec ts;
    ts.tv_sec = static_cast<time_t>(d.count() / 1000000000);
    ts.tv_nsec = static_cast<long>(d.count() % 1000000000);
    return ts;
}

// While fewer characters wait than asked for, the rest of the answer is on its way; looking
// again this often keeps an answer seen within well under a millisecond without spinning.
constexpr std::chrono::microseconds kTrickleRecheck(200);

}  // namespace

std::string MSComm::DefaultDevicePath(int port) {
    const std::string var = "QOR_COM" + std::to_string(port);
    if (const char* env = std::getenv(var.c_str()); env && *env) return env;
    return "/dev/ttyS" + std::to_string(port - 1);
}

MSComm::MSComm(PortMapper mapper, std::chrono::nanoseconds pollTime)
    : mapper_(std::move(mapper)), pollTime_(pollTime) {
    if (!mapper_) mapper_ = DefaultDevicePath;
}

MSComm::~MSComm() { closeFd(); }

void MSComm::setCommPort(int port) {
    if (PortOpen()) throw CommError("Port already open");
    if (port < 1 || port > 99) throw CommError("Invalid port number");
    port_ = port;
}

void MSComm::setSettings(const std::string& settings) {
    const LineSettings ls = ParseSettings(settings);  // validates before anything changes
    settings_ = settings;
    charTime_ = CharTimeOf(ls);
    if (PortOpen()) applySettings();
}

void MSComm::ToTermios(const std::string& settings, struct termios& tio) {
    ApplyToTermios(tio, ParseSettings(settings));
}

void MSComm::applySettings() {
    struct termios tio {};
    if (tcgetattr(fd_, &tio) != 0) throw CommError(std::string("tcgetattr: ") + strerror(errno));
    ToTermios(settings_, tio);
    if (tcsetattr(fd_, TCSANOW, &tio) != 0)
        throw CommError(std::string("tcsetattr: ") + strerror(errno));
}

void MSComm::setPortOpen(bool open) {
    if (!open) {
        closeFd();
        return;
    }
    if (PortOpen()) throw CommError("Port already open");
    const std::string path = mapper_(port_);
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw CommError("Port not available: " + path + ": " + strerror(errno));
    if (!isatty(fd)) {
        ::close(fd);
        throw CommError("Not a serial device: " + path);
    }
    // TIOCEXCL keeps out ordinary users; the advisory lock also keeps out a second copy of the
    // program running as root, which TIOCEXCL would let through.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
        const int err = errno;
        ::close(fd);
        throw CommError("Port in use: " + path + ": " + strerror(err));
    }
    haveSavedTio_ = tcgetattr(fd, &savedTio_) == 0;
    fd_ = fd;
    devicePath_ = path;
    try {
        applySettings();
    } catch (const CommError&) {
        closeFd();
        throw;
    }
    // Only stale input goes: output still queued by an earlier open of the line must reach the
    // device.
    tcflush(fd_, TCIFLUSH);
}

void MSComm::closeFd() {
    if (fd_ < 0) return;
    if (haveSavedTio_) tcsetattr(fd_, TCSANOW, &savedTio_);
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);  // also drops the advisory lock
    fd_ = -1;
    haveSavedTio_ = false;
}

// The device went away (cable pulled, simulator gone): the line reads as closed from now on, and
// the next open tries the device afresh.
void MSComm::hangUp() {
    haveSavedTio_ = false;  // nothing to restore on a line that is gone
    closeFd();
}

void MSComm::setOutput(const std::string& text) {
    if (!PortOpen()) throw CommError("Port not open");
    const auto queued = std::chrono::steady_clock::now();
    outputDoneAt_ = std::max(outputDoneAt_, queued) + charTime_ * static_cast<long>(text.size());
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            // The driver's queue is full: wait until it takes more, so the whole text is queued.
            pollfd p{fd_, POLLOUT, 0};
            const int r = ::poll(&p, 1, 1000);
            if (r > 0 && !(p.revents & (POLLHUP | POLLERR))) continue;
            if (r == 0) throw CommError("Write timed out");
        }
        const int err = errno;
        hangUp();
        throw CommError(std::string("Write failed: ") + strerror(err));
    }
}

std::chrono::steady_clock::time_point MSComm::OutputDoneAt() {
    int waiting = 0;
    if (PortOpen() && ioctl(fd_, TIOCOUTQ, &waiting) == 0 && waiting > 0)
        return std::max(outputDoneAt_, std::chrono::steady_clock::now() + charTime_ * waiting);
    return outputDoneAt_;
}

int MSComm::InBufferCount() {
    if (!PortOpen()) return 0;
    // A hung-up line reads as closed, whatever was left in it: the rest of that answer never comes.
    pollfd p{fd_, POLLIN, 0};
    int n = 0;
    if ((::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) ||
        ioctl(fd_, FIONREAD, &n) != 0) {
        hangUp();
        return 0;
    }
    return std::max(n, 0);
}

void MSComm::setInBufferCount(int count) {
    if (count != 0 || !PortOpen()) return;
    tcflush(fd_, TCIFLUSH);
}

std::string MSComm::Input() {
    std::string out;
    if (!PortOpen()) return out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // A raw line with no minimum count reads 0 when it is empty, so 0 is not an end of file;
        // a hang-up shows as EIO here and as POLLHUP in InBufferCount.
        if (n == 0 || errno == EAGAIN) break;
        hangUp();
        break;
    }
    return out;
}

int MSComm::WaitForInput(int minCount, long maxPolls) {
    return WaitForInputUntil(minCount,
                             std::chrono::steady_clock::now() + pollTime_ * std::max(maxPolls, 0L));
}

int MSComm::WaitForInputUntil(int minCount, std::chrono::steady_clock::time_point deadline) {
    using clock = std::chrono::steady_clock;
    for (;;) {
        const int count = InBufferCount();
        if (count >= minCount || !PortOpen()) return count;
        const auto now = clock::now();
        if (now >= deadline) return count;
        const auto remaining = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now);
        if (count > 0) {
            // Part of the text is here; the kernel wakes poll at once while anything waits, so
            // sleep a short while instead and look again.
            timespec ts =
                ToTimespec(std::min<std::chrono::nanoseconds>(remaining, kTrickleRecheck));
            ppoll(nullptr, 0, &ts, nullptr);
            continue;
        }
        pollfd p{fd_, POLLIN, 0};
        timespec ts = ToTimespec(remaining);
        const int r = ppoll(&p, 1, &ts, nullptr);
        if (r < 0 && errno != EINTR) return InBufferCount();
    }
}

}  // namespace qor
