// The key checker of configuration texts: for every key of the key list it finds the key's line in
// the text, takes the value and checks it by the key's family, giving "0" or a numbered Dutch
// message. The texts and bounds are the ones users have always seen, odd blanks included.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/basic.h"

namespace qor {

// The key list: one key a line, spelled as in the configuration text; its order is the order of
// checking and of uploading.
inline constexpr const char* kKeyListFileName = "lookforinini.txt";

// String field helpers; each gives "" for "".
// The characters after the first "_" up to the second one: "Zone1_Volume" -> "Volume"; "" with no
// "_".
std::string KeyAfterUnderscore(std::string_view key);
// The last character of the part before the first "_": "Preset3_Freq" -> "3", "Clock12_Event" ->
// "2" (the whole text is that part when it has no "_").
std::string KeyIndexDigit(std::string_view key);
// The characters before the first "," or ".": "88.8" -> "88"; the whole text when there is none.
std::string ValueBeforeComma(std::string_view value);
int CountCommas(std::string_view text);
// The characters after the first "," or "." up to the next one, letters and digits only: "88.8" ->
// "8"; "" for "105".
std::string ValueAfterCommaAlnum(std::string_view value);
// Only the letters A to Z (either case) and the digits stay.
std::string KeepAlphaNum(std::string_view text);
// The family word that selects a key's rule: KeyAfterUnderscore of the trimmed key, upper-cased.
std::string IniKeyFamily(std::string_view key);

// The text holds nothing but blanks, tabs and line ends: there is no file to check or upload.
bool IsEmptyIniText(std::string_view text);
// What the user is shown, once, for an empty text; the key follows the text.
std::string InvalidLengthText(std::string_view key);

// Where a key stands in a configuration text.
enum class KeyPlace {
    EmptyText,  // the text is empty or only blanks, tabs and line ends
    NotFound,   // the trimmed key does not occur in the text
    NoEquals,   // its line ends before any "="
    Found,      // `value` holds what follows the "=" up to CR, LF or the end of the text
};
struct KeyLine {
    KeyPlace place = KeyPlace::NotFound;
    std::string value;  // untrimmed
};
// The first occurrence of the trimmed key anywhere in the text counts, case-sensitive (inside a
// longer key, a value or a header alike); an empty key occurs at the very start.
KeyLine LocateKey(std::string_view text, std::string_view key);

// The check of one key list line: "0" when accepted, else the message and (mostly) the key. An
// empty text gives InvalidLengthText(key): it counts as a failed check.
std::string CheckIniLine(std::string_view text, std::string_view key);

// The fields of a clock event value ("M,8,30,1,ON,AUX,20,0"): "0" or the message of the last
// failing field, field 7's replacing any other; a wrong comma count ends the check at once.
std::string CheckClockEventValue(std::string_view value, std::string_view key);

// The general date and time text of the log lines and the upload's last line:
// "09-12-2026 16:05:09".
std::string IniDateTimeText(const DateTime& t);

// The check log's name for a scan started at `t`: "scanresult_9_5.log" at 09:05.
std::string CheckLogName(const DateTime& t);

// One scan of the key list over a text.
struct IniScan {
    std::string logName;                // CheckLogName of the start
    std::vector<std::string> logLines;  // date and time, " : ", key, " => ", result
    std::string messages;               // CR and the result of each key that was not "0"
    // The text was empty: the scan stopped at the first key (if any), whose result is
    // InvalidLengthText(key) and is in the log and the messages.
    bool emptyText = false;
};
struct IniScanHooks {
    // The clock; unset: NowLocal().
    std::function<DateTime()> now;
    // Called with each key before it is checked ("Scanning " + key in the status label).
    std::function<void(const std::string& key)> onKey;
};
IniScan ScanIniText(std::string_view text, const std::vector<std::string>& keyList,
                    const IniScanHooks& hooks = {});

// 1 when any key failed (an empty text included), else 0.
int IniHasErrors(const IniScan& scan);

// The closing message of the interactive check.
enum class IniBoxIcon { None, Critical, Information };
struct IniCheckBox {
    std::string text;
    IniBoxIcon icon = IniBoxIcon::None;
};
// The empty text's InvalidLengthText of the first key, shown once (no icon); else all messages,
// each on its own line after an empty one, lines ended by LF (critical); else "Ini file OK... "
// (information).
IniCheckBox CheckIniFile(const IniScan& scan);

// Writes the scan's log into the program folder, replacing a log of the same name. False and
// *why when it cannot be written.
bool WriteCheckLog(const std::filesystem::path& programDir, const IniScan& scan,
                   std::string* why = nullptr);

// The key list from the program folder; nullopt and *why when it is missing or unreadable.
std::optional<std::vector<std::string>> ReadKeyList(const std::filesystem::path& programDir,
                                                    std::string* why = nullptr);
// What the user is told when the key list cannot be read; nothing is checked or uploaded then.
std::string KeyListMissingText(const std::filesystem::path& programDir, std::string_view why);

}  // namespace qor
