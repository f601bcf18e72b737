// The schedule editor's Write (upload and read-back) and Read against the simulated amplifier on
// a real pseudo-terminal: what the device receives, the read-back file and log, the grid after.
#include <gtest/gtest.h>

#include <QAction>
#include <QTimer>
#include <filesystem>

#include "editor_fixture.h"
#include "platform/files.h"
#include "schedule/schedule_events.h"
#include "support/full_schedule.h"

namespace qor::test {
namespace {

class TransferTest : public EditorTest {
  protected:
    // The lines of a file of the program folder.
    Lines FileLines(const char* name) { return files::SplitLines(ReadBytes(dir / name)); }
    static Lines Reads() {
        Lines reads;
        for (int n = 1; n <= 16; ++n) reads.push_back(cmd::RdEvt(n));
        return reads;
    }
};

TEST_F(TransferTest, WriteOfAnEmptyGridSendsItsLinesThenReadsEveryEvent) {
    sim::SimAmp& amp = Attach(1);
    FrmEvents& e = Open();
    DblClick(2, 3);
    e.Mnuwrite_Click();
    Lines sent = files::SplitLines(EmptyGridFile());
    sent[3] = "*EVT,SET,2,0010000,00,00,1,0,1,00,1;";
    const Lines reads = Reads();
    sent.insert(sent.end(), reads.begin(), reads.end());
    ASSERT_TRUE(amp.waitForLog(sent.size(), kArrivalMs));
    EXPECT_EQ(amp.log(), sent);

    Lines retrieved, log;
    for (int n = 1; n <= 16; ++n) {
        const std::string fields = n == 2 ? "0010000,00,00,1,0,1,00,1" : sim::kClearedEvent;
        retrieved.push_back("*EVT,SET," + std::to_string(n) + "," + fields + ";");
        log.push_back(cmd::RdEvt(n));
        log.push_back("*RT,EVT," + std::to_string(n) + "," + fields + ";");
    }
    EXPECT_EQ(FileLines(schedule::kRetrievedFile), retrieved);
    EXPECT_EQ(FileLines(schedule::kLogFile), log);
    EXPECT_EQ(Event(2), (std::array<std::string, 5>{"00:00:00", "1", "Off", "Aux", "0"}));
    EXPECT_EQ(e.Text1.Text(), (dir / schedule::kRetrievedFile).string());
    EXPECT_FALSE(e.Text1.Visible());
    EXPECT_EQ(e.Text2.Text(), "0");
    EXPECT_EQ(e.Label2.Caption(), "");
    EXPECT_EQ(e.MousePointer(), ui::Pointer::Default);
    EXPECT_EQ(LastMessage(), "No retrieved schedule found ...");  // the load's; none of its own
}

TEST_F(TransferTest, WriteWithNoPortFailsEveryLineSaysSoOnceAndResetsTheRows) {
    FrmEvents& e = Open();
    DblClick(5, 1);
    DblClick(5, 10);
    Lines failed;
    e.Text1.onChange([&] {
        if (e.Text1.Text().rfind("Upload failed ", 0) == 0) failed.push_back(e.Text1.Text());
    });
    e.Mnuwrite_Click();
    Lines lines = files::SplitLines(EmptyGridFile());
    lines[9] = "*EVT,SET,5,1000000,00,00,1,1,1,00,1;";
    for (std::string& line : lines) line = "Upload failed " + line;
    EXPECT_EQ(failed, lines);
    EXPECT_EQ(FileLines(schedule::kRetrievedFile), Lines{});
    EXPECT_EQ(FileLines(schedule::kLogFile), Reads());
    EXPECT_EQ(Event(5), (std::array<std::string, 5>{"0:00:00", "1", "Off", "Aux", "0"}));
    e.MSFlexGrid1.setRow(5).setCol(1);
    EXPECT_TRUE(e.MSFlexGrid1.CellPicture().isNull());
    int errors = 0;
    for (const auto& box : dialogs.msgBoxes()) {
        if (box.text != "There were errors during upload...") continue;
        ++errors;
        EXPECT_EQ(box.icon, ui::MsgIcon::Information);
    }
    EXPECT_EQ(errors, 1);
}

// Sixteen events at 9600 baud: the read-back starts while the upload's lines are still on the
// line, and every event still comes back into its own row.
TEST_F(TransferTest, FullGridComesBackWholeFromALineAt9600Baud) {
    sim::SimAmp& amp = Attach(1, Model(2), {.paceBaud = 9600});
    const std::string file = FullScheduleFile("QOR 82");
    WriteBytes(dir / schedule::kRetrievedFile, file);
    FrmEvents& e = Open();
    std::array<std::array<std::string, 5>, 17> before;
    for (int n = 1; n <= 16; ++n) before[n] = Event(n);
    e.Mnuwrite_Click();
    EXPECT_EQ(amp.log().size(), 48u);
    EXPECT_EQ(FileLines(schedule::kRetrievedFile), files::SplitLines(file));
    for (int n = 1; n <= 16; ++n) EXPECT_EQ(Event(n), before[n]) << n;
}

TEST_F(TransferTest, ASecondTransferOrSaveChosenDuringOneIsIgnored) {
    sim::SimAmp& amp = Attach(1);
    FrmEvents& e = Open();
    dialogs.queueInput("other");
    std::string flag;
    QTimer::singleShot(0, [&] {
        flag = e.Text2.Text();
        e.Mnuwrite_Click();
        e.MnuReadEvents_Click();
        e.Command2_Click();
        e.MnuEventsFileSave_Click();
        e.MsnuEventsSaveAs_Click();
    });
    e.Mnuwrite_Click();
    EXPECT_EQ(flag, "1");
    EXPECT_FALSE(amp.waitForLog(49, 150));
    EXPECT_EQ(amp.log().size(), 48u);
    EXPECT_TRUE(dialogs.inputBoxes().empty());
    EXPECT_FALSE(std::filesystem::exists(dir / schedule::kDefaultFile));
    EXPECT_FALSE(e.Command3.Visible());
}

// Closed by its frame a few lines into a Write, the editor goes only once the Write has ended:
// the device holds the whole schedule, and the tuner panel's timers paused for it run again.
TEST_F(TransferTest, EditorClosedDuringWriteGoesOnceTheWholeScheduleIsSent) {
    sim::SimAmp& amp = Attach(1);
    state.vq.DeviceModel = "QOR 82";
    std::vector<bool> timers;
    editor = std::make_unique<FrmEvents>(ctx, [&](bool run) { timers.push_back(run); });
    editor->Load();
    editor->Show();
    DblClick(16, 2);
    int sent = 0;
    editor->Text1.onChange([&] {
        if (editor->Text1.Text().rfind("Uploading ", 0) == 0 && ++sent == 3)
            QTimer::singleShot(0, [&] { editor->widget()->close(); });
    });
    editor->Mnuwrite.action()->trigger();
    EXPECT_TRUE(editor->isUnloaded());
    EXPECT_EQ(amp.log().size(), 48u);
    EXPECT_EQ(amp.state().events[16], "0100000,00,00,1,0,1,00,1");
    EXPECT_EQ(timers, (std::vector<bool>{false, true}));
}

TEST_F(TransferTest, WriteAndReadRefuseWhenTheReadBackCannotBeKept) {
    sim::SimAmp& amp = Attach(1);
    FrmEvents& e = Open();
    std::filesystem::create_directory(dir / schedule::kLogFile);
    struct Case {
        void (FrmEvents::*choose)();
        const char* said;
    } cases[] = {{&FrmEvents::Mnuwrite_Click, "Nothing was sent."},
                 {&FrmEvents::MnuReadEvents_Click, "Nothing was read."}};
    for (const auto& c : cases) {
        (e.*c.choose)();
        EXPECT_EQ(LastMessage(), (dir / schedule::kLogFile).string() +
                                     " cannot be written (it is a folder). " + c.said);
        EXPECT_TRUE(StaysQuiet(amp)) << c.said;
        EXPECT_FALSE(std::filesystem::exists(dir / schedule::kRetrievedFile)) << c.said;
    }
}

TEST_F(TransferTest, ReadLogsEachEventAndShowsTheLogLeavingTheGrid) {
    sim::SimAmp& amp = Attach(1);
    Responder device(amp);
    device.answer(cmd::RdEvt(4), "*RT,EVT,4,1000000,06,45,1,1,1,30,1;");
    device.answer(cmd::RdEvt(5), "*RT,VOL,1,40;");
    FrmEvents& e = Open();
    e.MnuReadEvents_Click();
    EXPECT_TRUE(e.Command3.Visible());
    EXPECT_TRUE(e.RichTextBox1.Visible());
    const Lines log = FileLines(schedule::kLogFile);
    ASSERT_EQ(log.size(), 32u);
    EXPECT_EQ((Lines{log[6], log[7], log[8], log[9]}),
              (Lines{"*RD,EVT,4;", "*RT,EVT,4,1000000,06,45,1,1,1,30,1;", "*RD,EVT,5;",
                     "Error: *RT,VOL,1,40;"}));
    EXPECT_EQ(FileLines(schedule::kRetrievedFile).size(), 15u);
    EXPECT_EQ(FileLines(schedule::kRetrievedFile)[3], "*EVT,SET,4,1000000,06,45,1,1,1,30,1;");
    EXPECT_NE(e.RichTextBox1.Text().find("Error: *RT,VOL,1,40;"), std::string::npos);
    EXPECT_EQ(Event(4), (std::array<std::string, 5>{"0:00:00", "1", "Off", "Aux", "0"}));
    e.Command3_Click();
    EXPECT_FALSE(e.Command3.Visible());
}

}  // namespace
}  // namespace qor::test
