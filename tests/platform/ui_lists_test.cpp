// The list box, the drive, folder and file lists over real folders, and the rich text box's
// files: the events and the file system cases window code relies on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "support/files.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

namespace fs = std::filesystem;
using qor::test::TempFolder;
using qor::test::WriteBytes;
using test::DoubleClick;
using test::SendMouse;
using Lines = std::vector<std::string>;

QListWidget* ListOf(Control& control) { return static_cast<QListWidget*>(control.widget()); }
QPoint RowCentre(Control& control, int row) {
    QListWidget* list = ListOf(control);
    return list->visualItemRect(list->item(row)).center();
}

template <class L>
Lines Items(const L& list) {
    Lines items;
    for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
}

// Laid out like the schedule file picker, its handlers as the picker has them.
class FrmPicker : public Form {
  public:
    FrmPicker() : Form("FrmPicker") { Move(0, 0, 7000, 5000); }

    Lines log;
    DriveListBox& Drive1 = add<DriveListBox>("Drive1", {120, 120, 3000, 315})
                               .onChange(this, &FrmPicker::Drive1_Change);
    DirListBox& Dir1 = add<DirListBox>("Dir1", {120, 540, 3000, 3000})
                           .onChange(this, &FrmPicker::Dir1_Change)
                           .onClick(this, &FrmPicker::Dir1_Click);
    FileListBox& File1 = add<FileListBox>("File1", {3240, 120, 3000, 3420})
                             .setPattern("*.sch")
                             .onDblClick(this, &FrmPicker::File1_DblClick);
    TextBox& Text1 = add<TextBox>("Text1", {120, 3700, 6000, 315});

    void Drive1_Change() {
        log.push_back("Drive1_Change");
        Dir1.setPath(Drive1.Drive());
    }
    void Dir1_Change() {
        log.push_back("Dir1_Change");
        File1.setPath(Dir1.Path());
    }
    void Dir1_Click() {
        log.push_back("Dir1_Click " + std::to_string(Dir1.ListIndex()));
        File1.setPath(Dir1.Path());
        File1.Refresh();
    }
    void File1_DblClick() { Text1.setText(Dir1.Path() + "/" + File1.FileName()); }
};

class ListsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Show();
        QApplication::setActiveWindow(form.widget());
    }
    FrmPicker form;
    TempFolder dir;
};

TEST_F(ListsTest, FileListFollowsItsFolderAndPatternAndSkipsWhatIsNoPlainFile) {
    for (const char* name : {"week.sch", "Day.SCH", "notes.ini", ".hidden.sch"}) {
        WriteBytes(dir / name, "x");
    }
    for (const char* name : {"sub.sch", "a", "B", ".git"}) fs::create_directory(dir / name);
    ASSERT_EQ(::mkfifo((dir / "pipe.sch").c_str(), 0644), 0);
    fs::create_symlink("week.sch", dir / "link.sch");
    fs::create_symlink("nowhere", dir / "gone.sch");

    form.Dir1.setPath(dir.path().string() + "/./");
    form.Dir1.setPath(dir.path());
    form.Dir1.setPath(dir / "week.sch");  // no folder
    form.Dir1.setPath(dir / "missing");
    EXPECT_EQ(form.log, Lines{"Dir1_Change"});
    EXPECT_EQ(form.Dir1.Path(), dir.path().string());
    EXPECT_EQ(Items(form.Dir1), (Lines{dir / "a", dir / "B", dir / "sub.sch"}));
    EXPECT_EQ(form.Dir1.ListIndex(), -1);
    EXPECT_EQ(form.Dir1.List(-1), dir.path().string());
    EXPECT_EQ(form.Dir1.List(-2), dir.path().parent_path().string());
    EXPECT_EQ(form.File1.Path(), dir.path().string());
    EXPECT_EQ(Items(form.File1), (Lines{"Day.SCH", "link.sch", "week.sch"}));

    const struct {
        const char* pattern;
        Lines files;
    } patterns[] = {
        {"*.ini", {"notes.ini"}},
        {"*.ini; *.sch", {"Day.SCH", "link.sch", "notes.ini", "week.sch"}},
        {"*.*", {"Day.SCH", "link.sch", "notes.ini", "week.sch"}},
        {"*.txt", {}},
        {"*.sch", {"Day.SCH", "link.sch", "week.sch"}},
    };
    for (const auto& p : patterns) {
        form.File1.setPattern(p.pattern);
        EXPECT_EQ(Items(form.File1), p.files) << p.pattern;
    }

    // The list shows the folder as it was read, until Refresh.
    WriteBytes(dir / "new.sch", "");
    fs::remove(dir / "week.sch");
    EXPECT_EQ(Items(form.File1), (Lines{"Day.SCH", "link.sch", "week.sch"}));
    form.File1.Refresh();
    EXPECT_EQ(Items(form.File1), (Lines{"Day.SCH", "new.sch"}));

    // A double-click in the folder list opens the folder; the file list follows it.
    WriteBytes(dir / "sub.sch" / "inner.sch", "");
    const int subRow = ListOf(form.Dir1)->count() - form.Dir1.ListCount() + 2;
    DoubleClick(ListOf(form.Dir1)->viewport(), RowCentre(form.Dir1, subRow));
    EXPECT_EQ(form.Dir1.Path(), (dir / "sub.sch").string());
    EXPECT_EQ(Items(form.File1), Lines{"inner.sch"});
    EXPECT_EQ(form.Dir1.ListCount(), 0);

    // A folder name that is a FIFO or a file lists nothing, and does not wait.
    form.File1.setPath(dir / "pipe.sch");
    EXPECT_EQ(form.File1.ListCount(), 0);
    form.File1.setPath(dir / "new.sch");
    EXPECT_EQ(form.File1.ListCount(), 0);
}

