// The device snapshot against the simulated amplifier over a real pseudo-terminal, each test in
// its own program folder.
#include "config/snapshot.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <functional>
#include <map>
#include <thread>

#include "link/commands.h"
#include "simamp.h"
#include "support/device_fixture.h"
#include "support/files.h"

namespace qor {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ReadBytes;
using test::WriteBytes;

// Splits a file into its lines, failing the test on any line end but CR LF.
Lines FileLines(const fs::path& p) {
    const std::string bytes = ReadBytes(p);
    EXPECT_TRUE(bytes.empty() || bytes.ends_with("\r\n")) << "last line has no CR LF";
    Lines lines;
    for (std::size_t from = 0, end; (end = bytes.find("\r\n", from)) != std::string::npos;
         from = end + 2) {
        lines.push_back(bytes.substr(from, end - from));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
    }
    return lines;
}

// The key lines of one section, up to the next separator.
Lines SectionLines(const Lines& file, const std::string& header) {
    auto it = std::find(file.begin(), file.end(), "[" + header + "]");
    if (it == file.end()) ADD_FAILURE() << "no section " << header;
    Lines out;
    for (; it != file.end() && ++it != file.end() && *it != " ";) out.push_back(*it);
    return out;
}

Lines Headers(const Lines& file) {
    Lines out;
    std::copy_if(file.begin(), file.end(), std::back_inserter(out),
                 [](const std::string& l) { return l.starts_with("["); });
    return out;
}

// Each read for zones (or presets) `from` to `to`, in order; several reads run one after another.
Lines Reads(std::initializer_list<std::string (*)(int)> reads, int from = 1, int to = 4) {
    Lines out;
    for (auto* read : reads)
        for (int n = from; n <= to; ++n) out.push_back(read(n));
    return out;
}

Lines Concat(std::initializer_list<Lines> parts) {
    Lines out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

const Lines kLevelReads = Reads({cmd::RdVol, cmd::RdHigh, cmd::RdLow, cmd::RdVolMax});
const Lines kPresetReads = Reads({cmd::RdPres}, 1, 6);

sim::DeviceState TunerAmp() {
    sim::DeviceState d;
    d.zones[1] = {.on = true, .volume = 35, .bass = -3, .treble = 4, .volMax = 70, .source = 2};
    d.zones[2] = {.volume = 20, .treble = -10, .source = 1};
    d.zones[3] = {
        .on = true, .volume = 50, .bass = 2, .treble = 1, .volMax = 90, .source = 2, .link = 1};
    d.gain = {0, 5, 12};
    d.presets = {sim::Preset{}, {92, 4}, {101, 5}, {88, 8}, {104, 0}, {101, 5}, {107, 9}};
    d.frequency = {101, 5};
    d.sensitivity = 2;
    return d;
}

// A real device's answer cannot overtake the flush that follows the command, since the command
// itself takes milliseconds on the wire; the pseudo-terminal has no wire, so the simulator waits.
const sim::Misbehaviour kPrompt{.lateMs = 3};

// Answers the simulator would never give, then back to the prompt device.
struct Responder : test::Responder {
    Responder(sim::SimAmp& amp, std::map<std::string, std::string> script)
        : test::Responder(amp, std::move(script), kPrompt) {}
};

class SnapshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        ASSERT_TRUE(amp.start());
        amp.setMisbehaviour(kPrompt);
        auto& vq = state.vq;
        vq.DeviceModel = "QOR 82";
        vq.PresetName = {"", "Radio 1", "Jazz FM", "", "Classic", "Radio 1 bis", "News"};
        vq.ZoneName = {"", "Kitchen", "Living", "", "Caf\xE9"};
        vq.TunerSensitivity = "High";
        vq.TempMin = "5";
        vq.TempMax = "60";
        vq.TempOffset = "-2";
    }

    SnapshotResult Take(SnapshotVariant variant) {
        SnapshotHooks h;
        h.status = [this](const std::string& s) { statuses.push_back(s); };
        h.busy = [this](bool on) { events.push_back(on ? "busy on" : "busy off"); };
        h.managerText = [this]() { return hasBox ? &box : nullptr; };
        h.now = [this] { return today; };
        h.afterRead = [this] { events.push_back("after read"); };
        return TakeSnapshot(variant, link, state, dir.path(), h);
    }
    fs::path UserIni() const { return dir / "user.ini"; }
    void SetModel(int code, const char* name) {
        auto d = amp.state();
        d.modelCode = code;
        amp.setState(d);
        state.vq.DeviceModel = name;
    }

