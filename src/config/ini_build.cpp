#include "config/ini_build.h"

#include "common/answers.h"
#include "config/ini_check.h"
#include "config/preset_keys.h"
#include "link/commands.h"
#include "platform/files.h"

namespace qor {

namespace {

// The builder's own wording; users have read these in dontupload.txt for years.
constexpr const char* kMsgEmptyText = " 98 : ini file not loaded...";
constexpr const char* kMsgNotFound = "99 : string not found... :";
constexpr const char* kMsgNoEquals = " 2 error = lijn niet goed opgebouwd : geen =  :";
constexpr const char* kMsgEmptyValue = "1 'warning : setting niet ingevuld:";
constexpr const char* kMsgPresetName = " 4 error = naam te lang :";
constexpr const char* kMsgZoneName = "5 error = naam te lang :";
constexpr const char* kMsgOtherName = " 6 error name onbekend = teveel :";
constexpr const char* kMsgOnOff = "19 'error = geen ON of OFF ingevuld voor zone on/off:";
constexpr const char* kMsgSource = "20 'error = geen juiste source ingevuld:";
constexpr const char* kMsgLink = "21 'error = geen juist antwoord op linkzone ingevuld:";
constexpr const char* kMsgPresetMissing = "22 error = Gekozen preset niet ingevuld: ";
constexpr const char* kMsgPresetRange = "23 error = Ongeldig preset nummer (tussen 1 en 6):";
constexpr const char* kMsgSensitivity = "24 error = Ongeldige waarde voor sensistivity:";
constexpr const char* kMsgTempMin = "25 error = Geen numerieke waarde voor minimale temperatuur: ";
constexpr const char* kMsgTempMax = "26 error = Geen numerieke waarde voor maximale temperatuur: ";
constexpr const char* kMsgTempOffset = "27 error = Geen numerieke waarde voor offset temperatuur: ";

constexpr const char* kCrLf = "\r\n";
constexpr std::size_t kMaxNameLength = 15;

// A level: number test, bounds of the rounded whole value, then the command.
struct LevelRule {
    const char* family;
    int32_t low;
    int32_t high;
    const char* notNumber;
    const char* outOfBounds;
    bool boundsNameKey;  // the volume's bound message goes out without the key name
    std::string (*command)(std::string_view zone, int32_t v);
};

const LevelRule kLevels[] = {
    {"VOLUME", 0, 99,
     " 7 error = geen getal voor volume ingevuld:", "8 'error volume buiten grenzen", false,
     [](std::string_view z, int32_t v) { return cmd::Vol(z, v); }},
    {"HIGH", -14, 14,
     "9 'error = geen getal voor hightones ingevuld:", "10 'error high tones buiten grenzen:", true,
     [](std::string_view z, int32_t v) { return cmd::High(z, v); }},
    {"LOW", -14, 14,
     "11 'error = geen getal voor lowtones ingevuld:", "12 'error low tones buiten grenzen:", true,
     [](std::string_view z, int32_t v) { return cmd::Low(z, v); }},
    {"MAXVOL", 0, 100, "13 'error = geen getal voor maximum volume ingevuld:",
     "14 'error maximumvolume buiten grenzen:", true,
     [](std::string_view z, int32_t v) { return cmd::Max(z, v); }},
    {"PREGAINAUX", 0, 30, "15 'error = geen getal voor pregain aux ingevuld:",
     "16 'error pregain aux buiten grenzen:", true,
     [](std::string_view, int32_t v) { return cmd::GainTwoDigits(1, v); }},
    {"PREGAINTUNER", 0, 30, "17 'error = geen getal voor pregain tuner ingevuld:",
     "18 'error pregain tuner buiten grenzen:", true,
     [](std::string_view, int32_t v) { return cmd::GainTwoDigits(2, v); }},
};

std::string Msg(const char* text, std::string_view key) { return text + std::string(key); }

class Builder {
  public:
    Builder(std::string_view key, VariablesQor& vq) : key_(key), trimmed_(Trim(key)), vq_(vq) {}

