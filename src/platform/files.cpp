#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace qor::files {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNotPlain = "not a plain file";
constexpr const char* kTooLarge = "larger than 4 MiB, too large for a settings file";

// A file name may only ever meet this many links on its way; more is a loop.
constexpr int kMaxLinkHops = 40;

std::string Reason(int err) { return std::strerror(err); }

std::string Reason(const char* step, int err) { return std::string(step) + ": " + Reason(err); }

template <typename T>
T Fail(std::string* why, std::string reason, T result) {
    if (why) *why = std::move(reason);
    return result;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a name finally stands for once its links are followed, as writing through the name
// would reach it. A name that does not exist (yet) stands for itself.
std::optional<fs::path> FinalTarget(const fs::path& target, int& err) {
    fs::path p = target;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno == ENOENT) return p;
            err = errno;
            return std::nullopt;
        }
        if (!S_ISLNK(st.st_mode)) return p;
        std::error_code ec;
        const fs::path link = fs::read_symlink(p, ec);
        if (ec) {
            err = ec.value();
            return std::nullopt;
        }
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    err = ELOOP;
    return std::nullopt;
}

// A fresh name beside `file` that no other writer would pick: "user.ini.k3Zq9a.new". Never ends
// in the file's own extension, so a leftover does not pass for a settings file.
fs::path SideName(const fs::path& file) {
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random{std::random_device{}() ^
                                        (static_cast<std::uint64_t>(::getpid()) << 32)};
    std::string tag(8, ' ');
    for (char& c : tag) c = kChars[random() % (sizeof(kChars) - 1)];
    fs::path side = file;
    side += "." + tag + ".new";
    return side;
}

// So that the rename itself survives a power cut. A folder that cannot be synced changes nothing
// about the result: the file is already complete under its new name.
void SyncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<std::string> ReadRegularFile(const fs::path& path, std::string* why) {
    const auto none = std::optional<std::string>{};
    struct stat st {};
    // Looked at before opening: opening a device or a FIFO can wait or have effects of its own.
    if (::stat(path.c_str(), &st) != 0) return Fail(why, Reason(errno), none);
    if (!S_ISREG(st.st_mode)) return Fail(why, kNotPlain, none);
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxSettingsFileBytes)
        return Fail(why, kTooLarge, none);

    // Should the name have been swapped for a FIFO meanwhile, the open still returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Fail(why, Reason(errno), none);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0) return Fail(why, Reason(errno), none);
    if (!S_ISREG(st.st_mode)) return Fail(why, kNotPlain, none);

    // Read to the end rather than trusting the size: a file may grow while it is read.
    std::string content;
    content.reserve(static_cast<std::size_t>(st.st_size));
    std::array<char, 64 * 1024> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail(why, Reason(errno), none);
        }
        if (n == 0) break;
        content.append(buffer.data(), static_cast<std::size_t>(n));
        if (content.size() > kMaxSettingsFileBytes) return Fail(why, kTooLarge, none);
    }
    return content;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool pending = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            pending = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
            pending = true;
        }
    }
    if (pending) lines.push_back(line);
    return lines;
}

std::optional<std::vector<std::string>> ReadLines(const fs::path& path, std::string* why) {
    const auto bytes = ReadRegularFile(path, why);
    if (!bytes) return std::nullopt;
    return SplitLines(*bytes);
}

namespace {

// Writes `contents` to a side file beside `file` and renames it over `file`. `keep` (when given)
// holds the permissions the new file takes.
bool WriteAndRename(const fs::path& file, std::string_view contents, const mode_t* keep,
                    std::string* why) {
    // O_EXCL with O_NOFOLLOW: the side file is new, never an existing file or a link left there.
    fs::path side;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        side = SideName(file);
        fd = ::open(side.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return Fail(why, Reason("cannot create a new file", errno), false);

    const char* step = nullptr;
    int err = 0;
    if (keep) ::fchmod(fd, *keep);
    if (!WriteAll(fd, contents))
        step = "cannot write";
    else if (::fsync(fd) != 0)
        step = "cannot flush to the disk";
    if (step) err = errno;
    if (::close(fd) != 0 && !step) {
        step = "cannot close";
        err = errno;
    }
    if (!step && ::rename(side.c_str(), file.c_str()) != 0) {
        step = "cannot rename over the old file";
        err = errno;
    }
    if (step) {
        ::unlink(side.c_str());
        return Fail(why, Reason(step, err), false);
    }
    SyncFolder(file.parent_path());
    return true;
}

}  // namespace

bool ReplaceFile(const fs::path& target, std::string_view contents, std::string* why) {
    int err = 0;
    const auto file = FinalTarget(target, err);
    if (!file) return Fail(why, Reason(err), false);

    struct stat old {};
    const bool hadOld = ::stat(file->c_str(), &old) == 0;
    // A folder, FIFO or device under the name is not ours to replace.
    if (hadOld && !S_ISREG(old.st_mode)) return Fail(why, kNotPlain, false);
    // The replaced file keeps its permissions.
    const mode_t keep = old.st_mode & 07777;
    return WriteAndRename(*file, contents, hadOld ? &keep : nullptr, why);
}

bool IsReadOnly(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

bool ReplaceUserFile(const fs::path& target, std::string_view contents, std::string* why) {
    if (IsReadOnly(target)) return Fail(why, "the file is read-only", false);
    return ReplaceFile(target, contents, why);
}

bool WriteFreshFile(const fs::path& target, std::string_view contents, std::string* why) {
    struct stat old {};
    // The rename would fail on a folder anyway; said plainly here.
    if (::lstat(target.c_str(), &old) == 0 && S_ISDIR(old.st_mode))
        return Fail(why, "a folder is in the way", false);
    return WriteAndRename(target, contents, nullptr, why);
}

}  // namespace qor::files