    test::TempFolder dir;
    sim::SimAmp amp{TunerAmp()};
    bool deviceAttached = true;
    SharedState state;
    MSComm comm{[this](int port) {
                    return port == 1 && deviceAttached ? amp.devicePath() : "/nonexistent/qor";
                },
                test::kTestPoll};
    Link link{comm, state};
    Lines events, statuses;  // events: "busy on", "busy off", "after read"
    std::string box;
    bool hasBox = false;
    DateTime today{2026, 12, 1, 9, 30, 0};
};

// Every snapshot ends with a read, which the simulator logged before it answered, so the log is
// complete when the snapshot returns.
TEST_F(SnapshotTest, StartupOnTheTunerModelWritesEverySectionInOrder) {
    const SnapshotResult r = Take(SnapshotVariant::Startup);
    EXPECT_EQ(r.outcome, SnapshotOutcome::Written) << r.error;
    // clang-format off
    EXPECT_EQ(FileLines(UserIni()), (Lines{
        "[Tuner_Freq]", "Preset1_Freq=92.4", "Preset2_Freq=101.5", "Preset3_Freq=88.8",
        "Preset4_Freq=104.0", "Preset5_Freq=101.5", "Preset6_Freq=107.9",
        " ", "[Tuner_Name]", "Preset1_Name=Radio 1", "Preset2_Name=Jazz FM", "Preset3_Name=",
        "Preset4_Name=Classic", "Preset5_Name=Radio 1 bis", "Preset6_Name=News",
        " ", "[Tuner_Select]", "Tuner_Preset=2", "Tuner_Preset=5",  // both on the current 101.5
        " ", "[Tuner_Sensitivity]", "Tuner_sensitivity=Mid",
        " ", "[Zone_Name]", "Zone1_Name=Kitchen", "Zone2_Name=Living", "Zone3_Name=", "Zone4_Name=Caf\xE9",
        " ", "[Zone_Volume]", "Zone1_Volume=35", "Zone2_Volume=20", "Zone3_Volume=50", "Zone4_Volume=40",
        " ", "[Zone_High]", "Zone1_High=4", "Zone2_High=-10", "Zone3_High=1", "Zone4_High=0",
        " ", "[Zone_Low]", "Zone1_Low=-3", "Zone2_Low=0", "Zone3_Low=2", "Zone4_Low=0",
        " ", "[Zone_Max_Vol]", "Zone1_MaxVol=70", "Zone2_MaxVol=80", "Zone3_MaxVol=90", "Zone4_MaxVol=80",
        " ", "[Zone_Pregain_Aux]", "Zone_PregainAux=5",
        " ", "[Zone_Pregain_Tuner]", "Zone_PregainTuner=12",
        " ", "[Zone_ONOFF]", "Zone1_ONOFF=True", "Zone2_ONOFF=False", "Zone3_ONOFF=True", "Zone4_ONOFF=False",
        "Zone1_ONOFF=True", "Zone2_ONOFF=False", "Zone3_ONOFF=True", "Zone4_ONOFF=False",
        " ", "[Zone_Source]", "Zone1_Source=TUNER", "Zone2_Source=AUX", "Zone3_Source=TUNER", "Zone4_Source=AUX",
        " ", "[Zone_Link]", "Zone2_Link=N", "Zone3_Link=Y", "Zone4_Link=N",
        " ", "[Temperature]", "Temperature_Min=5", "Temperature_Max=60", "Temperature_Offset=-2"}));
    EXPECT_EQ(amp.log(), Concat({kPresetReads, {cmd::TunFreqRead(), cmd::RdTunSens()}, kLevelReads,
                                 {cmd::RdGain(1), cmd::RdGain(2)}, Reads({cmd::RdOn, cmd::RdSrc}),
                                 Reads({cmd::RdLink}, 2)}));
    EXPECT_EQ(statuses, (Lines{
        "Reading ... tuner (frequency) ", "*RT,PRES,1,92,4;", "*RT,PRES,2,101,5;", "*RT,PRES,3,88,8;",
        "*RT,PRES,4,104,0;", "*RT,PRES,5,101,5;", "*RT,PRES,6,107,9;", "Reading ... tuner (names) ",
        "Reading ... tuner (selections) ", "Reading ... tuner (sensistivity) ",
        "Writing registered zone names ", "Reading ... zone volumes ",
        "Reading ... zone high tone settings  ", "Reading ... zone low tone settings  ",
        "Reading ... zone maximum volume  ", "Reading ... pregain settings  ",
        "Reading ... zone ON/OFF settings  ", "Reading ... zone sources ",
        "Reading ... zone info linking  ", ""}));
    // clang-format on
    EXPECT_EQ(events, (Lines{"busy on", "busy off"}));
    EXPECT_EQ(state.vq.TunerSensitivity, "Mid");
    EXPECT_EQ(state.vq.ZoneOn, (std::array<bool, 5>{false, true, false, true, false}));
    // No file before: nothing to keep a copy of.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(SnapshotTest, TheModelWithoutTunerIsReadWithoutTunerAtStartUpOnly) {
    SetModel(1, "qor 81");
    Take(SnapshotVariant::Startup);
    Lines file = FileLines(UserIni());
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(file.front(), " ");
    EXPECT_EQ(Headers(file), (Lines{"[Zone_Name]", "[Zone_Volume]", "[Zone_High]", "[Zone_Low]",
                                    "[Zone_Max_Vol]", "[Zone_Pregain_Aux]", "[Zone_ONOFF]",
                                    "[Zone_Source]", "[Zone_Link]", "[Temperature]"}));
    EXPECT_EQ(SectionLines(file, "Zone_Pregain_Aux"), Lines{"Zone_PregainAux=5"});
    EXPECT_EQ(amp.takeLog(), Concat({kLevelReads,
                                     {cmd::RdGain(1)},
                                     Reads({cmd::RdOn, cmd::RdSrc}),
                                     Reads({cmd::RdLink}, 2)}));
    EXPECT_EQ(state.vq.TunerSensitivity, "High");
    EXPECT_EQ(statuses[1], "Writing registered zone names ");

    // The INI manager's read asks the tuner all the same, and stores nothing in its presets.
    Take(SnapshotVariant::ManagerRead);
    file = FileLines(UserIni());
    EXPECT_EQ(file.front(), "[Tuner_Freq]");
    EXPECT_EQ(SectionLines(file, "Tuner_Freq"), Lines{});
    EXPECT_EQ(SectionLines(file, "Zone_Pregain_Tuner"), Lines{"Zone_PregainTuner=12"});
    const Lines log = amp.log();
    EXPECT_EQ(Lines(log.begin(), log.begin() + 7), Concat({kPresetReads, {cmd::TunFreqRead()}}));
    EXPECT_EQ(log.size(), 32u);
    for (const auto& c : log)
        EXPECT_FALSE(c.starts_with("*TUN,MEM") || c.starts_with("*TUN,FREQ,"));
}

