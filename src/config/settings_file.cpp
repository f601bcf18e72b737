#include "config/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qor {

namespace {

std::string Describe(const char* step, const std::filesystem::path& path, int err) {
    return std::string(step) + " " + path.string() + ": " + std::strerror(err);
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

// So that the rename itself survives a power cut. A folder that cannot be synced changes nothing
// about the result: the file is already complete under its new name.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::filesystem::path SettingsFilePath(const std::filesystem::path& programDir) {
    return programDir / kSettingsFileName;
}

std::string StartupCopyName(const DateTime& date) {
    return "startup" + std::to_string(date.day) + std::to_string(date.month) +
           std::to_string(date.year) + "0" + ".ini";
}

void IniText::line(std::string_view text) {
    text_.append(text);
    text_.append("\r\n");
}

void IniText::section(std::string_view name) {
    if (name != "Tuner_Freq") line(" ");
    text_.append("[");
    text_.append(name);
    line("]");
}

void IniText::key(std::string_view key, std::string_view value) {
    text_.append(key);
    text_.append("=");
    line(value);
}

bool ReplaceFile(const std::filesystem::path& path, std::string_view content, std::string* error) {
    std::filesystem::path side = path;
    side += ".new";
    auto fail = [&](const char* step, const std::filesystem::path& where, int err) {
        if (error) *error = Describe(step, where, err);
        return false;
    };

    struct stat old {};
    const bool hadOld = ::stat(path.c_str(), &old) == 0;

    const int fd = ::open(side.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return fail("cannot create", side, errno);

    const char* step = nullptr;
    int err = 0;
    if (!WriteAll(fd, content))
        step = "cannot write";
    else if (::fsync(fd) != 0)
        step = "cannot flush";
    if (step) err = errno;
    if (::close(fd) != 0 && !step) {
        step = "cannot close";
        err = errno;
    }
    if (step) {
        ::unlink(side.c_str());
        return fail(step, side, err);
    }
    // A replaced file keeps the permissions it had.
    if (hadOld) ::chmod(side.c_str(), old.st_mode & 07777);
    if (::rename(side.c_str(), path.c_str()) != 0) {
        err = errno;
        ::unlink(side.c_str());
        return fail("cannot rename over", path, err);
    }
    SyncFolder(path.parent_path());
    return true;
}

}  // namespace qor
