// The schedule editor: the grid of the amplifier's 16 clock events, edited cell by cell through
// editors laid over the cells; schedule files opened through the picker, saved and saved under a
// new name; the grid uploaded to the device and read back, with a log.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "link/context.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/single.h"
#include "schedule/schedule_events.h"

namespace qor {

class FrmOpenSchedule;

class FrmEvents : public ui::Form {
    // First, so the controls below can use them.
    Context& ctx_;

  public:
    // `tunerTimers(false)` pauses the tuner panel's two timers during an upload and
    // `tunerTimers(true)` starts them again; it leaves a tuner panel that is not loaded alone.
    explicit FrmEvents(Context& ctx, std::function<void(bool)> tunerTimers = {});
    ~FrmEvents() override;

    // The grid's width: its columns and a margin.
    static constexpr double kGridWidth = 960 + 7 * 500 + 960 + 500 + 3 * 700 + 100;

    // The picker while it is loaded, else null.
    FrmOpenSchedule* picker() const;
    // Whether an upload or a read-back is running (parked at one of its yields).
    bool transferring() const { return transferring_; }

    // --- controls, in design order ----------------------------------------------------------
    ui::Menu& MnuEventsFile = addMenu("MnuEventsFile", "File");
    ui::Menu& MnuEventsFileOpen = addMenu("MnuEventsFileOpen", "&Open")
                                      .in(MnuEventsFile)
                                      .onClick(this, &FrmEvents::MnuEventsFileOpen_Click);
    ui::Menu& MnuEventsFileSave = addMenu("MnuEventsFileSave", "&Save")
                                      .in(MnuEventsFile)
                                      .onClick(this, &FrmEvents::MnuEventsFileSave_Click);
    ui::Menu& MsnuEventsSaveAs = addMenu("MsnuEventsSaveAs", "Save &As")
                                     .in(MnuEventsFile)
                                     .onClick(this, &FrmEvents::MsnuEventsSaveAs_Click);
    ui::Menu& Mnuwrite = addMenu("Mnuwrite", "Write").onClick(this, &FrmEvents::Mnuwrite_Click);
    ui::Menu& MnuReadEvents =
        addMenu("MnuReadEvents", "Read").onClick(this, &FrmEvents::MnuReadEvents_Click);

    // A small sans face, so "Preset 1" fits its 700-twip column as on the classic grid.
    ui::MSFlexGrid& MSFlexGrid1 = add<ui::MSFlexGrid>("MSFlexGrid1", {0, 0, kGridWidth, 4395})
                                      .setFont("Arial", 8)
                                      .onClick(this, &FrmEvents::MSFlexGrid1_Click)
                                      .onDblClick(this, &FrmEvents::MSFlexGrid1_DblClick);
    ui::Label& Label1 = add<ui::Label>("Label1", {120, 4500, 3000, 255})
                            .setBackStyle(ui::BackStyle::Transparent)
                            .setCaption("Doubleclick cells  to edit ");
    ui::Label& Label2 =
        add<ui::Label>("Label2", {3240, 4500, 4800, 255}).setBackStyle(ui::BackStyle::Transparent);
    ui::RichTextBox& RichTextBox1 = add<ui::RichTextBox>("RichTextBox1", {120, 4860, 6600, 1695})
                                        .setFont("Arial Narrow", 9)
                                        .setText("Doubleclick cells to open them ....");
    ui::CommandButton& Command2 = add<ui::CommandButton>("Command2", {6840, 4860, 1275, 375})
                                      .setCaption("Send to Qor")
                                      .onClick(this, &FrmEvents::Command2_Click);
    ui::CommandButton& Command3 = add<ui::CommandButton>("Command3", {6840, 5340, 1275, 375})
                                      .setCaption("Close Read")
                                      .setVisible(false)
                                      .onClick(this, &FrmEvents::Command3_Click);
    // The upload flag: "1" makes the next write upload what it wrote. Kept out of sight.
    ui::TextBox& Text2 =
        add<ui::TextBox>("Text2", {6840, 6240, 1275, 315}).setText("Text2").setVisible(false);
    // The current schedule's name or path; shows the upload's progress while one runs, on the
    // status line's place, which is empty then.
    ui::TextBox& Text1 =
        add<ui::TextBox>("Text1", {3240, 4440, 4875, 345}).setLocked(true).setVisible(false);
    ui::PictureBox& Picture2 =
        add<ui::PictureBox>("Picture2", {120, 6720, 210, 225}).setPicture(DayMark());
    ui::PictureBox& Picture1 =
        add<ui::PictureBox>("Picture1", {390, 6720, 210, 225}).setPicture(TestMark());
    ui::CommandButton& Command1 = add<ui::CommandButton>("Command1", {660, 6660, 1275, 375})
                                      .setCaption("Command1")
                                      .onClick(this, &FrmEvents::Command1_Click);

