// A simulated amplifier on a pseudo-terminal. It answers the read requests of the command set,
// changes its state on set commands, can send RDS text unasked and can misbehave on purpose.
// It runs on a thread of its own, so a single-threaded program can talk to it as to a device.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qor::sim {

struct ZoneState {
    bool on = false;
    int volume = 40;
    int bass = 0;
    int treble = 0;
    int volMax = 80;
    int source = 1;  // 1 aux, 2 tuner
    int link = 2;    // 1 linked, 2 not linked
};

struct Preset {
    int mhz = 88;
    int tenths = 8;
    // A preset that never held a station answers its read with empty fields ("*RT,PRES,3,,;")
    // and selecting it leaves the tuner where it is; storing fills it.
    bool empty = false;
};

struct DeviceState {
    int modelCode = 2;  // 1: "QOR 81", 2: "QOR 82"; anything else is answered as given
    std::string firmware = "V2.14";
    std::array<ZoneState, 5> zones{};  // 1..4
    std::array<int, 3> gain{};         // 1..2
    // Temperature: current, minimum, maximum, (unread), status
    int tempNow = 45, tempMin = 70, tempMax = 90, tempOffset = 0, tempStatus = 0;
    // The clock as last set, "DD/MM/YYYY hh:mm:ss", and when: it runs on from there. A text in
    // another form is answered as it stands and does not run. setState() starts a new text
    // running at once unless clockSetAt is changed with it.
    std::string clock = "01/01/2026 12:00:00";
    std::chrono::steady_clock::time_point clockSetAt{};
    std::array<std::string, 17> events{};  // 1..16: fields as in "*EVT,SET," n "," ... ";"
    std::array<Preset, 7> presets{};       // 1..6
    Preset frequency{};
    int sensitivity = 1;  // 1 High, 2 Mid, 3 Low
};

struct Misbehaviour {
    bool silent = false;  // answer nothing
    int lateMs = 0;       // answer this much later
    // A device takes a moment to answer; the program empties its input after sending, so an
    // answer faster than that would be thrown away. 20 ms, about a short command's wire time and
    // more than a busy machine takes from sending to emptying. Not applied when pacing at a baud
    // rate, where the command's own wire time makes the gap.
    int turnaroundUs = 20000;
    int splitPieces = 0;  // >1: send the answer in this many pieces...
    int splitGapMs = 5;   // ...this far apart
    bool noClosingSemicolon = false;
    bool strayByteFirst = false;  // one junk byte (0x7F) before each answer
    bool garbage = false;         // answer with junk bytes instead of a record
    // >0: a line at this baud rate both ways, ten bits a character. Commands come in one
    // character time per character, one after the other, and each is taken (logged, applied,
    // answered) when its last character has arrived; the answer goes out at the same pace.
    int paceBaud = 0;
    bool hangUpOnNextCommand = false;  // hang up mid-answer: half the answer, then close the line
    // (It applies to the next command whatever it is, and clears itself; a set command gets
    // no half answer, only the hang-up.)
};

class SimAmp {
  public:
    explicit SimAmp(DeviceState initial = {});
    ~SimAmp();
    SimAmp(const SimAmp&) = delete;
    SimAmp& operator=(const SimAmp&) = delete;

    // Opens a pseudo-terminal and starts answering. With linkPath, also makes a symbolic link
    // there to the device (replacing a link already there, never another kind of file); without
    // it, after a hang-up, the link made before is moved to the new device. False when no
    // pseudo-terminal can be had or the link cannot be made. A running device is restarted.
    bool start(const std::string& linkPath = "");
    // Closes the line and removes the link, if start() made one. Also done on destruction.
    void stop();
    // The device path to give to QOR_COM<n> (the link when one was made).
    std::string devicePath() const;
    // The pseudo-terminal itself ("/dev/pts/N"), whether or not a link was made.
    std::string slavePath() const;
    // True from start() until stop() or a hang-up.
    bool running() const;

    // Every command received, in order, each a whole "*...;" text.
    std::vector<std::string> log() const;
    void clearLog();
    // The log so far, emptied in the same step, so a long run does not keep every command.
    std::vector<std::string> takeLog();
    // Waits up to timeoutMs until the log holds at least n commands.
    bool waitForLog(std::size_t n, int timeoutMs = 2000) const;

    DeviceState state() const;
    void setState(const DeviceState& s);
    void setMisbehaviour(const Misbehaviour& m);

    // Sends an RDS record unasked: "*RT,TUN,RDS,TXT," text ";".
    void sendRds(const std::string& text);
    // Sends raw bytes unasked.
    void sendRaw(const std::string& bytes);
    // Closes the line as an unplugged device would; start() again gives a new device (and moves
    // the link, when one was made).
    void hangUp();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Bass and treble are held within these limits; volume within 0 and the zone's maximum volume,
// the maximum volume within 0 and kVolMaxCeiling, pregains within 0 and kGainCeiling.
inline constexpr int kToneMin = -15;
inline constexpr int kToneMax = 15;
inline constexpr int kVolMaxCeiling = 100;
inline constexpr int kGainCeiling = 30;
// What a cleared clock event reads back as: no days, 00:00, zone 0, off, source 1, volume 00.
inline constexpr const char* kClearedEvent = "0000000,00,00,0,0,1,00,0";
// The tuner: one step of "*TUN,1;" / "*TUN,2;" is 0.1 MHz within 87.5 to 108.0 MHz; a search
// goes to the next or previous of these stations (tenths of a MHz), round the band's end.
inline constexpr int kBandLow = 875;
inline constexpr int kBandHigh = 1080;
inline constexpr int kStations[] = {893, 917, 945, 985, 1012, 1048, 1071};

// The answer the device gives to one command ("" for set commands and unknown texts), applying
// set commands to the state, at the moment `now`: the clock reads as set plus now - clockSetAt.
// Pure, for tests and for the pseudo-terminal loop.
std::string Answer(DeviceState& state, const std::string& command,
                   std::chrono::steady_clock::time_point now = {});

}  // namespace qor::sim
