#include "support/files.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace qor::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string name = (fs::temp_directory_path() / "qor-config-XXXXXX").string();
    if (::mkdtemp(name.data())) path_ = name;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (path_.empty()) return;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

std::vector<std::string> FolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

UserFileRights::UserFileRights() {
    if (::syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        lowered[cap / 32].effective &= ~(1u << (cap % 32));
    active_ = ::syscall(SYS_capset, &header_, lowered) == 0;
}

UserFileRights::~UserFileRights() {
    if (active_) ::syscall(SYS_capset, &header_, saved_);
}

namespace {
constexpr auto kReadAndEnter = fs::perms::owner_read | fs::perms::owner_exec |
                               fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
}

// The folder's owner may change its mode with the rights lowered too.
ReadOnlyFolder::ReadOnlyFolder(const fs::path& folder) : folder_(folder) {
    fs::permissions(folder_, kReadAndEnter);
}

ReadOnlyFolder::~ReadOnlyFolder() {
    std::error_code ec;
    fs::permissions(folder_, kReadAndEnter | fs::perms::owner_write, ec);
}

FullDisk::FullDisk(rlim_t bytes) {
    if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) return;
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    handler_ = ::signal(SIGXFSZ, SIG_IGN);
    active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FullDisk::~FullDisk() {
    if (active_) ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, handler_);
}

}  // namespace qor::test
