// The INI manager in a fresh program folder, drawn offscreen: the file-name rule as the user meets
// it in the save-as view, saves that fail, deletes, a file that is not there, and the device read
// on activation against the simulated amplifier over a real pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTimer>
#include <iterator>

#include "app/program.h"
#include "inimanager/file_window_fixture.h"
#include "platform/ui/runtime.h"

namespace qor::test {
namespace {

namespace fs = std::filesystem;

const std::string kText = "[Zone_Name]\r\nZone1_Name=Hall\r\n";

TEST_F(FileWindowTest, SaveAsViewTakesOnlyNamesTheRuleAccepts) {
    struct Case {
        const char* typed;
        const char* box;        // Text1 afterwards
        const char* savedText;  // the ".txt" copy, "" when refused
    };
    const Case cases[] = {
        {"my conf", "my_conf.ini", "my_conf.txt"},
        {"ab", "ab.ini", "ab.txt"},
        {"x.ini.bak", "x.ini.bak", "x.ini.txt"},
        {"A.INI", "A.INI", ""},
        {"notes.txt", "notes.txt", ""},
        {"", ".ini", ""},
    };
    WriteUserIni(kText);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Open();
        SaveAs(c.typed);
        EXPECT_EQ(window->Text1.Text(), c.box);
        const bool saved = *c.savedText != '\0';
        ASSERT_FALSE(dialogs.msgBoxes().empty());
        const auto& said = dialogs.msgBoxes().back();
        if (saved) {
            EXPECT_EQ(said.text, "File saved as " + (dir / c.box).string());
            EXPECT_EQ(said.title, "File saved...");
            EXPECT_EQ(said.icon, ui::MsgIcon::Information);
            EXPECT_EQ(ReadBytes(dir / c.box), kText);
            EXPECT_EQ(ReadBytes(dir / c.savedText), kText);
            // Back to the open view.
            EXPECT_TRUE(window->File1.Visible());
            EXPECT_FALSE(window->Text1.Visible());
        } else {
            EXPECT_EQ(said.text,
                      "Syntax filename incorrect... .Please make sure it ends with .ini and "
                      "contains at least one alphanumeric character ");
            EXPECT_FALSE(fs::exists(dir / c.box));
            EXPECT_TRUE(window->Text1.Visible() && window->Command1.Visible());
        }
    }
}

TEST_F(FileWindowTest, DeleteAsksDeletesOnlyOnOkAndSaysWhenItCannot) {
    const std::string ask = "Are you sure you to delete file : old.ini ?";
    struct Case {
        ui::MsgAnswer answer;
        mode_t mode;   // 0: gone before the double-click
        bool deleted;  // and back to the open view
        std::string said;
    };
    const Case cases[] = {
        {ui::MsgAnswer::Cancel, 0644, false, ask},
        {ui::MsgAnswer::OK, 0644, true, "old.ini wiped from disc."},
        {ui::MsgAnswer::OK, 0444, false, "old.ini could not be deleted (the file is read-only)."},
        {ui::MsgAnswer::OK, 0, false, "old.ini not found... ."},
    };
    WriteUserIni(kText);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        WriteBytes(dir / "old.ini", "x");
        FrmFile& w = Open();
        Choose(w.MnuDeleteIni);
        EXPECT_EQ(w.Label1.Caption(), "Doubleclick file to delete it.");
        w.File3.setFileName("old.ini");
        if (c.mode) ::chmod((dir / "old.ini").c_str(), c.mode);
        if (!c.mode) fs::remove(dir / "old.ini");
        dialogs.queueAnswer(c.answer);
        w.File3_DblClick();
        EXPECT_EQ(dialogs.msgBoxes().back().text, c.said);
        if (c.mode) {
            const auto& asked =
                *std::find_if(dialogs.msgBoxes().rbegin(), dialogs.msgBoxes().rend(),
                              [&](const auto& b) { return b.text == ask; });
            EXPECT_EQ(asked.buttons, ui::MsgButtons::OKCancel);
            EXPECT_EQ(asked.title, "Delete Ini file... QOR system");
        }
        EXPECT_EQ(fs::exists(dir / "old.ini"), c.mode && !c.deleted);
        EXPECT_EQ(w.File1.Visible(), c.deleted);
        EXPECT_EQ(w.File3.Visible(), !c.deleted);
        if (c.mode) ::chmod((dir / "old.ini").c_str(), 0644);
    }
}

TEST_F(FileWindowTest, SaveThatCannotWriteKeepsTheOldFileAndSaysSo) {
    WriteUserIni(kText);
    FrmFile& w = Open();
    w.RichTextBox1.setText("[Zone_Name]\r\nZone1_Name=Changed\r\n");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    {
        UserFileRights asAUser;
        Choose(w.MnuSaveIni);
    }
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(dir / "user.ini"), kText);
    EXPECT_FALSE(fs::exists(dir / "user.txt"));
    const auto& said = dialogs.msgBoxes().back();
    EXPECT_TRUE(said.text.starts_with("File not saved as " + (dir / "user.ini").string()));
    EXPECT_NE(said.text.find("kept as it was"), std::string::npos);
    WriteBytes(dir / "user.txt", kText);
    fs::permissions(dir / "user.txt", fs::perms::owner_read);
    Choose(w.MnuSaveIni);
    EXPECT_EQ(ReadBytes(dir / "user.ini") + ReadBytes(dir / "user.txt"), kText + kText);
    EXPECT_NE(dialogs.msgBoxes().back().text.find("(user.txt is read-only)"), std::string::npos);
    EXPECT_EQ(Told("File saved as"), 0);
}