    // The cell editors, shown over a cell by a double-click.
    ui::ComboBox& Combo1 = add<ui::ComboBox>("Combo1", {0, 0, 500, 315})
                               .setStyle(ui::ComboStyle::DropdownList)
                               .setVisible(false)
                               .onClick(this, &FrmEvents::Combo1_Click)
                               .onLostFocus(this, &FrmEvents::Combo1_LostFocus);
    ui::ComboBox& Combo2 = add<ui::ComboBox>("Combo2", {0, 0, 1200, 315})
                               .setStyle(ui::ComboStyle::DropdownList)
                               .setVisible(false)
                               .onClick(this, &FrmEvents::Combo2_Click)
                               .onLostFocus(this, &FrmEvents::Combo2_LostFocus);
    ui::DTPicker& DTPicker1 = add<ui::DTPicker>("DTPicker1", {0, 0, 1200, 315})
                                  .setVisible(false)
                                  .onChange(this, &FrmEvents::DTPicker1_Change)
                                  .onCloseUp(this, &FrmEvents::DTPicker1_CloseUp)
                                  .onLostFocus(this, &FrmEvents::DTPicker1_LostFocus);
    ui::Slider& Slider1 = add<ui::Slider>("Slider1", {0, 0, 1800, 315})
                              .setMax(99)
                              .setSmallChange(1)
                              .setLargeChange(5)
                              .setVisible(false)
                              .onScroll(this, &FrmEvents::Slider1_Scroll)
                              .onChange(this, &FrmEvents::Slider1_Change)
                              .onLostFocus(this, &FrmEvents::Slider1_LostFocus);

    // --- event handlers -------------------------------------------------------------------
    void MSFlexGrid1_Click() {}
    void MSFlexGrid1_DblClick();
    void Combo1_Click();
    void Combo1_LostFocus();
    void Combo2_Click();
    void Combo2_LostFocus();
    void DTPicker1_Change();
    void DTPicker1_CloseUp();
    void DTPicker1_LostFocus();
    void Slider1_Scroll();
    void Slider1_Change();
    void Slider1_LostFocus();
    void Command1_Click();  // test button
    void Command2_Click();  // "Send to Qor"
    void Command3_Click();  // "Close Read"
    void MnuEventsFileOpen_Click();
    void MnuEventsFileSave_Click();
    void MsnuEventsSaveAs_Click();
    void Mnuwrite_Click();
    void MnuReadEvents_Click();

  protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

  private:
    static QPixmap DayMark();
    static QPixmap TestMark();

    // The grid's rows as events, and back.
    schedule::EventRow rowAt(int row);
    bool hasDayMark();
    void setOn(bool on);
    void ClearScheduleGrid();
    void InitScheduleGrid();
    void resetRows(bool removePictures);
    // Writes the grid to `path` and uploads it when the flag says so. False when nothing was
    // written (a time that is no time, a file that cannot be written). A file the user names
    // (`byUser`) is not replaced when it is read-only.
    bool WriteScheduleEvents(const std::filesystem::path& path, bool byUser = false);
    void LoadScheduleFile(const std::filesystem::path& path);
    void LoadRetrievedSchedule();
    void loadLines(const std::filesystem::path& path, schedule::Reader reader,
                   const std::string& failure);
    void UploadSchedule(const std::filesystem::path& path);
    // False when the read-back file or the log could not be written (said already).
    bool ReadScheduleFromDevice();
    // Whether the read-back file and the log can be written; says why not, and `consequence`,
    // when they cannot.
    bool transferFilesWritable(const std::string& consequence);
    void sendToQor();
    std::filesystem::path inProgramFolder(const std::string& name) const;
    template <class C>
    void overCell(C& editor, double left);
    void message(const std::string& text, ui::MsgIcon icon = ui::MsgIcon::None);

    std::function<void(bool)> tunerTimers_;
    bool transferring_ = false;
    // A Write runs: the window's close waits for its end, so the device never holds half a
    // schedule.
    bool writing_ = false;
    bool closeAfterWrite_ = false;
    ui::Single<FrmOpenSchedule> picker_;
};

}  // namespace qor
