// The rich text box, used as a plain-text editor and log view: text in and out, and whole files
// loaded and saved by name.
#pragma once

#include <filesystem>
#include <string>

#include "platform/ui/control.h"

class QPlainTextEdit;

namespace qor::ui {

class RichTextBox : public ControlOf<RichTextBox> {
  public:
    RichTextBox(ControlKey, Form& form, std::string name);

    // Lines end in CR LF, as the classic box gave them; text set from code may end its lines in
    // CR LF, LF or CR.
    std::string Text() const;
    RichTextBox& setText(const std::string& text);

    // The file last loaded; empty until a load succeeds.
    const std::filesystem::path& FileName() const { return fileName_; }
    // Shows the whole file as plain text and remembers its name. A missing file, a folder, a
    // FIFO or an oversized file leaves text and name as they were: false, the reason in *why.
    bool LoadFile(const std::filesystem::path& file, std::string* why = nullptr);
    // Writes the text as plain text, replacing the file in one step; a failed write leaves the
    // old file. False and the reason in *why on failure.
    bool SaveFile(const std::filesystem::path& file, std::string* why = nullptr) const;

  private:
    QPlainTextEdit* editor() const;
    std::filesystem::path fileName_;
};

}  // namespace qor::ui
