// Program folders for the tests: a fresh one for each test, its bytes, and the two ways a folder
// refuses a write (read-only, or a full disk) made on purpose.
#pragma once

#include <linux/capability.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qor::test {

// A fresh, empty program folder for one test, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "qor-config-XXXXXX").string();
        if (::mkdtemp(name.data())) path_ = name;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// The names in a folder, sorted.
inline std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// While it lives, the calling thread keeps to the file permissions as a user does, also when the
// tests run as root: a read-only folder then refuses it. Other threads keep their rights.
class UserFileRights {
  public:
    UserFileRights() {
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            lowered[cap / 32].effective &= ~(1u << (cap % 32));
        active_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~UserFileRights() {
        if (active_) ::syscall(SYS_capset, &header_, saved_);
    }
    UserFileRights(const UserFileRights&) = delete;
    UserFileRights& operator=(const UserFileRights&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

// While it lives, `folder` may be read and entered but not written, and the calling thread keeps
// to that as a user does; afterwards the folder is the owner's again. (The owner may change its
// folder's mode with the rights lowered too.)
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {
        std::filesystem::permissions(folder_, kReadAndEnter);
    }
    ~ReadOnlyFolder() {
        std::error_code ec;
        std::filesystem::permissions(folder_, kReadAndEnter | std::filesystem::perms::owner_write,
                                     ec);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  private:
    static constexpr auto kReadAndEnter =
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
        std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
        std::filesystem::perms::others_read | std::filesystem::perms::others_exec;
    std::filesystem::path folder_;
    UserFileRights rights_;
};

// While it lives, no file of this process grows past `bytes`: a write beyond fails part-way, as
// on a full disk, root included (a file size limit, its signal ignored).
class FullDisk {
  public:
    explicit FullDisk(rlim_t bytes) {
        if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) return;
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        handler_ = ::signal(SIGXFSZ, SIG_IGN);
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FullDisk() {
        if (active_) ::setrlimit(RLIMIT_FSIZE, &saved_);
        if (handler_ != SIG_ERR) ::signal(SIGXFSZ, handler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool active() const { return active_; }

  private:
    rlimit saved_{};
    sighandler_t handler_ = SIG_ERR;
    bool active_ = false;
};

}  // namespace qor::test