TEST_F(SnapshotTest, StartupWithNoDeviceWritesOnlyWhatTheProgramKnows) {
    deviceAttached = false;
    state.vq.ZoneOn = {false, true, true, true, true};
    EXPECT_EQ(Take(SnapshotVariant::Startup).outcome, SnapshotOutcome::Written);
    const Lines off = {"Zone1_ONOFF=False", "Zone2_ONOFF=False", "Zone3_ONOFF=False",
                       "Zone4_ONOFF=False"};
    // clang-format off
    EXPECT_EQ(FileLines(UserIni()), Concat({{
        "[Tuner_Freq]", " ", "[Tuner_Name]", "Preset1_Name=Radio 1", "Preset2_Name=Jazz FM", "Preset3_Name=",
        "Preset4_Name=Classic", "Preset5_Name=Radio 1 bis", "Preset6_Name=News", " ", "[Tuner_Select]",
        " ", "[Tuner_Sensitivity]", "Tuner_sensitivity=High", " ", "[Zone_Name]", "Zone1_Name=Kitchen",
        "Zone2_Name=Living", "Zone3_Name=", "Zone4_Name=Caf\xE9", " ", "[Zone_Volume]", " ", "[Zone_High]",
        " ", "[Zone_Low]", " ", "[Zone_Max_Vol]", " ", "[Zone_Pregain_Aux]", " ", "[Zone_Pregain_Tuner]",
        " ", "[Zone_ONOFF]"}, off, off, {" ", "[Zone_Source]", " ", "[Zone_Link]", " ", "[Temperature]",
        "Temperature_Min=5", "Temperature_Max=60", "Temperature_Offset=-2"}}));
    // clang-format on
    EXPECT_EQ(state.vq.ZoneOn, (std::array<bool, 5>{}));
    EXPECT_TRUE(amp.log().empty());
}

