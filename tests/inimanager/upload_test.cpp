// The INI manager's Write entry against the simulated amplifier over a real pseudo-terminal: what
// the device holds afterwards, read back over the line, and the texts it cannot upload; an empty
// editor and a missing key list, with Write and with Save, and a folder that takes no files.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "common/answers.h"
#include "config/ini_check.h"
#include "inimanager/file_window_fixture.h"
#include "link/commands.h"
#include "platform/files.h"

namespace qor::test {
namespace {

namespace fs = std::filesystem;

const char* const kReady =
    "The current 'user.ini' file will be uploaded to QOR now. This can take a moment and your "
    "tuner will tune in to all presets in the .ini file.  Please wait until you see the message "
    "'Upload completed'.  Ready ?";

// A configuration as a user edits it: every key of the key list, with four values the builder
// does not send (a sensitivity written as the device reports it, a volume of 100, a treble of 15
// and a name one letter too long).
const std::string kConfig =
    "[Tuner_Freq]\r\nPreset1_Freq=92.4\r\nPreset2_Freq=101.5\r\nPreset3_Freq=88.8\r\n"
    "Preset4_Freq=104.0\r\nPreset5_Freq=95.1\r\nPreset6_Freq=107.9\r\n"
    " \r\n[Tuner_Name]\r\nPreset1_Name=Radio 1\r\nPreset2_Name=Jazz FM\r\nPreset3_Name=Talk\r\n"
    "Preset4_Name=Classic\r\nPreset5_Name=Rock\r\nPreset6_Name=News\r\n"
    " \r\n[Tuner_Sensitivity]\r\nTuner_sensitivity=High\r\n"
    " \r\n[Tuner_Select]\r\nTuner_Preset=2\r\n"
    " \r\n[Zone_Name]\r\nZone1_Name=Hall\r\nZone2_Name=Kitchen\r\nZone3_Name=Sixteen letters1\r\n"
    "Zone4_Name=Study\r\n"
    " \r\n[Zone_Volume]\r\nZone1_Volume=35\r\nZone2_Volume=100\r\nZone3_Volume=20\r\n"
    "Zone4_Volume=90\r\n"
    " \r\n[Zone_High]\r\nZone1_High=4\r\nZone2_High=15\r\nZone3_High=-6\r\nZone4_High=0\r\n"
    " \r\n[Zone_Low]\r\nZone1_Low=-3\r\nZone2_Low=5\r\nZone3_Low=2\r\nZone4_Low=-14\r\n"
    " \r\n[Zone_Max_Vol]\r\nZone1_MaxVol=70\r\nZone2_MaxVol=60\r\nZone3_MaxVol=90\r\n"
    "Zone4_MaxVol=100\r\n"
    " \r\n[Zone_Pregain_Aux]\r\nZone_PregainAux=5\r\n"
    " \r\n[Zone_Pregain_Tuner]\r\nZone_PregainTuner=12\r\n"
    " \r\n[Zone_ONOFF]\r\nZone1_ONOFF=True\r\nZone2_ONOFF=False\r\nZone3_ONOFF=true\r\n"
    "Zone4_ONOFF=False\r\n"
    " \r\n[Zone_Source]\r\nZone1_Source=TUNER\r\nZone2_Source=AUX\r\nZone3_Source=TUNER\r\n"
    "Zone4_Source=AUX\r\n"
    " \r\n[Zone_Link]\r\nZone2_Link=Y\r\nZone3_Link=N\r\nZone4_Link=Y\r\n"
    " \r\n[Temperature]\r\nTemperature_Min=5\r\nTemperature_Max=60\r\nTemperature_Offset=-2\r\n";

// Each set line goes unanswered and costs the whole answer wait: the short one here.
class UploadTest : public FileWindowTest {
  protected:
    UploadTest() : FileWindowTest(kSilencePoll) {}

