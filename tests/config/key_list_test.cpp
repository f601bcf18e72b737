// The shipped key list against the device snapshot: it names every key the snapshot writes, a
// fresh snapshot passes the check, and the commands built in its order leave the simulated
// amplifier as the file says.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "config/ini_build.h"
#include "config/ini_check.h"
#include "config/snapshot.h"
#include "link/commands.h"
#include "platform/files.h"
#include "simamp.h"
#include "support/device_fixture.h"
#include "support/files.h"

namespace qor {
namespace {

using Lines = std::vector<std::string>;

// Every level differs from the factory state below, and every volume is above the factory's
// maximum, so a volume sent before its maximum would be cut.
sim::DeviceState NamedAmp() {
    sim::DeviceState d;
    d.zones[1] = {.on = true, .volume = 35, .bass = -3, .treble = 4, .volMax = 70, .source = 2};
    d.zones[2] = {.volume = 20, .bass = 5, .treble = -10, .volMax = 60, .source = 1, .link = 2};
    d.zones[3] = {.on = true, .volume = 50, .bass = 2, .treble = 1, .volMax = 90, .link = 1};
    d.zones[4] = {.volume = 12, .bass = -7, .treble = 3, .volMax = 100, .source = 2, .link = 2};
    d.gain = {0, 5, 12};
    d.presets = {sim::Preset{}, {92, 4}, {101, 5}, {88, 8}, {104, 0}, {95, 1}, {107, 9}};
    d.frequency = {101, 5};  // preset 2
    return d;
}

sim::DeviceState FactoryAmp() {
    sim::DeviceState d;
    for (auto& z : d.zones) z = {.volume = 5, .volMax = 10};
    d.presets.fill({87, 6});
    d.frequency = {87, 6};
    d.tempMin = d.tempMax = d.tempOffset = 0;
    return d;
}

class KeyListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(amp.start());
        amp.setMisbehaviour({.lateMs = 3});
        auto& vq = state.vq;
        vq.DeviceModel = "QOR 82";
        vq.PresetName = {"", "Radio 1", "Jazz FM", "Talk", "Classic", "Rock", "News"};
        vq.ZoneName = {"", "Kitchen", "Living", "Study", "Caf\xE9"};
        vq.TempMin = "5";
        vq.TempMax = "60";
        vq.TempOffset = "-2";
        const auto list = ReadKeyList(QOR_ASSETS_DIR);
        ASSERT_TRUE(list);
        keys = *list;
    }

    // A start-up snapshot of the simulated amplifier, as text.
    std::string Snapshot() {
        const SnapshotResult r = TakeSnapshot(SnapshotVariant::Startup, link, state, dir.path());
        EXPECT_EQ(r.outcome, SnapshotOutcome::Written) << r.error;
        return test::ReadBytes(dir / "user.ini");
    }

    test::TempFolder dir;
    sim::SimAmp amp{NamedAmp()};
    SharedState state;
    MSComm comm{[this](int) { return amp.devicePath(); }, test::kTestPoll};
    Link link{comm, state};
    Lines keys;
};

TEST_F(KeyListTest, NamesEverySnapshotKeyOnce) {
    const std::string text = Snapshot();
    std::set<std::string> written;
    for (const std::string& line : files::SplitLines(text))
        if (const auto eq = line.find('='); eq != std::string::npos)
            written.insert(line.substr(0, eq));
    EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()), written);
    EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), keys.size());
}

TEST_F(KeyListTest, AFreshSnapshotChecksCleanOnlyOnTheTunerModelOnAPreset) {
    auto notFound = [](std::initializer_list<std::string> ks) {
        std::string out;
        for (const auto& k : ks) out += "\r99 : string not found... :" + k;
        return out;
    };
    const struct {
        const char* name;
        int modelCode;
        sim::Preset frequency;
        std::string messages;
    } cases[] = {
        {"QOR 82 on preset 2", 2, {101, 5}, ""},
        {"QOR 82 off every preset", 2, {99, 9}, notFound({"Tuner_Preset"})},
        {"QOR 81",
         1,
         {101, 5},
         notFound({"Tuner_sensitivity", "Preset1_Freq", "Preset2_Freq", "Preset3_Freq",
                   "Preset4_Freq", "Preset5_Freq", "Preset6_Freq", "Tuner_Preset", "Preset1_Name",
                   "Preset2_Name", "Preset3_Name", "Preset4_Name", "Preset5_Name", "Preset6_Name",
                   "Zone_PregainTuner"})},
    };
    for (const auto& c : cases) {
        sim::DeviceState d = NamedAmp();
        d.modelCode = c.modelCode;
        d.frequency = c.frequency;
        amp.setState(d);
        state.vq.DeviceModel = cmd::ModelFromCode(std::to_string(c.modelCode));
        const IniScan scan = ScanIniText(Snapshot(), keys);
        EXPECT_EQ(scan.messages, c.messages) << c.name;
        EXPECT_EQ(IniHasErrors(scan), c.messages.empty() ? 0 : 1) << c.name;
        if (c.messages.empty()) {
            EXPECT_EQ(CheckIniFile(scan).text, "Ini file OK... ");
        }
    }
}

TEST_F(KeyListTest, CommandsInKeyListOrderLeaveTheDeviceAsTheFileSays) {
    const std::string text = Snapshot();
    amp.setState(FactoryAmp());
    const UploadBuild build = BuildUpload(text, keys, state.vq);
    // Only the sensitivity, written "High" as the device reports it, is not uploaded.
    EXPECT_EQ(build.dontUploadLines.size(), 11u);
    const std::size_t before = amp.log().size();
    for (const std::string& line : build.uploadLines) link.SendMessage(line);
    // The device takes every command; the last line, "End build : ...", is none.
    ASSERT_TRUE(amp.waitForLog(before + build.uploadLines.size() - 1, test::kArrivalMs));

    const sim::DeviceState want = NamedAmp();
    const sim::DeviceState got = amp.state();
    for (int z = 1; z <= 4; ++z) {
        SCOPED_TRACE(z);
        const auto &w = want.zones[z], &g = got.zones[z];
        EXPECT_EQ(std::tie(g.on, g.volume, g.bass, g.treble, g.volMax, g.source),
                  std::tie(w.on, w.volume, w.bass, w.treble, w.volMax, w.source));
        if (z > 1) {
            EXPECT_EQ(g.link, w.link);
        }
    }
    EXPECT_EQ(got.gain, want.gain);
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(std::tie(got.presets[n].mhz, got.presets[n].tenths),
                  std::tie(want.presets[n].mhz, want.presets[n].tenths))
            << n;
    EXPECT_EQ(std::tie(got.frequency.mhz, got.frequency.tenths), std::make_tuple(101, 5));
    EXPECT_EQ(std::tie(got.tempMin, got.tempMax, got.tempOffset), std::make_tuple(5, 60, -2));
}

}  // namespace
}  // namespace qor