TEST_F(SnapshotTest, StartupJudgesEachAnswerByItsOwnTest) {
    Responder device(amp, {
                              {"*RD,PRES,1;", "*RT,PRES,1,101,;"},
                              {"*RD,PRES,3;", "*RT,PRES,3,,;"},
                              {"*RD,PRES,4;", "*RT,PRES,9,99,9;"},  // only the item is checked
                              {"*RD,PRES,6;", "*RT,VOL,1,40;"},
                              // Preset 1 reads "101." too, yet no tenths: no current frequency.
                              {"*TUN,FREQ;", "*RT,TUN,FREQ,101,;"},
                              {"*RD,VOL,2;", "*RT,VOL,3,77;"},
                              {"*RD,HIGH,1;", "*RT,HIGH,1,;"},
                              {"*RD,GAIN,2;", "RT,GAIN,2,5;"},
                              {"*RD,ON,1;", "*RT,ON,01;"},
                              {"*RD,ON,3;", ""},
                              {"*RD,SRC,1;", "*RT,SRC,1,3;"},
                              {"*RD,LINK,3;", "*RT,LINK,3, 1;"},
                          });
    Take(SnapshotVariant::Startup);
    const Lines file = FileLines(UserIni());
    EXPECT_EQ(SectionLines(file, "Tuner_Freq"),
              (Lines{"Preset1_Freq=101.", "Preset2_Freq=101.5", "Preset3_Freq=.",
                     "Preset4_Freq=99.9", "Preset5_Freq=101.5"}));
    EXPECT_EQ(SectionLines(file, "Tuner_Select"), Lines{});
    EXPECT_EQ(SectionLines(file, "Zone_Volume"),
              (Lines{"Zone1_Volume=35", "Zone3_Volume=50", "Zone4_Volume=40"}));
    EXPECT_EQ(SectionLines(file, "Zone_High")[0], "Zone1_High=");
    EXPECT_EQ(SectionLines(file, "Zone_Pregain_Tuner"), Lines{});
    for (const auto& l : SectionLines(file, "Zone_ONOFF")) EXPECT_TRUE(l.ends_with("=False")) << l;
    EXPECT_EQ(SectionLines(file, "Zone_Source"),
              (Lines{"Zone2_Source=AUX", "Zone3_Source=TUNER", "Zone4_Source=AUX"}));
    EXPECT_EQ(SectionLines(file, "Zone_Link"), (Lines{"Zone2_Link=N", "Zone4_Link=N"}));
    // The start-up read never stores a frequency on the device.
    for (const auto& c : amp.log()) EXPECT_FALSE(c.starts_with("*TUN,MEM")) << c;
}

TEST_F(SnapshotTest, StartupCopyKeepsTheFileAsItWasBeforeTheDaysLastSnapshot) {
    deviceAttached = false;
    WriteBytes(UserIni(), "old\r\n");
    const fs::path copy = dir / "startup11220260.ini";
    today = {2026, 12, 1, 8, 0, 0};
    Take(SnapshotVariant::Startup);
    EXPECT_EQ(ReadBytes(copy), "old\r\n");

    const std::string first = ReadBytes(UserIni());
    today = {2026, 12, 1, 18, 0, 0};
    state.vq.TempMin = "2";
    Take(SnapshotVariant::Startup);
    EXPECT_EQ(ReadBytes(copy), first);

    // 11 February gives the same name and replaces December's copy.
    const std::string second = ReadBytes(UserIni());
    ASSERT_NE(second, first);
    today = {2026, 2, 11, 8, 0, 0};
    EXPECT_FALSE(Take(SnapshotVariant::Startup).copyFailed);
    EXPECT_EQ(ReadBytes(copy), second);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

    // A copy that cannot be made does not stop the snapshot.
    fs::remove(copy);
    fs::create_directory(copy);
    fs::remove(UserIni());
    WriteBytes(UserIni(), "old\r\n");
    const SnapshotResult r = Take(SnapshotVariant::Startup);
    EXPECT_TRUE(r.copyFailed);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(r.outcome, SnapshotOutcome::Written);
    EXPECT_EQ(FileLines(UserIni()).front(), "[Tuner_Freq]");
}