    std::string Value(std::string_view value) {
        const std::string family = IniKeyFamily(trimmed_);
        // The digit after "Zone" in "Zone1_Volume", as written.
        const std::string zone = Mid(trimmed_, 5, 1);
        for (const auto& level : kLevels)
            if (family == level.family) return Level(level, zone, value);

        const std::string alnum = KeepAlphaNum(value);
        if (family == "FREQ") return Frequency(value);
        if (family == "NAME") return Name(value);
        if (family == "ONOFF") return OnOff(zone, UCase(alnum));
        if (family == "SOURCE") {
            if (alnum == "AUX") return cmd::Src(zone, 1);
            if (alnum == "TUNER") return cmd::Src(zone, 2);
            return Msg(kMsgSource, key_);
        }
        if (family == "LINK") {
            if (alnum == "Y") return cmd::LinkSet(zone, 1);
            if (alnum == "N") return cmd::LinkSet(zone, 0);
            return Msg(kMsgLink, key_);
        }
        if (family == "PRESET") {
            if (!IsNumeric(alnum)) return Msg(kMsgPresetMissing, key_);
            const auto v = CInt(alnum);
            if (!v || *v < 1 || *v > 6) return Msg(kMsgPresetRange, key_);
            return cmd::TunPres(alnum);
        }
        if (family == "SENSITIVITY") {
            // Capitals only: the device's own "High" is not uploaded.
            if (alnum == "HIGH") return cmd::TunSens(1);
            if (alnum == "MID") return cmd::TunSens(2);
            if (alnum == "LOW") return cmd::TunSens(3);
            return Msg(kMsgSensitivity, key_);
        }
        if (family == "MIN") return TempLimit(value, kMsgTempMin, cmd::TempMinDigits);
        if (family == "MAX") return TempLimit(value, kMsgTempMax, cmd::TempMaxDigits);
        if (family == "OFFSET") return TempOffset(value);
        if (family == "EVENT") return Event(value);
        return "0";
    }

  private:
    std::string Level(const LevelRule& rule, const std::string& zone, std::string_view value) {
        const std::string trimmed = Trim(value);
        if (!IsNumeric(trimmed)) return Msg(rule.notNumber, key_);
        const auto v = CLng(trimmed);
        if (!v || *v < rule.low || *v > rule.high)
            return rule.boundsNameKey ? Msg(rule.outOfBounds, key_) : rule.outOfBounds;
        return rule.command(zone, *v);
    }

    // Split as written, untrimmed; a value that is no number stores the band's first station.
    std::string Frequency(std::string_view value) {
        const std::string tune =
            IsNumeric(value) ? cmd::TunFreq(ValueBeforeComma(value), ValueAfterCommaAlnum(value))
                             : cmd::TunFreqEmptyPreset();
        return tune + kCrLf + cmd::TunMem(KeyIndexDigit(trimmed_));
    }

    std::string Name(std::string_view value) {
        const std::string start = UCase(Left(trimmed_, 4));
        const std::string name = Trim(value);
        if (start == "PRES") {
            if (name.size() > kMaxNameLength) return Msg(kMsgPresetName, key_);
            if (const int i = IndexAt(7); i >= 1 && i <= 6) vq_.PresetName[i] = name;
            return "0";
        }
        if (start == "ZONE") {
            if (name.size() > kMaxNameLength) return Msg(kMsgZoneName, key_);
            if (const int z = IndexAt(5); z >= 1 && z <= 4) vq_.ZoneName[z] = name;
            return "0";
        }
        return Msg(kMsgOtherName, key_);
    }

    std::string OnOff(const std::string& zone, const std::string& word) {
        const int z = IndexAt(5);
        const bool known = z >= 1 && z <= 4;
        if (word == "TRUE") {
            if (known) vq_.ZoneOn[z] = true;
            return cmd::On(zone);
        }
        if (word == "FALSE") {
            if (known) vq_.ZoneOn[z] = false;
            return cmd::Off(zone);
        }
        return Msg(kMsgOnOff, key_);
    }