    // One read over the line, on a port of its own, as the device answers it: field `field`.
    std::string Read(const std::string& command, int field) {
        comm.setPortOpen(false);
        MSComm own([this](int) { return amps.at(1)->devicePath(); }, kTestPoll);
        Link reader(own, state);
        reader.SendMessage(command);
        return scanevent(reader.ReceiveMessage(), field);
    }
};

TEST_F(UploadTest, WriteLeavesTheDeviceAsTheFileSaysForEveryValueItTakes) {
    sim::DeviceState device = Model(2);
    device.sensitivity = 3;
    device.zones[2].volume = 30;
    device.zones[2].treble = -2;
    auto& amp = Attach(1, device);
    WriteUserIni(kConfig);
    FrmFile& w = Open();
    w.MnuWriteIni_Click();

    // Every command of upload.txt reached the device in order; its last line is no command.
    const auto upload = files::ReadLines(dir / "upload.txt");
    ASSERT_TRUE(upload && !upload->empty());
    EXPECT_TRUE(upload->back().starts_with("End build : "));
    const Lines commands(upload->begin(), upload->end() - 1);
    ASSERT_TRUE(amp.waitForLog(commands.size(), kArrivalMs));
    EXPECT_EQ(amp.log(), commands);
    EXPECT_EQ(files::ReadLines(dir / "dontupload.txt"),
              Lines({"24 error = Ongeldige waarde voor sensistivity:Tuner_sensitivity", "0", "0",
                     "0", "0", "0", "0", "0", "0", "5 error = naam te lang :Zone3_Name", "0",
                     "8 'error volume buiten grenzen",
                     "10 'error high tones buiten grenzen:Zone2_High"}));

    struct Case {
        std::string read;
        int field;
        std::string value;  // as the device answers; refused keys leave the device's own value
    };
    const Case cases[] = {
        {cmd::RdPres(1), 3, "92"},      {cmd::RdPres(1), 4, "4"},     {cmd::RdPres(6), 3, "107"},
        {cmd::TunFreqRead(), 3, "101"}, {cmd::TunFreqRead(), 4, "5"}, {cmd::RdTunSens(), 3, "3"},
        {cmd::RdOn(1), 2, "1"},         {cmd::RdOn(2), 2, "0"},       {cmd::RdOn(3), 2, "1"},
        {cmd::RdVolMax(4), 3, "100"},   {cmd::RdVol(1), 3, "35"},     {cmd::RdVol(2), 3, "30"},
        {cmd::RdVol(4), 3, "90"},       {cmd::RdHigh(1), 3, "4"},     {cmd::RdHigh(2), 3, "-2"},
        {cmd::RdHigh(3), 3, "-6"},      {cmd::RdLow(4), 3, "-14"},    {cmd::RdGain(1), 3, "5"},
        {cmd::RdGain(2), 3, "12"},      {cmd::RdSrc(1), 3, "2"},      {cmd::RdSrc(2), 3, "1"},
        {cmd::RdLink(2), 3, "1"},       {cmd::RdLink(3), 3, "2"},     {cmd::RdTemp(), 3, "5"},
        {cmd::RdTemp(), 4, "60"},       {cmd::RdTemp(), 5, "-2"},
    };
    for (const Case& c : cases) EXPECT_EQ(Read(c.read, c.field), c.value) << c.read << c.field;

    // Names and on/off are the program's own, taken while building.
    EXPECT_EQ(std::tie(state.vq.ZoneName[1], state.vq.ZoneName[3], state.vq.PresetName[6]),
              std::make_tuple("Hall", "", "News"));
    EXPECT_EQ(state.vq.ZoneOn, (std::array<bool, 5>{false, true, false, true, false}));

    // Then the text is the settings file, and the window says so after the upload.
    EXPECT_EQ(ReadBytes(dir / "user.ini"), kConfig);
    ASSERT_EQ(dialogs.msgBoxes().size(), 3u);
    EXPECT_EQ(dialogs.msgBoxes()[0].text, kReady);
    EXPECT_EQ(dialogs.msgBoxes()[1].text, "Upload completed ...");
    EXPECT_EQ(dialogs.msgBoxes()[2].text, "File saved as " + (dir / "user.ini").string());
    EXPECT_EQ(w.Label3.Caption(), "");
    EXPECT_EQ(w.windowState(), ui::WindowState::Maximized);
}

TEST_F(UploadTest, AnEmptyEditorNoKeyListOrAReadOnlyFolderSendsNothingAndSaysSoOnce) {
    const std::string invalid = InvalidLengthText("Tuner_sensitivity");
    const std::string saved = "File saved as " + (dir / "user.ini").string();
    const std::string noList = KeyListMissingText(dir.path(), "").substr(0, 40);
    struct Case {
        const char* name;
        std::string text;
        bool keyList;
        bool write;  // Write, else Save
        Lines told;  // the start of each box, in order
        bool saves;
        bool readOnlyFolder = false;
    };
    const Case cases[] = {
        {"empty editor, Write", "  ", true, true, {kReady, invalid}, false},
        {"empty editor, Save", "", true, false, {invalid, saved}, true},
        {"no key list, Write", kConfig, false, true, {noList}, false},
        {"no key list, Save", kConfig, false, false, {noList, saved}, true},
        {"read-only folder, Write",
         kConfig,
         true,
         true,
         {kReady, "Nothing uploaded: "},
         false,
         true},
    };
    auto& amp = Attach(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteUserIni(c.text);
        fs::remove(dir / "user.txt");
        if (!c.keyList) fs::remove(dir / "lookforinini.txt");
        FrmFile& w = Open();
        w.RichTextBox1.setText(c.text == kConfig ? "[Changed]\r\nZone1_Name=Changed\r\n" : c.text);
        const std::size_t before = dialogs.msgBoxes().size();
        if (c.readOnlyFolder) {
            fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
            UserFileRights asAUser;
            Choose(w.MnuWriteIni);
        } else {
            Choose(c.write ? w.MnuWriteIni : w.MnuSaveIni);
        }
        fs::permissions(dir.path(), fs::perms::owner_all);
        Lines told;
        for (std::size_t i = before; i < dialogs.msgBoxes().size(); ++i)
            told.push_back(dialogs.msgBoxes()[i].text);
        ASSERT_EQ(told.size(), c.told.size());
        for (std::size_t i = 0; i < told.size(); ++i) EXPECT_TRUE(told[i].starts_with(c.told[i]));
        EXPECT_EQ(fs::exists(dir / "user.txt"), c.saves);
        if (!c.saves) {
            EXPECT_EQ(ReadBytes(dir / "user.ini"), c.text);
        }
        EXPECT_FALSE(fs::exists(dir / "upload.txt"));
        EXPECT_TRUE(StaysQuiet(amp));
        EXPECT_NE(state.vq.ZoneName[1], "Changed");
        if (!c.keyList)
            fs::copy_file(fs::path(QOR_ASSETS_DIR) / "lookforinini.txt", dir / "lookforinini.txt");
    }
}

}  // namespace
}  // namespace qor::test
