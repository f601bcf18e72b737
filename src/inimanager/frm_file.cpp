#include "inimanager/frm_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "common/basic.h"
#include "config/file_name_rule.h"
#include "config/ini_check.h"
#include "config/settings_file.h"
#include "config/snapshot.h"
#include "platform/files.h"
#include "platform/ui/dialogs.h"

namespace qor {

namespace fs = std::filesystem;

namespace {

constexpr double kStripHeight = 500;
constexpr double kWidthMargin = 10;
constexpr const char* kDesignCaption = "Manage INI Files ";

}  // namespace

FrmFile::FrmFile(Context& ctx) : Form("FrmFile"), ctx_(ctx) {
    setCaption(kDesignCaption);
    Move(900, 900, 9240, 6600);
}

// --- design helpers ----------------------------------------------------------------------

ui::Label& FrmFile::caption(const char* name, const ui::TwipRect& rect, const char* text) {
    return add<ui::Label>(name, rect).setBackStyle(ui::BackStyle::Transparent).setCaption(text);
}

ui::Label& FrmFile::statusLabel(const char* name) {
    return caption(name, {120, 5460, 8775, 255}, "");
}

ui::FileListBox& FrmFile::fileList(const char* name, const ui::TwipRect& rect) {
    return add<ui::FileListBox>(name, rect).setPattern("*.ini").setVisible(false);
}

// --- helpers -----------------------------------------------------------------------------

fs::path FrmFile::InFolder(const std::string& name) const { return ctx_.programDir / name; }

void FrmFile::ShowList(ui::FileListBox& list) {
    list.setPath(ctx_.programDir.string());
    list.Refresh();
    list.setVisible(true);
}

void FrmFile::SizeEditor(double lessHeight) {
    RichTextBox1.setHeight(std::max(0.0, ScaleHeight() - lessHeight));
    RichTextBox1.setWidth(std::max(0.0, ScaleWidth() - kWidthMargin));
}

void FrmFile::LoadEditor(const fs::path& file) {
    std::string why;
    if (RichTextBox1.LoadFile(file, &why)) {
        openFile_ = file;
        lastLoadFailure_.clear();
        setCaption("Ini File ' " + file.filename().string() + " ' Opened");
        return;
    }
    // An empty editor with no file open, so nothing of an older file is saved under this name;
    // the caption names no file either.
    RichTextBox1.setText("");
    openFile_.clear();
    setCaption(kDesignCaption);
    const std::string failure = file.string() + " (" + why + ")";
    if (failure == lastLoadFailure_) return;
    lastLoadFailure_ = failure;
    ctx_.dialogs.MsgBox("Ini file " + failure + " could not be opened... . The editor is empty.",
                        ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
}

int FrmFile::truefiln(const std::string& name) {
    std::string box = Text1.Text();
    const int result = qor::truefiln(name, box);
    Text1.setText(box);
    return result;
}

bool FrmFile::RefuseProgramFile(std::initializer_list<std::string> names) {
    for (const std::string& name : names) {
        if (!IsProgramReadFile(name)) continue;
        ctx_.dialogs.MsgBox("Not saved: " + InFolder(name).string() +
                                " is read by the program itself and is kept as it is. Please save "
                                "the configuration under another name.",
                            ui::MsgButtons::OK, ui::MsgIcon::Exclamation, "File not saved...");
        return true;
    }
    return false;
}

bool FrmFile::SaveIniAs(const std::string& name) {
    const fs::path textFile = InFolder(TextTwinName(name));
    const fs::path iniFile = InFolder(name);
    const std::string text = RichTextBox1.Text();
    // Both files are looked at before either is written: a read-only one keeps the other too.
    std::string why;
    for (const fs::path& file : {textFile, iniFile})
        if (why.empty() && files::IsReadOnly(file))
            why = file.filename().string() + " is read-only";
    const bool saved = why.empty() && files::ReplaceFile(textFile, text, &why) &&
                       (textFile == iniFile || files::ReplaceFile(iniFile, text, &why));
    if (!saved) {
        ctx_.dialogs.MsgBox("File not saved as " + iniFile.string() + " (" + why +
                                "). The file on disc is kept as it was.",
                            ui::MsgButtons::OK, ui::MsgIcon::Critical, "File not saved...");
        return false;
    }
    ctx_.dialogs.MsgBox("File saved as " + iniFile.string(), ui::MsgButtons::OK,
                        ui::MsgIcon::Information, "File saved...");
    return true;
}

std::optional<std::vector<std::string>> FrmFile::KeyList() {
    std::string why;
    auto keys = ReadKeyList(ctx_.programDir, &why);
    if (!keys)
        ctx_.dialogs.MsgBox(KeyListMissingText(ctx_.programDir, why), ui::MsgButtons::OK,
                            ui::MsgIcon::Critical);
    return keys;
}

int FrmFile::IniHasErrors() {
    const auto keys = KeyList();
    if (!keys) return 1;
    RichTextBox1.setVisible(false);
    Label1.setVisible(false);
    Label2.setVisible(false);
    Label3.setVisible(true);
    IniScanHooks hooks;
    hooks.onKey = [this](const std::string& key) {
        // Each key's check shows the editor again, so it stays visible once a key is checked.
        RichTextBox1.setVisible(true);
        Label3.setCaption("Scanning " + key);
        Label3.Refresh();
    };
    const IniScan scan = ScanIniText(RichTextBox1.Text(), *keys, hooks);
    Label3.setVisible(false);
    // The log is a record beside the save; a folder that takes no log takes no save either, and
    // the save says so.
    WriteCheckLog(ctx_.programDir, scan);
    // An empty editor is said once, not once per key.
    if (scan.emptyText) ctx_.dialogs.MsgBox(CheckIniFile(scan).text);
    return qor::IniHasErrors(scan);
}

// --- window ------------------------------------------------------------------------------

void FrmFile::Form_Load() {
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Text1, &Label2, &Command1, &File2})
        c->setVisible(false);
    Label1.setVisible(true);
    SizeEditor(kStripHeight);
    RichTextBox1.setVisible(true);
    File1.setPath(ctx_.programDir.string());
    File1.Refresh();
    File1.setFileName("user.ini");
    LoadEditor(SettingsFilePath(ctx_.programDir));
}

