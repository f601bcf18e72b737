// The program's end of the line, kept to plain descriptors so these tests do not lean on the
// serial code they are meant to serve.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>
#include <vector>

namespace qor::sim::testing {

class Port {
public:
    using Clock = std::chrono::steady_clock;

    explicit Port(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Port() { close(); }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    bool write(const std::string& text) {
        return ::write(fd_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }

    // One read as it arrives, waiting up to timeoutMs; "" on timeout or hang-up.
    std::string readChunk(int timeoutMs) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLIN)) return "";
        char buf[256];
        ssize_t n = ::read(fd_, buf, sizeof buf);
        return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : "";
    }

    // The reads that arrive until the text holds `semicolons` ";" or timeoutMs passes.
    std::vector<std::string> readChunks(int semicolons, int timeoutMs = 2000) {
        std::vector<std::string> chunks;
        int seen = 0;
        auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (seen < semicolons) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) break;
            std::string c = readChunk(static_cast<int>(left.count()));
            if (c.empty()) break;
            seen += static_cast<int>(std::count(c.begin(), c.end(), ';'));
            chunks.push_back(c);
        }
        return chunks;
    }

    std::string readUntil(int semicolons, int timeoutMs = 2000) {
        std::string all;
        for (const auto& c : readChunks(semicolons, timeoutMs)) all += c;
        return all;
    }

    // Everything that arrives within ms.
    std::string readFor(int ms) {
        std::string all;
        auto deadline = Clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) return all;
            std::string c = readChunk(static_cast<int>(left.count()));
            if (c.empty()) return all;
            all += c;
        }
    }

    std::string exchange(const std::string& command) {
        return write(command) ? readUntil(1) : "<write failed>";
    }

    // True when the line is gone: poll reports a hang-up, reading finds the end (what was
    // still waiting is lost with the line) and writing fails with EIO.
    bool hungUp(int timeoutMs = 1000) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0 || !(p.revents & POLLHUP)) return false;
        char buf[64];
        ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0 || (n < 0 && errno != EIO)) return false;
        return ::write(fd_, "*", 1) < 0 && errno == EIO;
    }

private:
    int fd_;
};

}  // namespace qor::sim::testing