TEST_F(SnapshotTest, TheFileNameBoxCanRefuseTheSnapshot) {
    WriteBytes(UserIni(), "old\r\n");
    hasBox = true;
    box = "  .ini ";
    EXPECT_EQ(Take(SnapshotVariant::Startup).outcome, SnapshotOutcome::Refused);
    EXPECT_EQ(box, ".ini");
    EXPECT_TRUE(amp.log().empty());
    EXPECT_EQ(events.back(), "busy off");
    // The copy comes first, so it is made all the same.
    EXPECT_EQ(ReadBytes(dir / "startup11220260.ini"), "old\r\n");

    events.clear();
    EXPECT_EQ(Take(SnapshotVariant::ManagerRead).outcome, SnapshotOutcome::Refused);
    EXPECT_EQ(events, (Lines{"busy on", "busy off", "after read"}));
    EXPECT_EQ(ReadBytes(UserIni()), "old\r\n");

    box = " my conf ";  // an accepted box is cleaned up on the way
    EXPECT_EQ(Take(SnapshotVariant::Startup).outcome, SnapshotOutcome::Written);
    EXPECT_EQ(box, "my_conf");
}

// A file size limit makes the write fail part-way, as a full disk does (root included).
TEST_F(SnapshotTest, AFailedWriteKeepsTheOldFileWhole) {
    const std::string old = "[Zone_Name]\r\nZone1_Name=Old\r\n";
    WriteBytes(UserIni(), old);
    SnapshotResult r;
    {
        test::FullDisk full(300);
        ASSERT_TRUE(full.active());
        r = Take(SnapshotVariant::Startup);
    }

    EXPECT_EQ(r.outcome, SnapshotOutcome::WriteFailed);
    EXPECT_FALSE(r.copyFailed);
    EXPECT_NE(r.error.find("cannot write"), std::string::npos) << r.error;
    EXPECT_EQ(ReadBytes(UserIni()), old);
    EXPECT_EQ(ReadBytes(dir / "startup11220260.ini"), old);
    EXPECT_EQ(amp.log().size(), 37u);  // the device was read all the same
    EXPECT_EQ(statuses.back(), "");
    EXPECT_EQ(events.back(), "busy off");
}

// A user.ini that is a folder, a FIFO or a device is neither copied nor written through, and
// never stops the snapshot.
TEST_F(SnapshotTest, ASettingsFileThatIsNotAPlainFileIsNeitherCopiedNorReplaced) {
    deviceAttached = false;
    const std::function<void()> makers[] = {
        [&] { fs::create_directory(UserIni()); },
        [&] { ASSERT_EQ(::mkfifo(UserIni().c_str(), 0644), 0); },
        [&] { fs::create_symlink("/dev/zero", UserIni()); },
    };
    for (const auto& make : makers) {
        make();
        const auto type = fs::symlink_status(UserIni()).type();
        const SnapshotResult r = Take(SnapshotVariant::Startup);
        EXPECT_TRUE(r.copyFailed);
        EXPECT_EQ(r.outcome, SnapshotOutcome::WriteFailed);
        EXPECT_NE(r.error.find("not a plain file"), std::string::npos) << r.error;
        EXPECT_EQ(fs::symlink_status(UserIni()).type(), type);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
        fs::remove(UserIni());
    }
}

TEST_F(SnapshotTest, ManagerReadRewritesAnExistingFileWithTheProgramsOwnSettings) {
    EXPECT_EQ(Take(SnapshotVariant::ManagerRead).outcome, SnapshotOutcome::NoFile);
    EXPECT_FALSE(fs::exists(UserIni()));
    EXPECT_TRUE(amp.log().empty());
    EXPECT_EQ(events, (Lines{"busy on", "busy off", "after read"}));

    events.clear();
    WriteBytes(UserIni(), "old\r\n");
    state.vq.TunerSensitivity = "Low";
    state.vq.ZoneOn = {false, false, true, false, true};
    EXPECT_EQ(Take(SnapshotVariant::ManagerRead).outcome, SnapshotOutcome::Written);
    const Lines file = FileLines(UserIni());
    EXPECT_EQ(Headers(file),
              (Lines{"[Tuner_Freq]", "[Tuner_Name]", "[Tuner_Sensitivity]", "[Tuner_Select]",
                     "[Zone_Name]", "[Zone_Volume]", "[Zone_High]", "[Zone_Low]", "[Zone_Max_Vol]",
                     "[Zone_Pregain_Aux]", "[Zone_Pregain_Tuner]", "[Zone_ONOFF]", "[Zone_Source]",
                     "[Zone_Link]", "[Temperature]"}));
    EXPECT_EQ(SectionLines(file, "Tuner_Sensitivity"), Lines{"Tuner_sensitivity=Low"});
    EXPECT_EQ(SectionLines(file, "Tuner_Select"), (Lines{"Tuner_Preset=2", "Tuner_Preset=5"}));
    EXPECT_EQ(SectionLines(file, "Zone_ONOFF"), (Lines{"Zone1_ONOFF=False", "Zone2_ONOFF=True",
                                                       "Zone3_ONOFF=False", "Zone4_ONOFF=True"}));
    EXPECT_EQ(amp.log(), Concat({kPresetReads,
                                 {cmd::TunFreqRead()},
                                 kLevelReads,
                                 {cmd::RdGain(1), cmd::RdGain(2)},
                                 Reads({cmd::RdSrc}),
                                 Reads({cmd::RdLink}, 2)}));
    EXPECT_EQ(state.vq.ZoneOn, (std::array<bool, 5>{false, false, true, false, true}));
    const auto at = [&](const std::string& s) {
        return std::find(statuses.begin(), statuses.end(), s) - statuses.begin();
    };
    EXPECT_EQ(at("Reading ... tuner (sensistivity) "), at("Reading ... tuner (selections) ") + 1);
    EXPECT_EQ(at("Reading ...  temperature  "), at("Reading ... zone info linking  ") + 1);
    EXPECT_EQ(statuses.back(), "");
    EXPECT_EQ(events, (Lines{"busy on", "busy off", "after read"}));
}

