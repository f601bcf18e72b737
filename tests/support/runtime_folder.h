// A run-time folder of the run's own, as a desktop session gives each program; without one Qt's
// standard paths complain at start-up and fall back to a folder shared by every run.
#pragma once

#include <stdlib.h>

#include <QtGlobal>
#include <filesystem>
#include <string>

namespace qor::test {

// Sets XDG_RUNTIME_DIR to a fresh private folder when it is unset, and removes that folder again.
class RuntimeFolder {
  public:
    RuntimeFolder() {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
        // mkdtemp makes it 0700, as Qt asks of a run-time folder.
        std::string name = (std::filesystem::temp_directory_path() / "qor-runtime-XXXXXX").string();
        if (!::mkdtemp(name.data())) return;
        path_ = name;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(name));
    }
    ~RuntimeFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

  private:
    std::filesystem::path path_;
};

}  // namespace qor::test
