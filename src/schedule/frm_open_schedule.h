// The schedule file picker: drives, folders and the schedule files of a folder; opens one into the
// editor or deletes one.
#pragma once

#include "link/context.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace qor {

class FrmEvents;

class FrmOpenSchedule : public ui::Form {
    // First, so the controls below can use them.
    Context& ctx_;
    FrmEvents& editor_;

  public:
    FrmOpenSchedule(Context& ctx, FrmEvents& editor);

    ui::DriveListBox& Drive1 = add<ui::DriveListBox>("Drive1", {120, 120, 3015, 315})
                                   .onChange(this, &FrmOpenSchedule::Drive1_Change);
    ui::DirListBox& Dir1 = add<ui::DirListBox>("Dir1", {120, 540, 3015, 2535})
                               .onChange(this, &FrmOpenSchedule::Dir1_Change)
                               .onClick(this, &FrmOpenSchedule::Dir1_Click);
    ui::FileListBox& File1 = add<ui::FileListBox>("File1", {3255, 120, 2895, 2955})
                                 .setPattern("*.sch")
                                 .onDblClick(this, &FrmOpenSchedule::File1_DblClick);
    ui::TextBox& Text1 = add<ui::TextBox>("Text1", {120, 3195, 6030, 315});
    ui::CommandButton& Command1 = add<ui::CommandButton>("Command1", {3675, 3630, 1155, 375})
                                      .setCaption("Open")
                                      .onClick(this, &FrmOpenSchedule::Command1_Click);
    ui::CommandButton& Command2 = add<ui::CommandButton>("Command2", {4995, 3630, 1155, 375})
                                      .setCaption("Delete")
                                      .onClick(this, &FrmOpenSchedule::Command2_Click);

    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Click();
    void File1_DblClick();
    void Command1_Click();  // Open
    void Command2_Click();  // Delete

  protected:
    void Form_Load() override;

  private:
    // The path box's file: a typed name that is not a full path is one of the folder the file
    // list shows, so what is opened is the file that Save writes and Delete removes.
    std::string chosenPath() const;
};

}  // namespace qor