    // Only whole degrees from 0 up reach the device: its digits run together, so 7.5 would be
    // taken as 75 and -5 as 5.
    std::string TempLimit(std::string_view value, const char* message,
                          std::string (*command)(std::string_view)) {
        const auto v = WholeNumber(value);
        if (!v || *v < 0) return Msg(message, key_);
        return command(KeepAlphaNum(value));
    }

    // A whole offset keeps its sign; a fraction would reach the device ten times too large.
    std::string TempOffset(std::string_view value) {
        if (!WholeNumber(value)) return Msg(kMsgTempOffset, key_);
        const std::string trimmed = Trim(value);
        const std::string sign =
            trimmed.front() == '+' || trimmed.front() == '-' ? trimmed.substr(0, 1) : std::string();
        return cmd::TempCalDigits(sign + KeepAlphaNum(value));
    }

    // The event is cleared and set anew; the day code is checked but the device takes none.
    std::string Event(std::string_view value) {
        const std::string result = CheckClockEventValue(value, key_);
        if (result != "0") return result;
        const std::string v = Trim(value);
        const std::size_t underscore = trimmed_.find('_');
        const std::string n = underscore == std::string::npos || underscore < 5
                                  ? Mid(trimmed_, 6)
                                  : trimmed_.substr(5, underscore - 5);
        std::string fields = n;
        for (int f = 1; f <= 6; ++f) fields += "," + scanevent(v, f);
        fields += "," + KeepAlphaNum(scanevent(v, 7));
        return cmd::EvtClr(n) + kCrLf + cmd::EvtSet(fields);
    }

    // The digit at a 1-based place of the trimmed key; 0 when there is none.
    int IndexAt(std::size_t place) const {
        const std::string c = Mid(trimmed_, place, 1);
        return c.size() == 1 && c[0] >= '0' && c[0] <= '9' ? c[0] - '0' : 0;
    }

    std::string_view key_;
    std::string trimmed_;
    VariablesQor& vq_;
};

}  // namespace

std::string BuildIniCommand(std::string_view text, std::string_view key, VariablesQor& vq) {
    const KeyLine line = LocateKey(text, key);
    switch (line.place) {
        case KeyPlace::EmptyText:
            return kMsgEmptyText;
        case KeyPlace::NotFound:
            return Msg(kMsgNotFound, key);
        case KeyPlace::NoEquals:
            return Msg(kMsgNoEquals, key);
        case KeyPlace::Found:
            break;
    }
    if (line.value.empty()) return Msg(kMsgEmptyValue, key);
    return Builder(key, vq).Value(line.value);
}

std::string EndBuildLine(const DateTime& t) { return "End build : " + IniDateTimeText(t); }

UploadBuild BuildUpload(std::string_view text, const std::vector<std::string>& keyList,
                        VariablesQor& vq, const UploadBuildHooks& hooks) {
    UploadBuild build;
    if (IsEmptyIniText(text)) {
        // Nothing to send: one message for the first key and no end line either.
        build.emptyText = true;
        if (!keyList.empty()) {
            if (hooks.onKey) hooks.onKey(keyList.front());
            build.dontUploadLines.push_back(BuildIniCommand(text, keyList.front(), vq));
        }
        return build;
    }
    for (const std::string& key : keyList) {
        if (hooks.onKey) hooks.onKey(key);
        const std::string result = BuildIniCommand(text, key, vq);
        if (!result.starts_with("*")) {
            build.dontUploadLines.push_back(result);
            continue;
        }
        const std::size_t split = result.find(kCrLf);
        build.uploadLines.push_back(result.substr(0, split));
        if (split != std::string::npos) build.uploadLines.push_back(result.substr(split + 2));
    }
    build.uploadLines.push_back(EndBuildLine(hooks.now ? hooks.now() : NowLocal()));
    return build;
}

bool WriteUploadFiles(const std::filesystem::path& programDir, const UploadBuild& build,
                      std::string* why) {
    return files::ReplaceFile(programDir / kUploadFileName, JoinLines(build.uploadLines), why) &&
           files::ReplaceFile(programDir / kDontUploadFileName, JoinLines(build.dontUploadLines),
                              why);
}

}  // namespace qor
