#include "schedule/frm_open_schedule.h"

#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/ui/dialogs.h"
#include "schedule/frm_events.h"

namespace qor {

FrmOpenSchedule::FrmOpenSchedule(Context& ctx, FrmEvents& editor)
    : Form("FrmOpenSchedule"), ctx_(ctx), editor_(editor) {
    setCaption("Open existing schedule file");
    setBorderStyle(ui::FormBorderStyle::FixedSingle);
    Move(1200, 1200, 6400, 4600);
    setHeight(Height() - ScaleHeight() + 4125);
}

void FrmOpenSchedule::Form_Load() {
    Dir1.setPath(ctx_.programDir.string());
    // The classic picker chose drive C here; this system's one drive is the root.
    Drive1.setDrive("/");
    File1.setPath(ctx_.programDir.string());
}

void FrmOpenSchedule::Drive1_Change() { Dir1.setPath(Drive1.Drive()); }

void FrmOpenSchedule::Dir1_Change() {
    File1.setPath(Dir1.Path());
    File1.Refresh();
}

void FrmOpenSchedule::Dir1_Click() {
    Dir1_Change();
    File1.Refresh();
}

void FrmOpenSchedule::File1_DblClick() {
    Text1.setText((std::filesystem::path(Dir1.Path()) / File1.FileName()).string());
}

std::string FrmOpenSchedule::chosenPath() const {
    const std::filesystem::path typed(Text1.Text());
    if (typed.empty() || typed.is_absolute()) return typed;
    return (std::filesystem::path(File1.Path()) / typed).string();
}

void FrmOpenSchedule::Command1_Click() {
    const std::string path = chosenPath();
    auto& vq = ctx_.state.vq;
    vq.OpenSchedulePath = path;
    vq.SchedulePath = path;
    editor_.Text1.setText(path);
    editor_.setCaption(path);
    Unload();
}

void FrmOpenSchedule::Command2_Click() {
    const std::string path = chosenPath();
    if (path.empty()) return;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        ctx_.dialogs.MsgBox(path + " not found... .");
        return;
    }
    if (ctx_.dialogs.MsgBox("Are you sure you to delete file : " + path + " ?",
                            ui::MsgButtons::OKCancel, ui::MsgIcon::None,
                            "Delete Ini file... QOR system") == ui::MsgAnswer::OK) {
        // Not forced: a read-only file stays, as does one the folder will not give up.
        std::string why;
        if (files::IsReadOnly(path)) {
            why = "the file is read-only";
        } else if (!std::filesystem::remove(path, ec)) {
            why = ec ? ec.message() : "it has gone";
        }
        if (!why.empty())
            ctx_.dialogs.MsgBox(path + " could not be deleted: " + why + ".", ui::MsgButtons::OK,
                                ui::MsgIcon::Exclamation);
    }
    File1.Refresh();
    Text1.setText("");
}

}  // namespace qor
