// The INI manager: one configuration file of the program folder as editable plain text, with
// views to open, save under another name and delete such files, the device read into user.ini
// (also on every activation) and the upload of the open text to the device.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "link/context.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace qor {

class FrmFile : public ui::Form {
    // First, so the controls below can use it.
    Context& ctx_;

  public:
    explicit FrmFile(Context& ctx);

    // The file-name rule over the window's own file-name box Text1: 0 when `name` is accepted,
    // 1 when refused; Text1 is cleaned up on the way.
    int truefiln(const std::string& name);

    // The file the editor last loaded, at the window's load or from the open list, which Save
    // writes; empty when none is open (also after a load that failed).
    const std::filesystem::path& OpenFile() const { return openFile_; }

    // --- controls, in design order (later ones lie above earlier ones) ---------------------
    ui::Menu& MnuOpenIni = addMenu("MnuOpenIni", "Open").onClick(this, &FrmFile::MnuOpenIni_Click);
    ui::Menu& MnuSaveIni = addMenu("MnuSaveIni", "Save").onClick(this, &FrmFile::MnuSaveIni_Click);
    ui::Menu& MnuSaveAsIni =
        addMenu("MnuSaveAsIni", "Save As").onClick(this, &FrmFile::MnuSaveAsIni_Click);
    ui::Menu& MnuDeleteIni =
        addMenu("MnuDeleteIni", "Delete").onClick(this, &FrmFile::MnuDeleteIni_Click);
    ui::Menu& MnuWriteIni =
        addMenu("MnuWriteIni", "Write").onClick(this, &FrmFile::MnuWriteIni_Click);
    ui::Menu& MnuReadIni = addMenu("MnuReadIni", "Read").onClick(this, &FrmFile::MnuReadIni_Click);

    // Progress of the check and the upload, and of the device read; on the strip under the editor.
    ui::Label& Label3 = statusLabel("Label3").setVisible(false);
    ui::Label& Label4 = statusLabel("Label4");

    // The open and delete lists with their hint, left; the save-as view, right.
    ui::Label& Label1 = caption("Label1", {120, 120, 4335, 255}, "DoubleClick to open");
    ui::FileListBox& File1 =
        fileList("File1", {120, 420, 4335, 4110}).onDblClick(this, &FrmFile::File1_DblClick);
    ui::FileListBox& File3 =
        fileList("File3", {120, 420, 4335, 4110}).onDblClick(this, &FrmFile::File3_DblClick);
    ui::Label& Label2 = caption("Label2", {4680, 120, 1455, 255}, "Save file as :");
    ui::TextBox& Text1 = add<ui::TextBox>("Text1", {4680, 420, 3135, 315});
    ui::CommandButton& Command1 = add<ui::CommandButton>("Command1", {7935, 390, 975, 375})
                                      .setCaption("Save")
                                      .onClick(this, &FrmFile::Command1_Click);
    ui::FileListBox& File2 =
        fileList("File2", {4680, 840, 4335, 3690}).onDblClick(this, &FrmFile::File2_DblClick);

    // The editor, over the whole window but the strip at its foot.
    ui::RichTextBox& RichTextBox1 = add<ui::RichTextBox>("RichTextBox1", {0, 0, 9105, 5385});

    // --- event handlers ------------------------------------------------------------------
    void MnuOpenIni_Click();
    void MnuSaveIni_Click();
    void MnuSaveAsIni_Click();
    void MnuDeleteIni_Click();
    void MnuWriteIni_Click();
    void MnuReadIni_Click();
    void File1_DblClick();
    void File2_DblClick();
    void File3_DblClick();
    void Command1_Click();

    void Form_Activate() override;

  protected:
    void Form_Load() override;
    void Form_Resize() override;

  private:
    ui::Label& caption(const char* name, const ui::TwipRect& rect, const char* text);
    ui::Label& statusLabel(const char* name);
    ui::FileListBox& fileList(const char* name, const ui::TwipRect& rect);

    // Saves the editor text as `name` in the program folder (and its ".txt" copy) and says so;
    // false when it could not or either file is read-only, the old files then kept.
    bool SaveIniAs(const std::string& name);
    // Says so and gives true when one of `names` is a file the program reads itself, which no
    // save replaces.
    bool RefuseProgramFile(std::initializer_list<std::string> names);
    // The silent check of the editor text before a save, with its log: 1 when any key has an
    // error, or when the text could not be checked at all (no key list, an empty editor).
    int IniHasErrors();
    // The lines of lookforinini.txt; nullopt, and said, when it cannot be read.
    std::optional<std::vector<std::string>> KeyList();
    // Points the list at the program folder and reads it again.
    void ShowList(ui::FileListBox& list);
    // The editor shows `file`, named in the caption; a file that cannot be read leaves it empty
    // and the caption the window's own, and says why, once for the same file and reason until a
    // load succeeds.
    void LoadEditor(const std::filesystem::path& file);
    void SizeEditor(double lessHeight);
    std::filesystem::path InFolder(const std::string& name) const;

    std::filesystem::path openFile_;
    std::string lastLoadFailure_;
    // The file-name box's text while a device read cleans it up.
    std::optional<std::string> readBox_;
};

}  // namespace qor