TEST_F(ListsTest, AFolderThatCannotBeReadListsNothing) {
    fs::create_directories(dir / "locked" / "inner");
    WriteBytes(dir / "locked" / "week.sch", "");
    ::chmod(dir.path().c_str(), 0755);
    ::chmod((dir / "locked").c_str(), 0311);  // may be entered, not read
    {
        qor::test::UserFileRights asUser;
        form.Dir1.setPath(dir / "locked");
        EXPECT_EQ(form.Dir1.Path(), (dir / "locked").string());
        EXPECT_EQ(form.Dir1.ListCount(), 0);
        EXPECT_EQ(form.File1.Path(), (dir / "locked").string());
        EXPECT_EQ(form.File1.ListCount(), 0);
        form.File1.Refresh();
        EXPECT_EQ(form.File1.ListCount(), 0);
    }
    ::chmod((dir / "locked").c_str(), 0755);
    form.File1.Refresh();
    EXPECT_EQ(Items(form.File1), Lines{"week.sch"});
}

TEST_F(ListsTest, PickerChoosesAFileAndTheDriveIsTheRoot) {
    for (const char* name : {"a.sch", "week.sch"}) WriteBytes(dir / name, "");
    form.Dir1.setPath(dir.path());
    form.log.clear();

    EXPECT_EQ(form.Drive1.Drive(), "/");
    form.Drive1.setDrive("c");
    form.Drive1.setDrive("/");
    EXPECT_EQ(form.Drive1.Drive(), "/");
    EXPECT_TRUE(form.log.empty());

    // Chosen by name from code: no Click; kept through a refresh.
    form.File1.setFileName("a.sch");
    EXPECT_EQ(form.File1.ListIndex(), 0);
    form.File1.Refresh();
    EXPECT_EQ(form.File1.ListIndex(), 0);

    DoubleClick(ListOf(form.File1)->viewport(), RowCentre(form.File1, 1));
    EXPECT_EQ(form.File1.FileName(), "week.sch");
    EXPECT_EQ(form.Text1.Text(), (dir / "week.sch").string());

    // A click in the folder list chooses an entry without opening it.
    QTest::mouseClick(ListOf(form.Dir1)->viewport(), Qt::LeftButton, {},
                      RowCentre(form.Dir1, ListOf(form.Dir1)->count() - 2));
    EXPECT_EQ(form.log, Lines{"Dir1_Click -2"});
    EXPECT_EQ(form.Dir1.Path(), dir.path().string());
    form.Dir1.setListIndex(-2);
    form.Dir1.setListIndex(-1);
    EXPECT_EQ(form.log, (Lines{"Dir1_Click -2", "Dir1_Click -1"}));
}

TEST_F(ListsTest, ListBoxRaisesClickOnAnotherChoiceAndDblClickFromTheUser) {
    auto& list = form.add<ListBox>("List1", {120, 4100, 3000, 900});
    int clicks = 0, dblClicks = 0;
    list.onClick([&] { ++clicks; });
    list.onDblClick([&] { ++dblClicks; });
    list.AddItem("One").AddItem("Three").AddItem("Two", 1);
    EXPECT_EQ(Items(list), (Lines{"One", "Two", "Three"}));
    EXPECT_EQ(list.ListIndex(), -1);

    // The keyboard's focus chooses nothing by itself.
    list.SetFocus();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks, 0);

    list.setListIndex(2);
    list.setListIndex(2);
    list.setListIndex(7);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.Text(), "Three");
    list.AddItem("Zero", 0);
    EXPECT_EQ(list.Text(), "Three") << "the chosen item stays chosen";

    QTest::mouseClick(ListOf(list)->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(list.Text(), "One");
    DoubleClick(ListOf(list)->viewport(), RowCentre(list, 1));
    EXPECT_EQ(dblClicks, 1);
    EXPECT_EQ(clicks, 2);

    list.RemoveItem(1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Text(), "");
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ListsTest, RichTextBoxLoadsAndSavesPlainTextByName) {
    auto& rich = form.add<RichTextBox>("RichTextBox1", {120, 4100, 6000, 800})
                     .setText("Doubleclick cells to open them ....");
    WriteBytes(dir / "user.ini", "[Zone1]\r\nName=Keuken\nMax=80\r\n");
    ASSERT_EQ(::mkfifo((dir / "pipe.ini").c_str(), 0644), 0);
    fs::create_directory(dir / "folder.ini");

    for (const char* bad : {"missing.ini", "pipe.ini", "folder.ini"}) {
        std::string why;
        EXPECT_FALSE(rich.LoadFile(dir / bad, &why)) << bad;
        EXPECT_FALSE(why.empty());
    }
    EXPECT_TRUE(rich.FileName().empty());
    EXPECT_EQ(rich.Text(), "Doubleclick cells to open them ....");

    ASSERT_TRUE(rich.LoadFile(dir / "user.ini"));
    EXPECT_EQ(rich.FileName(), dir / "user.ini");
    EXPECT_EQ(rich.Text(), "[Zone1]\r\nName=Keuken\r\nMax=80\r\n");

    rich.setText("[Zone2]\nName=Tuin");
    ASSERT_TRUE(rich.SaveFile(dir / "user.txt"));
    EXPECT_EQ(qor::test::ReadBytes(dir / "user.txt"), "[Zone2]\r\nName=Tuin");
    std::string why;
    EXPECT_FALSE(rich.SaveFile(dir / "nowhere" / "user.txt", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(rich.FileName(), dir / "user.ini") << "saving does not change the loaded file";
}

}  // namespace
}  // namespace qor::ui