TEST_F(FileWindowTest, SaveWritesTheFileLastLoadedAndNeverOneTheProgramReads) {
    WriteUserIni(kText);
    WriteBytes(dir / "DefResuSched.ini", "x");
    FrmFile& w = Open();
    w.File1.setFileName("DefResuSched.ini");  // a click, no double-click
    SaveAs("showzones");
    SaveAs("lookforinini");
    EXPECT_EQ(w.Caption(), "Pick or enter name to save opened Ini File : ' user.ini ' to ");
    Choose(w.MnuSaveIni);
    EXPECT_EQ(ReadBytes(dir / "user.txt") + ReadBytes(dir / "DefResuSched.ini"), kText + "x");
    w.File1_DblClick();
    Choose(w.MnuSaveIni);
    for (const char* kept : {"showzones.ini", "lookforinini.txt", "DefResuSched.txt"})
        EXPECT_EQ(Told((dir / kept).string() + " is read by the program itself"), 1) << kept;
    // Written besides: user.txt and the one log of the save that went on.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 5);
}

TEST_F(FileWindowTest, AMissingFileShowsAnEmptyEditorOnceAndNothingToSave) {
    FrmFile& w = Open();
    EXPECT_EQ(w.RichTextBox1.Text(), "");
    EXPECT_TRUE(w.OpenFile().empty());
    EXPECT_EQ(w.Caption(), "Manage INI Files ");
    ASSERT_EQ(dialogs.msgBoxes().size(), 1u);
    EXPECT_NE(dialogs.msgBoxes()[0].text.find((dir / "user.ini").string()), std::string::npos);
    // The same file missing again is not said again.
    w.File1_DblClick();
    EXPECT_EQ(dialogs.msgBoxes().size(), 1u);

    Choose(w.MnuSaveAsIni);
    EXPECT_EQ(dialogs.msgBoxes().back().text,
              "Nothing to save... . Open a configuration before clicking Save As ");
    EXPECT_FALSE(w.Text1.Visible());
    Choose(w.MnuSaveIni);
    EXPECT_EQ(dialogs.msgBoxes().back().text,
              "Nothing to save... . Open a configuration before clicking Save");
    EXPECT_FALSE(fs::exists(dir / "user.ini"));
}

TEST_F(FileWindowTest, ActivationReadsTheDeviceButClosingItsOwnMessageBoxIsNoActivation) {
    sim::DeviceState device = Model(2);
    device.zones[2].volume = 33;
    auto& amp = Attach(1, device);
    WriteUserIni(kText);
    ui::QtDialogs boxes("Qor PC Manager");
    Context own{state, comm, link, boxes, dir.path(), [] {}};
    FrmFile w(own);
    // Every box that comes up takes the activation and is closed a moment later, as the user's
    // click would; the window system then hands the activation back to the window.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        QApplication::setActiveWindow(box);
        box->close();
    });
    closer.start(50);

    w.Load();
    w.Show();
    QApplication::setActiveWindow(w.widget());
    ASSERT_TRUE(amp.waitForLog(1, kArrivalMs));
    // The device read, then the chosen file shown.
    EXPECT_NE(w.RichTextBox1.Text().find("Zone2_Volume=33\r\n"), std::string::npos);
    EXPECT_EQ(w.RichTextBox1.Text(), ReadBytes(dir / "user.ini"));
    amp.clearLog();
    Choose(w.MnuSaveIni);
    QApplication::setActiveWindow(w.widget());
    EXPECT_TRUE(fs::exists(dir / "user.txt"));
    EXPECT_FALSE(amp.waitForLog(1, 150));

    ui::Form other("FrmOther");
    other.Show();
    QApplication::setActiveWindow(other.widget());
    QApplication::setActiveWindow(w.widget());
    EXPECT_TRUE(amp.waitForLog(1, kArrivalMs));
}

TEST(FileWindowInProgram, TheFileEntryOpensItOnceAndBringsItForwardAfter) {
    TempFolder dir;
    sim::SimAmp amp;
    ASSERT_TRUE(amp.start());
    WriteBytes(dir / "user.ini", kText);
    ui::ScriptedDialogs dialogs;
    ProgramOptions options;
    options.programDir = dir.path();
    options.portMapper = [&](int port) {
        return port == 1 ? amp.devicePath() : (dir / "no-such-port").string();
    };
    options.pollTime = kTestPoll;
    options.dialogs = &dialogs;
    options.quit = [] {};
    Program program(options);
    FrmMenu_1& menu = program.menu();
    ASSERT_EQ(program.state().vq.DeviceModel, "QOR 82");

    Click(menu.Label1);
    FrmFile* file = program.file();
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->Visible());
    EXPECT_EQ(file->OpenFile(), dir / "user.ini");
    Click(menu.Label1);
    EXPECT_EQ(program.file(), file);
}

}  // namespace
}  // namespace qor::test
