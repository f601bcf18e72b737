#include "config/ini_check.h"

#include <algorithm>

#include "common/answers.h"
#include "platform/files.h"

namespace qor {

namespace {

// The messages as users have always read them, odd blanks and quotes included.
constexpr const char* kMsgEmptyValue = "1 'warning : setting niet ingevuld:";
constexpr const char* kMsgNoEquals = " 2 error = lijn niet goed opgebouwd : geen =  in lijn :";
constexpr const char* kMsgNotFound = "99 : string not found... :";
constexpr const char* kMsgInvalidLength = "Error : ini file has an invalid lentgh...:";

constexpr const char* kMsgFreq = "3  error = frequentie geen getal :";
constexpr const char* kMsgPresetName = " 4 error = naam preset te lang :";
constexpr const char* kMsgZoneName = "5 error = naam zone te lang :";
constexpr const char* kMsgOtherName = " 6 error name zone onbekend = teveel :";
constexpr const char* kMsgOnOff = "19 error = geen True of False ingevuld voor zone on/off:";
constexpr const char* kMsgSource = "20 error = geen juiste source ingevuld:";
constexpr const char* kMsgLink = "21 error = geen juist antwoord op linkzone ingevuld:";
constexpr const char* kMsgPresetMissing = "22 error = Gekozen preset niet ingevuld: ";
constexpr const char* kMsgPresetRange = "23 error = Ongeldig preset nummer (tussen 1 en 6):";
constexpr const char* kMsgSensitivity = "24 error = Ongeldige waarde voor sensistivity:";
constexpr const char* kMsgTempMin = "25 error = Geen numerieke waarde voor minimale temperatuur: ";
constexpr const char* kMsgTempMax = "26 error = Geen numerieke waarde voor maximale temperatuur: ";
constexpr const char* kMsgTempOffset = "27 error = Geen numerieke waarde voor offset temperatuur: ";

constexpr const char* kMsgEventSyntax = "28 error = Clock event heeft niet de juiste syntax...: ";
constexpr const char* kMsgEventDay = "29 error = Clock event heeft een ongeldige dagcode...: ";
constexpr const char* kMsgEventOnOff = "36 error = Ongeldige waarde (ON/OFF) : ";
constexpr const char* kMsgEventSource = "37 error = Ongeldige waarde (AUX/TUNER) : ";
constexpr const char* kEventDayLetters = "MDWTVZS";

// A level with a number test and a bound test on the rounded whole value.
struct LevelRule {
    const char* family;
    int32_t low;
    int32_t high;
    const char* notNumber;
    const char* outOfBounds;
    bool boundsNameKey;  // the volume's bound message goes out without the key name
};

const LevelRule kLevels[] = {
    {"VOLUME", 0, 100,
     " 7 error = geen getal voor volume ingevuld:", "8 error volume buiten grenzen", false},
    {"HIGH", -14, 14,
     "9 error = geen getal voor hightones ingevuld:", "10 error high tones buiten grenzen:", true},
    {"LOW", -14, 14,
     "11 error = geen getal voor lowtones ingevuld:", "12 error low tones buiten grenzen:", true},
    {"MAXVOL", 0, 100, "13 error = geen getal voor maximum volume ingevuld:",
     "14 error maximumvolume buiten grenzen:", true},
    {"PREGAINAUX", 0, 30, "15 error = geen getal voor pregain aux ingevuld:",
     "16 error pregain aux buiten grenzen:", true},
    {"PREGAINTUNER", 0, 30, "17 'error = geen getal voor pregain tuner ingevuld:",
     "18 error pregain tuner buiten grenzen:", true},
};

// A numbered field of a clock event: number test, then the bounds of its 16-bit whole value.
struct EventNumberField {
    int field;
    int16_t low;
    int16_t high;
    const char* notNumber;
    const char* outOfBounds;
};

const EventNumberField kEventHour{1, 1, 24, "30 error = geen numerieke waarde voor uur opgegeven: ",
                                  "31 error = waarde voor uur niet conform (1/24): "};
const EventNumberField kEventMinute{2, 0, 59,
                                    "32 error = geen numerieke waarde voor minuut opgegeven: ",
                                    "33 error = waarde voor minuut niet conform (0/59): "};
const EventNumberField kEventZone{3, 0, 4, "34 error = geen numerieke waarde voor zone opgegeven: ",
                                  "35 error = waarde voor zone niet conform (1/4): "};
const EventNumberField kEventVolume{6, 0, 99,
                                    "38 error = geen numerieke waarde voor volume opgegeven: ",
                                    "39 error = waarde voor volume niet conform (0/99): "};
const EventNumberField kEventPreset{
    7, 0, 6, "40 error = geen numerieke waarde voor preset tuner opgegeven: ",
    "41 error = waarde voor preset tuner niet conform (1/6): "};

std::string Msg(const char* text, std::string_view key) { return text + std::string(key); }

// "" when the field passes, else its message with the key.
std::string CheckEventNumber(const std::string& value, const EventNumberField& f,
                             std::string_view key) {
    const std::string text = scanevent(value, f.field);
    if (!IsNumeric(text)) return Msg(f.notNumber, key);
    const auto v = CInt(text);
    if (!v || *v < f.low || *v > f.high) return Msg(f.outOfBounds, key);
    return {};
}

std::string CheckLevel(const LevelRule& rule, std::string_view value, std::string_view key) {
    const std::string trimmed = Trim(value);
    if (!IsNumeric(trimmed)) return Msg(rule.notNumber, key);
    const auto v = CLng(trimmed);
    if (!v || *v < rule.low || *v > rule.high)
        return rule.boundsNameKey ? Msg(rule.outOfBounds, key) : rule.outOfBounds;
    return "0";
}

std::string CheckName(std::string_view trimmedKey, std::string_view value, std::string_view key) {
    const std::string start = UCase(Left(trimmedKey, 4));
    const bool shortEnough = Trim(KeepAlphaNum(value)).size() <= 15;
    if (start == "PRES") return shortEnough ? "0" : Msg(kMsgPresetName, key);
    if (start == "ZONE") return shortEnough ? "0" : Msg(kMsgZoneName, key);
    return Msg(kMsgOtherName, key);
}

std::string OneOf(std::string_view word, std::initializer_list<std::string_view> allowed,
                  const char* message, std::string_view key) {
    return std::find(allowed.begin(), allowed.end(), word) != allowed.end() ? "0"
                                                                            : Msg(message, key);
}

std::string CheckValue(std::string_view trimmedKey, std::string_view value, std::string_view key) {
    const std::string family = IniKeyFamily(trimmedKey);
    for (const auto& level : kLevels)
        if (family == level.family) return CheckLevel(level, value, key);

    const std::string alnum = KeepAlphaNum(value);
    if (family == "FREQ") return IsNumeric(value) ? "0" : Msg(kMsgFreq, key);
    if (family == "NAME") return CheckName(trimmedKey, value, key);
    if (family == "ONOFF") return OneOf(alnum, {"True", "False"}, kMsgOnOff, key);
    if (family == "SOURCE") return OneOf(alnum, {"AUX", "TUNER"}, kMsgSource, key);
    if (family == "LINK") return OneOf(alnum, {"Y", "N"}, kMsgLink, key);
    if (family == "PRESET") {
        if (!IsNumeric(alnum)) return Msg(kMsgPresetMissing, key);
        const auto v = CInt(alnum);
        return v && *v >= 1 && *v <= 6 ? "0" : Msg(kMsgPresetRange, key);
    }
    if (family == "SENSITIVITY")
        return OneOf(UCase(alnum), {"LOW", "MID", "HIGH"}, kMsgSensitivity, key);
    // Only the digits count here, so a sign or a decimal point passes.
    if (family == "MIN") return IsNumeric(alnum) ? "0" : Msg(kMsgTempMin, key);
    if (family == "MAX") return IsNumeric(alnum) ? "0" : Msg(kMsgTempMax, key);
    if (family == "OFFSET") return IsNumeric(alnum) ? "0" : Msg(kMsgTempOffset, key);
    if (family == "EVENT") return CheckClockEventValue(value, key);
    return "0";
}

bool IsCommaOrPoint(char c) { return c == ',' || c == '.'; }

}  // namespace

std::string KeyAfterUnderscore(std::string_view key) {
    const std::size_t first = key.find('_');
    if (first == std::string_view::npos) return {};
    const std::string_view rest = key.substr(first + 1);
    return std::string(rest.substr(0, rest.find('_')));
}

std::string KeyIndexDigit(std::string_view key) {
    const std::string_view stem = key.substr(0, key.find('_'));
    return stem.empty() ? std::string() : std::string(1, stem.back());
}

std::string ValueBeforeComma(std::string_view value) {
    return std::string(value.substr(0, value.find_first_of(",.")));
}

int CountCommas(std::string_view text) {
    return static_cast<int>(std::count(text.begin(), text.end(), ','));
}

std::string ValueAfterCommaAlnum(std::string_view value) {
    const auto first = std::find_if(value.begin(), value.end(), IsCommaOrPoint);
    if (first == value.end()) return {};
    const auto next = std::find_if(first + 1, value.end(), IsCommaOrPoint);
    return KeepAlphaNum(std::string_view(first + 1, next));
}

std::string KeepAlphaNum(std::string_view text) {
    std::string out;
    // The code page's accented letters upper-case to codes above Z, so only ASCII stays.
    for (char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
    }
    return out;
}

std::string IniKeyFamily(std::string_view key) { return UCase(KeyAfterUnderscore(Trim(key))); }

// Line ends and tabs count as blank too: a text of empty lines holds no key either.
bool IsEmptyIniText(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::string InvalidLengthText(std::string_view key) { return Msg(kMsgInvalidLength, key); }

KeyLine LocateKey(std::string_view text, std::string_view key) {
    if (IsEmptyIniText(text)) return {KeyPlace::EmptyText, {}};
    const std::string trimmed = Trim(key);
    // An empty key is found at the start, as a text search for nothing always is.
    const std::size_t at = text.find(trimmed);
    if (at == std::string_view::npos) return {KeyPlace::NotFound, {}};
    // The walk starts one past the key's first character, so a key holding "=" ends early.
    const std::size_t stop = text.find_first_of("=\r\n", at + 1);
    if (stop == std::string_view::npos || text[stop] != '=') return {KeyPlace::NoEquals, {}};
    const std::string_view rest = text.substr(stop + 1);
    return {KeyPlace::Found, std::string(rest.substr(0, rest.find_first_of("\r\n")))};
}

std::string CheckIniLine(std::string_view text, std::string_view key) {
    const KeyLine line = LocateKey(text, key);
    // A blank or punctuation-only key list line is no key: it is passed over quietly.
    const bool realKey = !KeepAlphaNum(Trim(key)).empty();
    switch (line.place) {
        case KeyPlace::EmptyText:
            return InvalidLengthText(key);
        case KeyPlace::NotFound:
            return realKey ? Msg(kMsgNotFound, key) : "0";
        case KeyPlace::NoEquals:
            return realKey ? Msg(kMsgNoEquals, key) : "0";
        case KeyPlace::Found:
            break;
    }
    if (line.value.empty()) return Msg(kMsgEmptyValue, key);
    return CheckValue(Trim(key), line.value, key);
}

std::string CheckClockEventValue(std::string_view value, std::string_view key) {
    const std::string v = Trim(value);
    if (CountCommas(v) != 7) return Msg(kMsgEventSyntax, key);

    // Every field is checked and the last one that fails gives the message.
    std::string result = "0";
    auto fail = [&](std::string message) {
        if (!message.empty()) result = std::move(message);
    };
    const std::string day = UCase(Left(scanevent(v, 0), 1));
    if (day.empty() || std::string_view(kEventDayLetters).find(day) == std::string_view::npos)
        fail(Msg(kMsgEventDay, key));
    fail(CheckEventNumber(v, kEventHour, key));
    fail(CheckEventNumber(v, kEventMinute, key));
    fail(CheckEventNumber(v, kEventZone, key));
    const std::string onOff = KeepAlphaNum(scanevent(v, 4));
    if (onOff != "ON" && onOff != "OFF") fail(Msg(kMsgEventOnOff, key));
    const std::string source = KeepAlphaNum(scanevent(v, 5));
    if (source != "AUX" && source != "TUNER") fail(Msg(kMsgEventSource, key));
    fail(CheckEventNumber(v, kEventVolume, key));
    fail(CheckEventNumber(v, kEventPreset, key));
    return result;
}

std::string IniDateTimeText(const DateTime& t) { return DateText(t) + " " + TimeText(t); }

std::string CheckLogName(const DateTime& t) {
    return "scanresult_" + std::to_string(t.hour) + "_" + std::to_string(t.minute) + ".log";
}

IniScan ScanIniText(std::string_view text, const std::vector<std::string>& keyList,
                    const IniScanHooks& hooks) {
    auto now = [&] { return hooks.now ? hooks.now() : NowLocal(); };
    IniScan scan;
    scan.logName = CheckLogName(now());
    scan.emptyText = IsEmptyIniText(text);
    for (const std::string& key : keyList) {
        if (hooks.onKey) hooks.onKey(key);
        const std::string result = CheckIniLine(text, key);
        if (result != "0") scan.messages += "\r" + result;
        scan.logLines.push_back(IniDateTimeText(now()) + " : " + key + " => " + result);
        // One message for an empty text, not one per key.
        if (scan.emptyText) break;
    }
    return scan;
}

int IniHasErrors(const IniScan& scan) {
    return scan.emptyText || !Trim(scan.messages).empty() ? 1 : 0;
}

IniCheckBox CheckIniFile(const IniScan& scan) {
    if (scan.emptyText) {
        // The first key's result is the invalid-length text itself.
        const std::string first = scan.messages.empty() ? std::string() : scan.messages.substr(1);
        return {first.empty() ? InvalidLengthText("") : first, IniBoxIcon::None};
    }
    if (!Trim(scan.messages).empty()) {
        // Collected with CR between them; a message box breaks its lines at LF.
        std::string text = scan.messages;
        std::replace(text.begin(), text.end(), '\r', '\n');
        return {text, IniBoxIcon::Critical};
    }
    return {"Ini file OK... ", IniBoxIcon::Information};
}

bool WriteCheckLog(const std::filesystem::path& programDir, const IniScan& scan, std::string* why) {
    std::string bytes;
    for (const std::string& line : scan.logLines) bytes += line + "\r\n";
    return files::ReplaceFile(programDir / scan.logName, bytes, why);
}

std::optional<std::vector<std::string>> ReadKeyList(const std::filesystem::path& programDir,
                                                    std::string* why) {
    return files::ReadLines(programDir / kKeyListFileName, why);
}

std::string KeyListMissingText(const std::filesystem::path& programDir, std::string_view why) {
    return "The key list " + std::string(kKeyListFileName) + " could not be read in the folder " +
           programDir.string() + " (" + std::string(why) +
           "). Nothing was checked or uploaded; put the key list back beside the program.";
}

}  // namespace qor
