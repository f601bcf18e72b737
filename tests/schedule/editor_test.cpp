// The schedule editor and its file picker, drawn offscreen with scripted dialogs, in a fresh
// program folder: the grid's cells and editors, the files written and read, the picker's Open and
// Delete.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/program.h"
#include "editor_fixture.h"
#include "schedule/frm_open_schedule.h"
#include "support/menu_fixture.h"

namespace qor::test {
namespace {

const std::string kEmptyGrid = EmptyGridFile();

TEST_F(EditorTest, OpensWithTheGridResetWhenNoScheduleWasRetrieved) {
    FrmEvents& e = Open();
    EXPECT_EQ(LastMessage(), "No retrieved schedule found ...");
    ui::MSFlexGrid& g = e.MSFlexGrid1;
    ASSERT_EQ(g.Rows(), 17);
    ASSERT_EQ(g.Cols(), 13);
    EXPECT_EQ(g.TextMatrix(0, 0), "nr.");
    EXPECT_EQ(g.TextMatrix(0, 8), "Uur/Min");
    EXPECT_EQ(g.TextMatrix(16, 0), "16");
    for (auto [col, width] : {std::pair{1, 500}, {7, 500}, {9, 500}, {10, 700}, {12, 700}})
        EXPECT_NEAR(g.ColWidth(col), width, 15) << col;  // whole pixels
    EXPECT_EQ(Event(16), (std::array<std::string, 5>{"0:00:00", "1", "Off", "Aux", "0"}));
    e.Command2_Click();  // alone it writes and sends nothing
    EXPECT_EQ(ReadBytes(dir / "DefResuSched.txt"), kEmptyGrid);
}

TEST_F(EditorTest, DayAndOnOffDoubleClicksToggleAndAreWritten) {
    FrmEvents& e = Open();
    DblClick(2, 7);
    DblClick(2, 10);
    ui::MSFlexGrid& g = e.MSFlexGrid1;
    EXPECT_EQ(Cell(2, 10), "On");
    EXPECT_EQ(g.CellForeColor(), QColor(255, 0, 0));
    EXPECT_EQ(g.setCol(11).CellBackColor(), QColor(255, 255, 255));
    e.MnuEventsFileSave_Click();
    EXPECT_NE(ReadBytes(dir / "default_sched.txt").find("*EVT,SET,2,0000001,00,00,1,1,1,00,1;"),
              std::string::npos);
    DblClick(2, 7);
    DblClick(2, 10);
    EXPECT_EQ(Cell(2, 10), "Off");
    EXPECT_EQ(g.CellForeColor(), QColor(0, 0, 0));
    EXPECT_EQ(g.setCol(12).CellBackColor(), ui::SysColor(15));
    e.MnuEventsFileSave_Click();
    EXPECT_EQ(ReadBytes(dir / "default_sched.txt"), kEmptyGrid);
}

TEST_F(EditorTest, SourceListFollowsTheModelAndRefusesAnEventThatIsOff) {
    for (const char* model : {"QOR 81", "QOR 82"}) {
        FrmEvents& e = Open(model);
        EXPECT_EQ(e.Combo2.ListCount(), std::string(model) == "QOR 82" ? 7 : 1);
        const auto said = dialogs.msgBoxes().size();
        DblClick(4, 11);  // a reset row is Off, though its source cell was never coloured
        DblClick(3, 10);
        DblClick(3, 10);  // switched Off: its source cell turns button-face
        DblClick(3, 11);
        EXPECT_EQ(dialogs.msgBoxes().size(), said + 2);
        EXPECT_EQ(LastMessage(), "You can't adjust this item if zone is set to 'Off' ... ");
        EXPECT_FALSE(e.Combo2.Visible());
    }
    FrmEvents& e = Open("QOR 82");
    DblClick(3, 10);
    e.MSFlexGrid1.setRow(3).setCol(11).setText("Preset 3");
    DblClick(3, 11);
    EXPECT_TRUE(e.Combo2.Visible());
    EXPECT_EQ(e.Combo2.Text(), "Preset 3");
    e.Combo2.setListIndex(5);
    EXPECT_EQ(Cell(3, 11), "Preset 5");
    EXPECT_FALSE(e.Combo2.Visible());
}

TEST_F(EditorTest, SaveAsNamesAFileOfTheProgramFolder) {
    FrmEvents& e = Open();
    dialogs.queueInput("my week");
    e.MsnuEventsSaveAs_Click();
    EXPECT_EQ(ReadBytes(dir / "my_week.sch"), kEmptyGrid);
    EXPECT_EQ(e.Caption(), (dir / "my_week.sch").string());
    // Cancelled: nothing is written, and the ".sch" it leaves is the program folder's on Save.
    dialogs.queueInput("");
    e.MsnuEventsSaveAs_Click();
    EXPECT_EQ(e.Text1.Text(), ".sch");
    EXPECT_FALSE(std::filesystem::exists(dir / ".sch"));
    e.MnuEventsFileSave_Click();
    EXPECT_EQ(ReadBytes(dir / ".sch"), kEmptyGrid);
}

TEST_F(EditorTest, AWriteThatCannotBeDoneKeepsTheOldFile) {
    WriteBytes(dir / "DefResuSched.txt", "*EVT,SET,1,1000000,07,xx,1,1,1,20,1;\r\n");
    FrmEvents& e = Open();
    EXPECT_EQ(Cell(1, 8), "07:xx:00");
    e.Command2_Click();
    EXPECT_EQ(LastMessage(), "Event 1 has no valid time (07:xx:00): nothing was written.");
    EXPECT_EQ(ReadBytes(dir / "DefResuSched.txt"), "*EVT,SET,1,1000000,07,xx,1,1,1,20,1;\r\n");
    EXPECT_EQ(e.MousePointer(), ui::Pointer::Default);

    e.MSFlexGrid1.setTextMatrix(1, 8, "7:30:00");
    ::chmod(dir.path().c_str(), 0555);
    {
        UserFileRights asUser;
        e.Command2_Click();
    }
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_NE(LastMessage().find("could not be written"), std::string::npos);
}

TEST_F(EditorTest, LoadingSurvivesAnyFile) {
    const std::string huge(5 * 1024 * 1024, 'x');
    for (const std::string& bytes :
         {std::string("\0\xff*EVT,SET,\x01\r\r\n;;;,,,", 19), std::string(300000, ','), huge}) {
        WriteBytes(dir / "DefResuSched.txt", bytes);
        Open();
        EXPECT_EQ(Cell(1, 10), "Off");
    }
    EXPECT_EQ(LastMessage(), "No retrieved schedule found ...");
}

TEST(ScheduleProgram, OneEditorAndAWriteCreatesNoTunerPanel) {
    TempFolder dir;
    ui::ScriptedDialogs dialogs;
    ProgramOptions options;
    options.programDir = dir.path();
    options.portMapper = [&](int) { return (dir / "no-such-port").string(); };
    options.pollTime = kSilencePoll;
    options.dialogs = &dialogs;
    Program program(options);
    program.state().vq.DeviceModel = "QOR 82";
    program.ShowEvents();
    FrmEvents* editor = program.events();
    ASSERT_NE(editor, nullptr);
    program.ShowEvents();
    EXPECT_EQ(program.events(), editor);
    editor->Mnuwrite_Click();
    EXPECT_EQ(program.tuner(), nullptr);
    editor->Unload();
    ui::DoEvents();
    EXPECT_EQ(program.events(), nullptr);
}

// --- the picker ---

TEST_F(EditorTest, PickerOpensAFileIntoTheEditorWhenItIsActiveAgain) {
    WriteBytes(dir / "week.sch", "*EVT,CLR,02;\r\n*EVT,SET,2,1111100,06,45,3,1,2,30,4;\r\n");
    FrmEvents& e = Open();
    e.Show();
    e.MnuEventsFileOpen_Click();
    FrmOpenSchedule* p = e.picker();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->File1.ListCount(), 1);
    p->File1.setListIndex(0);
    p->File1_DblClick();
    EXPECT_EQ(p->Text1.Text(), (dir / "week.sch").string());
    p->Command1_Click();
    EXPECT_EQ(e.Caption(), (dir / "week.sch").string());
    Activate(e);
    EXPECT_EQ(state.vq.OpenSchedulePath, "");
    EXPECT_EQ(Event(2), (std::array<std::string, 5>{"06:45:00", "3", "On", "Preset 4", "30"}));
    // Save now writes the opened file.
    e.MnuEventsFileSave_Click();
    EXPECT_NE(ReadBytes(dir / "week.sch").find("*EVT,SET,2,1111100,06,45,3,1,2,30,4;"),
              std::string::npos);
    // A name typed without its folder is the listed folder's file, whatever the working folder.
    e.MnuEventsFileOpen_Click();
    e.picker()->Text1.setText("week.sch");
    e.picker()->Command1_Click();
    EXPECT_EQ(state.vq.SchedulePath, (dir / "week.sch").string());
    EXPECT_EQ(e.Text1.Text(), (dir / "week.sch").string());
}

TEST_F(EditorTest, PickerDeletesOnlyWhatTheUserConfirms) {
    FrmEvents& e = Open();
    e.MnuEventsFileOpen_Click();
    FrmOpenSchedule& p = *e.picker();
    const auto file = dir / "old.sch";
    struct Case {
        bool exists;
        mode_t mode;
        ui::MsgAnswer answer;
        bool gone;
        std::string said;
        std::string typed = "";  // the full path unless given
    } cases[] = {
        {true, 0644, ui::MsgAnswer::Cancel, false, "Are you sure you to delete file : "},
        {true, 0644, ui::MsgAnswer::OK, true, "Are you sure you to delete file : "},
        {true, 0644, ui::MsgAnswer::OK, true, "Are you sure you to delete file : ", "old.sch"},
        {true, 0444, ui::MsgAnswer::OK, false, "could not be deleted: the file is read-only."},
        {false, 0644, ui::MsgAnswer::OK, false, " not found... ."},
    };
    for (const auto& c : cases) {
        if (c.exists) WriteBytes(file, "x"), ::chmod(file.c_str(), c.mode);
        dialogs.queueAnswer(c.answer);
        const std::string typed = c.typed.empty() ? file.string() : c.typed;
        p.Text1.setText(typed);
        p.Command2_Click();
        EXPECT_EQ(std::filesystem::exists(file), c.exists && !c.gone) << c.said;
        EXPECT_NE(LastMessage().find(c.said), std::string::npos) << LastMessage();
        EXPECT_EQ(p.Text1.Text(), c.exists ? "" : typed);
        std::filesystem::remove(file);
    }
    const auto boxes = dialogs.msgBoxes().size();
    p.Text1.setText("");
    p.Command2_Click();
    EXPECT_EQ(dialogs.msgBoxes().size(), boxes);
}

}  // namespace
}  // namespace qor::test
