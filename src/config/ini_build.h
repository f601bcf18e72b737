// The command builder of a configuration upload: for every key of the key list it finds the key's
// line as the checker does (config/ini_check.h) and turns the value into device commands. Its
// messages, bounds and case rules are its own and differ from the checker's on purpose: a file
// the checker passes may still hold values the device must not get.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/basic.h"
#include "common/state.h"

namespace qor {

inline constexpr const char* kUploadFileName = "upload.txt";
inline constexpr const char* kDontUploadFileName = "dontupload.txt";

// One key list line turned into "0" (nothing to send), a device command, two commands joined by
// CR LF (a preset frequency, a clock event) or a message. Names and zone on/off are taken into
// vq.PresetName, vq.ZoneName and vq.ZoneOn as they are built, before anything is sent. An empty
// text gives " 98 : ini file not loaded..." and changes nothing.
std::string BuildIniCommand(std::string_view text, std::string_view key, VariablesQor& vq);

// The last line of upload.txt: "End build : " and the date and time.
std::string EndBuildLine(const DateTime& t);

// The two files of one upload, line by line.
struct UploadBuild {
    // Commands in key list order, a two-command result as two lines, then EndBuildLine. Every
    // line is sent, the last one included.
    std::vector<std::string> uploadLines;
    // The result of every key list line that does not start with "*": a message or "0".
    std::vector<std::string> dontUploadLines;
    // The text was empty: nothing was built, no line is to be sent (uploadLines is empty and
    // dontUploadLines holds the first key's " 98" line); the user is shown
    // InvalidLengthText(first key) once.
    bool emptyText = false;
};
struct UploadBuildHooks {
    // The clock of the last line; unset: NowLocal().
    std::function<DateTime()> now;
    // Called with each key before it is built ("Building " + key in the status label).
    std::function<void(const std::string& key)> onKey;
};
UploadBuild BuildUpload(std::string_view text, const std::vector<std::string>& keyList,
                        VariablesQor& vq, const UploadBuildHooks& hooks = {});

// Writes upload.txt and dontupload.txt (lines ending CR LF) into the program folder, each
// replaced in one step. False and *why when either cannot be written.
bool WriteUploadFiles(const std::filesystem::path& programDir, const UploadBuild& build,
                      std::string* why = nullptr);

}  // namespace qor