TEST_F(SnapshotTest, ManagerReadStoresTheDefaultStationInAnEmptyPreset) {
    auto d = amp.state();
    d.presets[3] = {95, 0};
    amp.setState(d);
    WriteBytes(UserIni(), "old\r\n");
    {
        Responder device(amp,
                         {{"*RD,PRES,3;", "*RT,PRES,3,,;"}, {"*RD,PRES,5;", "*RT,PRES,5,,7;"}});
        Take(SnapshotVariant::ManagerRead);
    }
    const Lines file = FileLines(UserIni());
    EXPECT_EQ(SectionLines(file, "Tuner_Freq"),
              (Lines{"Preset1_Freq=92.4", "Preset2_Freq=101.5", "Preset3_Freq=88.8",
                     "Preset4_Freq=104.0", "Preset5_Freq=.7", "Preset6_Freq=107.9"}));
    // The device was tuned to 88.8 on the way, so the current frequency is now preset 3's.
    EXPECT_EQ(SectionLines(file, "Tuner_Select"), Lines{"Tuner_Preset=3"});
    const Lines log = amp.log();
    ASSERT_EQ(log.size(), 34u);
    EXPECT_EQ(Lines(log.begin() + 2, log.begin() + 6),
              (Lines{cmd::RdPres(3), "*TUN,FREQ,88,8;", "*TUN,MEM,3;", cmd::RdPres(4)}));
    EXPECT_EQ(
        std::count_if(log.begin(), log.end(), [](auto& c) { return c.starts_with("*TUN,MEM"); }),
        1);
    EXPECT_EQ(amp.state().presets[3].mhz, 88);
    EXPECT_EQ(amp.state().presets[3].tenths, 8);
}

TEST_F(SnapshotTest, TunerSensitivityChangesOnlyOnAWellFormedAnswer) {
    const std::pair<const char*, const char*> cases[] = {
        {"*RT,TUN,SENS,1;", "High"}, {"*RT,TUN,SENS,2;", "Mid"},
        {"*RT,TUN,SENS,3;", "Low"},  {"*RT,TUN,SENS,2.5;", "Mid"},
        {"*RT,TUN,SENS,4;", "keep"}, {"*RT,TUN,SENS,;", "keep"},
        {"*RT,TUN,SENS,x;", "keep"}, {"*RT,TUN,SENSE,1;", "keep"},
        {"*RT,VOL,1,40;", "keep"},   {"", "keep"}};
    for (const auto& [answer, expected] : cases) {
        SCOPED_TRACE(std::string("answer \"") + answer + "\"");
        Responder device(amp, {{cmd::RdTunSens(), answer}});
        state.vq.TunerSensitivity = "keep";
        ReadTunerSensitivity(link, state);
        EXPECT_EQ(state.vq.TunerSensitivity, expected);
    }
    // A send that fails asks nothing and changes nothing.
    deviceAttached = false;
    comm.setPortOpen(false);
    amp.clearLog();
    ReadTunerSensitivity(link, state);
    EXPECT_EQ(state.vq.TunerSensitivity, "keep");
    EXPECT_TRUE(amp.log().empty());
}

}  // namespace
}  // namespace qor
