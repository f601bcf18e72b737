// Program folders for the tests: a fresh one for each test, its bytes, and the two ways a folder
// refuses a write (read-only, or a full disk) made on purpose.
#pragma once

#include <linux/capability.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qor::test {

// A fresh, empty program folder for one test, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& p);
void WriteBytes(const std::filesystem::path& p, const std::string& bytes);
// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

// While it lives, the calling thread keeps to the file permissions as a user does, also when the
// tests run as root: a read-only folder then refuses it. Other threads keep their rights.
class UserFileRights {
  public:
    UserFileRights();
    ~UserFileRights();
    UserFileRights(const UserFileRights&) = delete;
    UserFileRights& operator=(const UserFileRights&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

// While it lives, `folder` may be read and entered but not written, and the calling thread keeps
// to that as a user does; afterwards the folder is the owner's again.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(const std::filesystem::path& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  private:
    std::filesystem::path folder_;
    UserFileRights rights_;
};

// While it lives, no file of this process grows past `bytes`: a write beyond fails part-way, as
// on a full disk, root included (a file size limit, its signal ignored).
class FullDisk {
  public:
    explicit FullDisk(rlim_t bytes);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool active() const { return active_; }

  private:
    rlimit saved_{};
    void (*handler_)(int) = nullptr;
    bool active_ = false;
};

}  // namespace qor::test
