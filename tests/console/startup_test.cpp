// Start-up, the automatic scan and the manual port choice, against simulated amplifiers on real
// pseudo-terminals.
#include <sys/stat.h>

#include <functional>

#include "config/snapshot.h"
#include "support/menu_fixture.h"

namespace qor::test {
namespace {

namespace fs = std::filesystem;

const std::string kQuestion =
    "Automatic detection ? \nYes = progam will try to locate serial port connected to QOR device. "
    "No = choose a COM port manually.";
const std::string kCommError =
    "Error ... Comm Port closed or already in use... Could not detect QOR Model. Check cabling.  ";
const sim::Misbehaviour kSilent{.silent = true};

Lines ComboItems(const ui::ComboBox& combo) {
    Lines out;
    for (int i = 0; i < combo.ListCount(); ++i) out.push_back(combo.List(i));
    return out;
}

Lines PortList() {
    Lines out;
    for (int n = 1; n <= 15; ++n) out.push_back("Com" + std::to_string(n));
    return out;
}

// The File, Zones, Tuner, Events and Settings entries: all enabled (1), all disabled (0), or mixed.
int MenuEnabled(const FrmMenu_1& m) {
    const int on = m.Label1.Enabled() + m.Label2.Enabled() + m.Label3.Enabled() +
                   m.Label4.Enabled() + m.Label6.Enabled();
    return on == 5 ? 1 : on == 0 ? 0 : -1;
}

TEST_F(MenuTest, StartUpFindsTheTunerModelOnPortThreeAmongMissingPorts) {
    auto& amp = Attach(3);
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start();

    ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
    EXPECT_EQ(dialogs.msgBoxes()[0].text, kQuestion);
    EXPECT_EQ(dialogs.msgBoxes()[0].buttons, ui::MsgButtons::YesNo);
    EXPECT_EQ(dialogs.msgBoxes()[0].title, "Qor PC Manager");
    const auto& vq = state.vq;
    EXPECT_EQ(vq.DeviceModel, "QOR 82");
    EXPECT_EQ(vq.ComPortNumber, 3);
    EXPECT_EQ(vq.PortFound, 1);
    EXPECT_TRUE(vq.PanelReady && vq.ExitToggle);
    EXPECT_EQ(vq.AutoDetectAsked, 1);
    EXPECT_EQ(vq.CurrentPreset, 1);
    EXPECT_EQ(m.Label7.Caption(), "Q O R  8.2");
    EXPECT_EQ(MenuEnabled(m), 1);
    EXPECT_TRUE(m.Label3.Visible());
    EXPECT_FALSE(m.Image2.Visible() || m.Label8.Visible() || m.Combo1.Visible() ||
                 m.Shape1.Visible() || m.Shape2.Visible());
    EXPECT_EQ(quitCalls, 0);
    // The port in use is open again after the scan, and the snapshot went through it.
    EXPECT_TRUE(comm.PortOpen());
    EXPECT_EQ(comm.CommPort(), 3);
    const Lines log = amp.log();
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(Lines(log.begin(), log.begin() + 5),
              ThenLimits({cmd::RdModel(), "*CLK,SET,05,03,2024,09,07,03;"}));
    EXPECT_NE(std::find(log.begin(), log.end(), cmd::RdTunSens()), log.end());
    EXPECT_NE(ReadBytes(dir / "user.ini").find("Zone2_Name=Kitchen"), std::string::npos);
    // Skinned and shown as the last step.
    EXPECT_TRUE(m.Visible() && m.isTransparent(m));
    EXPECT_EQ(m.colourKey(), QColor(0, 0, 255));
    // What the scan showed on Label8 for each port on its way.
    EXPECT_EQ(m.TestAvailableComPort(1), "No response on com1");
    EXPECT_EQ(m.TestAvailableComPort(3), "Com3 Available");
}

TEST_F(MenuTest, AnUnknownModelBecomesTheOnlyCandidateAndThePortInUse) {
    auto& amp = Attach(4, Model(7));
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start();

    EXPECT_EQ(state.vq.DeviceModel, "unknown");
    EXPECT_EQ(state.vq.PortFound, 1);
    EXPECT_EQ(state.vq.ComPortNumber, 4);
    EXPECT_FALSE(state.vq.PanelReady || state.vq.ExitToggle);
    EXPECT_EQ(MenuEnabled(m), 0);
    EXPECT_TRUE(m.Shape2.Visible());
    EXPECT_EQ(ComboItems(m.Combo1), Lines{"Com 4 : connection to 7"});
    EXPECT_FALSE(m.Combo1.Visible());
    EXPECT_EQ(m.Label7.Caption(), "M o d e l");
    EXPECT_TRUE(comm.PortOpen());
    EXPECT_EQ(comm.CommPort(), 4);
    // No clock for a device that did not identify itself; the limits still go to the port.
    ASSERT_TRUE(amp.waitForLog(4));
    EXPECT_EQ(amp.log(), ThenLimits({cmd::RdModel()}));

    // Choosing the candidate by hand takes every digit of the entry: port 47, which fails.
    m.Combo1.setListIndex(0);
    EXPECT_EQ(state.vq.DeviceModel, "Unknown");
    EXPECT_EQ(m.Label8.Caption(), " Please try again...");
    EXPECT_TRUE(m.Label8.Visible());
    ASSERT_EQ(dialogs.msgBoxes().size(), 2u);
    EXPECT_EQ(dialogs.msgBoxes()[1].text, kCommError);
    EXPECT_EQ(dialogs.msgBoxes()[1].buttons, ui::MsgButtons::OK);
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(amp.log().back(), cmd::RdModel());  // the model query on the port still in use
}

TEST_F(MenuTest, CandidatesMetBeforeTheModelWithoutTunerStayOfferedBesideIt) {
    // "*RT,MODEL,0,2" without its ";" is no model; the character before the end is ",".
    auto& odd = Attach(2, Model(2), {.noClosingSemicolon = true});
    Attach(3, Model(5));
    Attach(5, Model(1));
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start();

    EXPECT_EQ(state.vq.DeviceModel, "QOR 81");
    EXPECT_EQ(state.vq.ComPortNumber, 5);
    EXPECT_EQ(comm.CommPort(), 5);
    EXPECT_TRUE(comm.PortOpen());
    EXPECT_EQ(MenuEnabled(m), 1);
    EXPECT_FALSE(m.Shape2.Visible());
    // The port list of the candidates stays up; a settled scan does not replace it.
    EXPECT_TRUE(m.Label8.Visible() && m.Combo1.Visible() && m.Shape1.Visible());
    EXPECT_EQ(m.Label8.Caption(), "Several devices could be connected... Select Com port to use");
    EXPECT_EQ(ComboItems(m.Combo1), (Lines{"Com 2 : connection to ,", "Com 3 : connection to 5"}));
    // The candidates were closed and are not written to again.
    EXPECT_EQ(odd.log(), Lines{cmd::RdModel()});
    // No tuner: its entry hides behind the quit plate, again at each activation.
    EXPECT_EQ(m.Label7.Caption(), "Q O R  8.1");
    m.Label3.setVisible(true);
    m.Image2.setVisible(false);
    m.Form_Activate();
    EXPECT_FALSE(m.Label3.Visible());
    EXPECT_TRUE(m.Image2.Visible());
}

TEST_F(MenuTest, AScanThatMeetsNoDeviceOffersEveryPortAndAsksNoMore) {
    auto& silent = Attach(5, Model(2), kSilent);
    Attach(2, Model(7));
    Attach(3, Model(5));  // two candidates are no device either
    FrmMenu_1& m = Start();

    EXPECT_EQ(state.vq.DeviceModel, "unknown");
    EXPECT_EQ(state.vq.PortFound, 0);
    EXPECT_EQ(state.vq.ComPortNumber, 1);
    EXPECT_EQ(MenuEnabled(m), 0);
    EXPECT_TRUE(m.Label8.Visible() && m.Combo1.Visible());
    EXPECT_EQ(m.Label8.Caption(), "Choose Com port... .  ");
    EXPECT_EQ(ComboItems(m.Combo1), PortList());
    // Port 1 is missing: the reopen fails silently and leaves it closed.
    EXPECT_FALSE(comm.PortOpen());
    EXPECT_EQ(comm.CommPort(), 1);
    // The silent port was asked once and is no candidate.
    EXPECT_EQ(silent.log(), Lines{cmd::RdModel()});
    // No user.ini in this folder: the start-up ended in the quit path.
    EXPECT_EQ(quitCalls, 1);

    // Once answered Yes, Connect scans again without the question.
    m.Label5_Click();
    EXPECT_EQ(dialogs.msgBoxes().size(), 2u);  // the question and the user.ini message only
    EXPECT_EQ(silent.log(), (Lines{cmd::RdModel(), cmd::RdModel()}));
}

TEST_F(MenuTest, ManualChoiceConnectsReadsTheSettingsAndThenRefusesASecondChoice) {
    auto& amp = Attach(3);
    Attach(6, Model(2), kSilent);
    WriteUserIni(kUserIni);
    FrmMenu_1& m = Start(false);

    EXPECT_EQ(state.vq.AutoDetectAsked, 0);
    EXPECT_EQ(state.vq.DeviceModel, "");
    EXPECT_EQ(m.Label8.Caption(), "Choose Com port... .  ");
    EXPECT_EQ(ComboItems(m.Combo1), PortList());
    EXPECT_TRUE(amp.log().empty());

    // A port that opens but answers nothing.
    m.Combo1.setListIndex(5);
    EXPECT_EQ(state.vq.DeviceModel, "Unknown");
    EXPECT_EQ(m.Label8.Caption(), "Model could not be found...");
    EXPECT_EQ(m.Shape2.backStyle(), ui::BackStyle::Transparent);
    EXPECT_EQ(m.Label7.Caption(), "Unknown");
    EXPECT_EQ(MenuEnabled(m), 0);
    EXPECT_EQ(dialogs.msgBoxes().size(), 1u);
    // Typed text without digits is no port at all.
    EXPECT_EQ(comm.CommPort(), 6);
    m.Combo1.setText("Com");
    m.Combo1.setVisible(true);
    m.Combo1_Click();
    EXPECT_EQ(dialogs.msgBoxes().back().text, kCommError);
    EXPECT_EQ(m.Label8.Caption(), " Please try again...");

    m.Combo1.setListIndex(2);  // "Com3"
    EXPECT_EQ(state.vq.DeviceModel, "QOR 82");
    EXPECT_EQ(state.vq.ComPortNumber, 3);
    EXPECT_EQ(comm.Settings(), "9600,n,8,1");
    EXPECT_EQ(MenuEnabled(m), 1);
    EXPECT_FALSE(m.Combo1.Visible() || m.Label8.Visible() || m.Shape1.Visible());
    EXPECT_EQ(m.Shape2.backStyle(), ui::BackStyle::Opaque);
    EXPECT_EQ(m.Label7.Caption(), "QOR 82");
    EXPECT_EQ(state.vq.ZoneName[1], "Hall");
    ASSERT_TRUE(amp.waitForLog(4));
    EXPECT_EQ(amp.log(), ThenLimits({cmd::RdModel()}));

    // A model is known now: the next choice is not used.
    m.Combo1.setListIndex(5);
    EXPECT_EQ(dialogs.msgBoxes().back().text, "Already connected... Model is known .");
    EXPECT_EQ(comm.CommPort(), 3);
    // Declining the question leaves it to be asked at the next Connect.
    dialogs.queueAnswer(ui::MsgAnswer::No);
    m.Label5_Click();
    EXPECT_EQ(dialogs.msgBoxes().back().text, kQuestion);
}

TEST_F(MenuTest, WithoutUserIniTheSnapshotIsWrittenAndTheProgramEnds) {
    auto& amp = Attach(1);
    FrmMenu_1& m = Start();

    ASSERT_EQ(dialogs.msgBoxes().size(), 2u);
    EXPECT_EQ(dialogs.msgBoxes()[1].text,
              "Your Qor systems user.ini settings couldn't be found... . New file will be "
              "downloaded first.  ");
    EXPECT_EQ(dialogs.msgBoxes()[1].buttons, ui::MsgButtons::OK);
    EXPECT_EQ(quitCalls, 1);
    const std::string written = ReadBytes(dir / "user.ini");
    EXPECT_NE(written.find("[Zone_Name]"), std::string::npos);
    EXPECT_NE(written.find("Preset1_Name=Preset 1"), std::string::npos);
    // Nothing after the end: no preset reset, no window shown, no limits sent.
    EXPECT_EQ(state.vq.CurrentPreset, 0);
    EXPECT_FALSE(m.Visible());
    for (const auto& c : amp.log()) EXPECT_FALSE(c.starts_with("*TEMP,")) << c;
}

// A user.ini that is no plain file neither stops nor hangs the start-up: it counts as missing,
// the snapshot cannot replace it, and the user is told so after the usual message.
TEST_F(MenuTest, ASettingsFileThatIsNoPlainFileIsMissingAndCannotBeWritten) {
    Attach(1);
    const fs::path userIni = dir / "user.ini";
    const std::function<void()> makers[] = {
        [&] { fs::create_directory(userIni); },
        [&] { ASSERT_EQ(::mkfifo(userIni.c_str(), 0644), 0); },
        [&] { fs::create_symlink("/dev/zero", userIni); },
    };
    int run = 0;
    for (const auto& make : makers) {
        SCOPED_TRACE(run);
        make();
        const std::size_t before = dialogs.msgBoxes().size();
        Start();
        const auto& boxes = dialogs.msgBoxes();
        ASSERT_EQ(boxes.size(), before + (run == 0 ? 3u : 2u));  // the question comes once
        EXPECT_EQ(boxes[boxes.size() - 2].text,
                  "Your Qor systems user.ini settings couldn't be found... . New file will be "
                  "downloaded first.  ");
        EXPECT_EQ(boxes.back().text, SettingsNotWrittenText(dir.path(), "not a plain file"));
        EXPECT_EQ(boxes.back().icon, ui::MsgIcon::Critical);
        EXPECT_EQ(quitCalls, ++run);
        EXPECT_FALSE(fs::is_regular_file(userIni));
        fs::remove(userIni);
    }
}

TEST_F(MenuTest, AReadOnlyProgramFolderIsSaidAndNotTakenForASavedFile) {
    Attach(1);
    const fs::path userIni = dir / "user.ini";
    {
        ReadOnlyFolder readOnly(dir.path());
        Start();
    }
    const auto& boxes = dialogs.msgBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[1].text.find("New file will be downloaded first."), std::string::npos);
    EXPECT_EQ(boxes[2].text,
              "Your Qor systems user.ini settings could not be saved in the folder " +
                  dir.path().string() +
                  " (cannot create a new file: Permission denied). Check that the "
                  "folder can be written to and has free space.");
    EXPECT_EQ(boxes[2].buttons, ui::MsgButtons::OK);
    EXPECT_EQ(quitCalls, 1);
    EXPECT_FALSE(fs::exists(userIni));

    // With the file there, the start-up goes on; the day's copy and the new file both fail.
    WriteUserIni(kUserIni);
    ASSERT_EQ(::mkfifo((dir / "showzones.ini").c_str(), 0644), 0);  // read as missing
    {
        ReadOnlyFolder readOnly(dir.path());
        Start();
    }
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_NE(boxes[3].text.find("could not be saved in the folder " + dir.path().string()),
              std::string::npos);
    EXPECT_EQ(quitCalls, 1);
    EXPECT_TRUE(menu->Visible());
    EXPECT_EQ(state.vq.ZoneName[2], "Kitchen");
    EXPECT_EQ(state.vq.ZoneShow, (decltype(state.vq.ZoneShow){}));
    EXPECT_EQ(ReadBytes(userIni), kUserIni);
}

}  // namespace
}  // namespace qor::test