// Every switch to this window from another reads the device into user.ini again and shows the
// chosen file; its own message boxes closing do not count.
void FrmFile::Form_Activate() { MnuReadIni_Click(); }

void FrmFile::Form_Resize() {
    if (ScaleHeight() > kStripHeight + 1) RichTextBox1.setHeight(ScaleHeight() - kStripHeight);
    RichTextBox1.setWidth(std::max(0.0, ScaleWidth() - kWidthMargin));
    // The status lines stay on the strip at the foot.
    for (ui::Label* status : {&Label3, &Label4})
        status->Move(120, std::max(0.0, ScaleHeight() - 420), std::max(0.0, ScaleWidth() - 240),
                     255);
}

// --- views -------------------------------------------------------------------------------

void FrmFile::MnuOpenIni_Click() {
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Text1, &Label2, &Command1, &File2,
                                                              &File3, &RichTextBox1})
        c->setVisible(false);
    Label1.setVisible(true);
    ShowList(File1);
    setCaption("Pick Ini File to open... ");
    Label1.setCaption("Doubleclick file to open it");
    Label1.setFontBold(false);
}

void FrmFile::MnuDeleteIni_Click() {
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Text1, &Label2, &Command1, &File2,
                                                              &File1, &RichTextBox1})
        c->setVisible(false);
    Label1.setVisible(true);
    ShowList(File3);
    Label1.setCaption("Doubleclick file to delete it.");
    // A delete is not undone: its hint stands out.
    Label1.setFontBold(true);
    setCaption("Choose ini file to delete ... ");
}

void FrmFile::MnuSaveAsIni_Click() {
    if (openFile_.empty()) {
        ctx_.dialogs.MsgBox("Nothing to save... . Open a configuration before clicking Save As ");
        return;
    }
    RichTextBox1.setVisible(false);
    File1.setVisible(false);
    Label2.setVisible(true);
    ShowList(File2);
    Command1.setVisible(true);
    Text1.setVisible(true);
    setCaption("Pick or enter name to save opened Ini File : ' " + openFile_.filename().string() +
               " ' to ");
}

