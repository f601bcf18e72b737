// The device snapshot: reads everything the amplifier reports about its zones and tuner and writes
// it, with the program's own names and temperature texts, into user.ini in the program folder.
// Two windows take it, with a few differences (see SnapshotVariant).
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "common/basic.h"
#include "common/state.h"
#include "link/link.h"

namespace qor {

enum class SnapshotVariant {
    // The main window's readinistart at start-up: keeps the day's copy of the old file, writes a
    // missing file anew, writes the tuner sections only on the tuner model, reads the tuner
    // sensitivity and the zones' on/off state from the device and keeps them.
    Startup,
    // The INI manager's Read (MnuReadIni_Click): rewrites an existing file only, reads the tuner
    // of every model, stores 88.8 MHz in presets that hold no frequency, takes sensitivity and
    // on/off from the program's state and changes none of it, then opens the editor.
    ManagerRead,
};

struct SnapshotHooks {
    // Progress text: the main window's Label13 or the INI manager's Label4; raw preset answers
    // are shown there too, and "" clears it when the file is done.
    std::function<void(const std::string&)> status;
    // The hourglass pointer: true at the start, false at the end (also when nothing was written).
    std::function<void(bool)> busy;
    // The INI manager's file-name box text, which the file-name rule cleans up on the way. Unset,
    // or returning nullptr when the window does not exist: the box counts as empty.
    std::function<std::string*()> managerText;
    // Today's date, for the name of the start-up copy. Unset: NowLocal().
    std::function<DateTime()> now;
    // ManagerRead only: the INI manager's File1_DblClick, run last, also when nothing was written.
    std::function<void()> afterRead;
};

enum class SnapshotOutcome {
    Written,      // user.ini holds the new snapshot
    Refused,      // the file-name rule refused the path: nothing read, old file kept
    NoFile,       // ManagerRead without a user.ini: nothing read, nothing written
    WriteFailed,  // the device was read but user.ini could not be replaced: old file kept whole
};

struct SnapshotResult {
    SnapshotOutcome outcome = SnapshotOutcome::Written;
    // The start-up copy was due but could not be made. It never stops the snapshot: it is a
    // convenience for the user, and a failing disk shows up again in the main write.
    bool copyFailed = false;
    std::string error;  // what went wrong with the copy or the write, for a log
};

// Runs on the caller's thread from start to end; every read is one exchange on `link`, and a
// missing or bad answer only leaves its key line out.
SnapshotResult TakeSnapshot(SnapshotVariant variant, Link& link, SharedState& state,
                            const std::filesystem::path& programDir,
                            const SnapshotHooks& hooks = {});

// What the user is told when a snapshot could not write user.ini: the folder and the reason
// (`why`, as SnapshotResult::error holds it), so that a failed write is never taken for a saved
// one.
std::string SettingsNotWrittenText(const std::filesystem::path& programDir, const std::string& why);

// Reads the tuner sensitivity and sets TunerSensitivity to "High", "Mid" or "Low"; a failed send,
// an answer of another item or a value other than 1, 2 or 3 leaves it as it was.
void ReadTunerSensitivity(Link& link, SharedState& state);

}  // namespace qor
