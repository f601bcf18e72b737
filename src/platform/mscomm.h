// The serial communications control: a port number, line settings, open/close, output, and a
// polled input buffer, over POSIX termios.
#pragma once

#include <termios.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

namespace qor {

// Raised when a port cannot be opened or settings cannot be parsed; callers trap it.
class CommError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class MSComm {
  public:
    // Maps a port number to a device path. The default reads QOR_COM<n>, else /dev/ttyS<n-1>.
    using PortMapper = std::function<std::string(int port)>;
    static std::string DefaultDevicePath(int port);

    // One poll of the input count stands for this much time while waiting for an answer.
    // 20 us x 32,000 polls = 0.64 s for a silent line.
    static constexpr std::chrono::nanoseconds kDefaultPollTime = std::chrono::microseconds(20);

    explicit MSComm(PortMapper mapper = DefaultDevicePath,
                    std::chrono::nanoseconds pollTime = kDefaultPollTime);
    ~MSComm();
    MSComm(const MSComm&) = delete;
    MSComm& operator=(const MSComm&) = delete;

    int CommPort() const { return port_; }
    void setCommPort(int port);  // CommError when the port is open or out of 1..99

    std::string Settings() const { return settings_; }
    void setSettings(const std::string& settings);  // "9600,n,8,1"; CommError when malformed
    // Puts settings into a raw termios; CommError when malformed. The port applies it on open.
    static void ToTermios(const std::string& settings, struct termios& tio);

    bool PortOpen() const { return fd_ >= 0; }
    void setPortOpen(bool open);  // CommError when the device is missing, busy or not serial

    // Queues the whole text for sending. CommError when the port is closed or the write fails.
    void setOutput(const std::string& text);
    // When the last character queued so far will have left the line: a write returns as soon as
    // the driver holds the text, but each character then takes its bits (start, data, parity,
    // stop) at the baud rate, after those queued before it. Where the driver says how much it
    // still holds, that counts too. A moment already past when the line is idle.
    std::chrono::steady_clock::time_point OutputDoneAt();
    // One character's time on the line at the current settings.
    std::chrono::nanoseconds CharTime() const { return charTime_; }

    // Characters waiting; 0 on a closed or hung-up port. Setting 0 discards them.
    int InBufferCount();
    void setInBufferCount(int count);

    // All waiting characters, "" when none.
    std::string Input();

    // The polling loops of the callers, in real time: waits until at least minCount characters
    // are waiting or maxPolls polls' worth of time has passed, sleeping in the kernel meanwhile.
    // Returns the count then waiting. A closed port returns 0 at once.
    int WaitForInput(int minCount, long maxPolls);
    int WaitForInputUntil(int minCount, std::chrono::steady_clock::time_point deadline);

    std::chrono::nanoseconds PollTime() const { return pollTime_; }
    std::string DevicePath() const { return devicePath_; }

  private:
    void applySettings();
    void closeFd();
    void hangUp();

    PortMapper mapper_;
    std::chrono::nanoseconds pollTime_;
    int port_ = 1;
    std::string settings_ = "9600,n,8,1";
    std::chrono::nanoseconds charTime_ = std::chrono::nanoseconds(1'000'000'000LL * 10 / 9600);
    std::chrono::steady_clock::time_point outputDoneAt_{};
    int fd_ = -1;
    std::string devicePath_;
    struct termios savedTio_ {};
    bool haveSavedTio_ = false;
};

}  // namespace qor
