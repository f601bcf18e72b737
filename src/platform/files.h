// Reading and replacing the program's own files (settings, schedules, key lists). Only plain files
// of a settings file's size are read: a folder, a FIFO, a device or a runaway file is refused as
// unreadable instead of blocking the program or filling its memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qor::files {

// A settings file holds a few kilobytes; anything far beyond that is not one.
inline constexpr std::uintmax_t kMaxSettingsFileBytes = 4 * 1024 * 1024;

// The whole content of a regular file of at most kMaxSettingsFileBytes (a symbolic link to one
// counts). Nullopt for a missing, non-regular (folder, FIFO, device), unreadable or oversized
// file, with a short reason in *why. Never blocks on opening.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path,
                                           std::string* why = nullptr);

// Lines as the classic Line Input reads them: CR LF, LF or CR ends a line; a last line end adds
// no empty line.
std::vector<std::string> SplitLines(const std::string& bytes);

// ReadRegularFile + SplitLines.
std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& path,
                                                  std::string* why = nullptr);

// Replaces `target` with `contents` in one step: the bytes go to a side file created fresh under
// a unique name in the same folder (never through an existing name or link), are flushed to the
// disk and the side file is then renamed over the target. When `target` is a symbolic link, the
// file it points to is replaced and the link stays. A replaced file keeps its permissions. Two
// writers at once leave one of the two contents whole. False and *why on failure; the old file is
// then left as it was and no side file remains.
bool ReplaceFile(const std::filesystem::path& target, std::string_view contents,
                 std::string* why = nullptr);

// Whether a file the user saves by name is kept from being replaced: its owner may not write it
// (links followed). The bit decides, not an access check, which says writable to root. A missing
// name is not read-only.
bool IsReadOnly(const std::filesystem::path& path);

// ReplaceFile for a file the user saves by name: a read-only one is left as it is, with *why
// "the file is read-only".
bool ReplaceUserFile(const std::filesystem::path& target, std::string_view contents,
                     std::string* why = nullptr);

// Puts a new file holding `contents` under the name `target`, in the same one step as
// ReplaceFile. Whatever the name held (a file, a link, a FIFO, a device) is replaced by the new
// file and never opened or followed, so nothing is written anywhere but in target's folder; a
// folder under the name is left and refused. The new file has the usual permissions. False and
// *why on failure; no side file then remains.
bool WriteFreshFile(const std::filesystem::path& target, std::string_view contents,
                    std::string* why = nullptr);

}  // namespace qor::files
