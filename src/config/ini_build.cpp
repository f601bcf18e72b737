#include "config/ini_build.h"

namespace qor {

std::string BuildIniCommand(std::string_view, std::string_view, VariablesQor&) { return "?"; }
std::string EndBuildLine(const DateTime&) { return {}; }
UploadBuild BuildUpload(std::string_view, const std::vector<std::string>&, VariablesQor&,
                        const UploadBuildHooks&) {
    UploadBuild b;
    b.emptyText = true;
    return b;
}
bool WriteUploadFiles(const std::filesystem::path&, const UploadBuild&, std::string*) {
    return false;
}

}  // namespace qor