void FrmFile::File1_DblClick() {
    const std::string chosen = File1.FileName();
    const std::string name = chosen.empty() ? std::string("user.ini") : chosen;
    File1.setVisible(false);
    SizeEditor(150);
    RichTextBox1.setVisible(true);
    LoadEditor(InFolder(name));
}

void FrmFile::File2_DblClick() { Text1.setText(File2.FileName()); }

void FrmFile::Command1_Click() {
    if (truefiln(Text1.Text()) != 0) {
        ctx_.dialogs.MsgBox(
            "Syntax filename incorrect... .Please make sure it ends with .ini and contains at "
            "least one alphanumeric character ");
        Text1.SetFocus();
        return;
    }
    const std::string name = Trim(Text1.Text());
    // Refused before the check, so no log is written; the view stays for another name.
    if (RefuseProgramFile({name, TextTwinName(name)})) {
        Text1.SetFocus();
        return;
    }
    IniHasErrors();
    // A save that failed keeps the view, so another name can be tried.
    if (SaveIniAs(name)) MnuOpenIni_Click();
}

void FrmFile::MnuSaveIni_Click() {
    // The file the editor holds, not whichever one a list has chosen since; nothing after a load
    // that failed, so the editor it left empty is not written over that file.
    if (openFile_.empty()) {
        ctx_.dialogs.MsgBox("Nothing to save... . Open a configuration before clicking Save");
        return;
    }
    // An open lookforinini.ini would put its text copy over the key list.
    const std::string name = openFile_.filename().string();
    if (RefuseProgramFile({TextTwinName(name)})) return;
    IniHasErrors();
    SaveIniAs(name);
}

void FrmFile::File3_DblClick() {
    const std::string name = File3.FileName();
    if (name.empty()) return;
    const fs::path file = InFolder(name);
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        ctx_.dialogs.MsgBox(name + " not found... .");
        return;
    }
    if (ctx_.dialogs.MsgBox("Are you sure you to delete file : " + name + " ?",
                            ui::MsgButtons::OKCancel, ui::MsgIcon::None,
                            "Delete Ini file... QOR system") != ui::MsgAnswer::OK)
        return;
    // A read-only file is not forced, as the classic delete would not.
    std::string why;
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) {
        why = std::strerror(errno);
    } else if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
        why = "the file is read-only";
    } else if (!fs::remove(file, ec)) {
        why = ec ? ec.message() : "it is no longer there";
    }
    if (!why.empty()) {
        ctx_.dialogs.MsgBox(name + " could not be deleted (" + why + ").", ui::MsgButtons::OK,
                            ui::MsgIcon::Exclamation);
        return;
    }
    ctx_.dialogs.MsgBox(name + " wiped from disc.");
    MnuOpenIni_Click();
}

// --- device ------------------------------------------------------------------------------

void FrmFile::MnuReadIni_Click() {
    SnapshotHooks hooks;
    hooks.status = [this](const std::string& text) {
        Label4.setCaption(text);
        Label4.Refresh();
    };
    hooks.busy = [this](bool busy) {
        setMousePointer(busy ? ui::Pointer::Hourglass : ui::Pointer::Default);
    };
    hooks.managerText = [this] {
        readBox_ = Text1.Text();
        return &*readBox_;
    };
    hooks.afterRead = [this] {
        if (readBox_) Text1.setText(*readBox_);
        readBox_.reset();
        File1_DblClick();
    };
    const SnapshotResult result =
        TakeSnapshot(SnapshotVariant::ManagerRead, ctx_.link, ctx_.state, ctx_.programDir, hooks);
    if (result.outcome == SnapshotOutcome::WriteFailed) {
        ctx_.dialogs.MsgBox(SettingsNotWrittenText(ctx_.programDir, result.error),
                            ui::MsgButtons::OK, ui::MsgIcon::Critical);
    }
}

}  // namespace qor
