// Drive, folder and file lists over the real file system. Paths are the file system's own bytes.
// A folder that cannot be read lists nothing; listing never opens a file, so FIFOs and devices
// cannot stall it.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/lists.h"

class QComboBox;

namespace qor::ui {

namespace detail {
class ListWidget;
}

// The drives to choose from; on this system one, the root "/". Change: another drive was
// chosen, by the user or from code.
class DriveListBox : public ControlOf<DriveListBox> {
  public:
    DriveListBox(ControlKey, Form& form, std::string name);

    std::string Drive() const;
    // A drive this system lacks ("c:", say) leaves the choice as it was and raises nothing.
    DriveListBox& setDrive(const std::string& drive);

    QOR_UI_EVENT(DriveListBox, onChange, change_)

  private:
    QComboBox* box() const;
    Event<> change_;
};

// The open folder, its parents above it and its subfolders below. ListIndex -1 is the open
// folder (Path), -2 its parent and so on up to the root; 0 to ListCount - 1 are the subfolders.
// Click: another entry was chosen (by the user, or ListIndex from code); a double-click opens
// it. Change: Path changed (a double-click, or Path set from code to another folder).
class DirListBox : public ControlOf<DirListBox> {
  public:
    DirListBox(ControlKey, Form& form, std::string name);

    const std::string& Path() const { return path_; }
    // A relative path counts from the working folder. A path that is no folder leaves the list
    // as it was and raises nothing.
    DirListBox& setPath(const std::string& path);
    // The number of subfolders.
    int ListCount() const;
    // The full path of an entry; "" outside the list.
    std::string List(int index) const;
    int ListIndex() const;
    DirListBox& setListIndex(int index);

    QOR_UI_EVENT(DirListBox, onChange, change_)
    QOR_UI_EVENT(DirListBox, onClick, click_)

  private:
    detail::ListWidget* list() const;
    void fill();
    int openRow() const { return static_cast<int>(parents_.size()); }

    std::string path_;
    std::vector<std::string> parents_;  // the root first
    std::vector<std::string> children_;
    Event<> change_, click_;
};

// The plain files of Path whose names match Pattern (any case; several patterns apart by ";"),
// sorted by name. Hidden files, folders, FIFOs and devices are left out. Setting Path or Pattern
// reads the folder again; Refresh reads it again as it now is.
class FileListBox : public ListControl<FileListBox> {
  public:
    FileListBox(ControlKey, Form& form, std::string name);

    const std::string& Path() const { return path_; }
    // A relative path counts from the working folder. A missing or unreadable folder lists
    // nothing.
    FileListBox& setPath(const std::string& path);
    const std::string& Pattern() const { return pattern_; }
    FileListBox& setPattern(const std::string& pattern);
    // The chosen file's name, without folder: the item chosen last, or the name set from code
    // (which chooses its item when listed). It stays through a Refresh.
    const std::string& FileName() const { return fileName_; }
    FileListBox& setFileName(const std::string& name);
    void Refresh();

  private:
    void itemChosen(int index) override;
    std::string path_;
    std::string pattern_ = "*.*";
    std::string fileName_;
};

}  // namespace qor::ui
