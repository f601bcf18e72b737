// The rich text box, used as a plain-text editor and log view: text in and out, and whole files
// loaded and saved by name. Any file the file helpers read is taken, at any line length.
//
// Bytes and text: each byte is the character of the same number (Latin-1, as the classic box's
// ANSI text), so every byte comes back as it went in, save that a line ends at CR LF, LF or CR and
// comes back ended with CR LF. A typed character outside Latin-1 comes back as "?".
#pragma once

#include <filesystem>
#include <string>

#include "platform/ui/control.h"

class QPlainTextEdit;

namespace qor::ui {

class RichTextBox : public ControlOf<RichTextBox> {
  public:
    // Lines wrap at the box's width. A line longer than this is shown cut into pieces of this
    // many characters, each starting on a new row: laying out one long line takes time that grows
    // faster than the line, and would hold the program for minutes. The cuts are not part of the
    // text; while a line is cut, the box keeps no undo (undoing the join of two pieces would bring
    // a line end back where the cut was).
    static constexpr std::size_t kPiece = 4096;

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
