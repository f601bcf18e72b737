#include "config/snapshot.h"

#include <array>
#include <optional>
#include <system_error>

#include "config/file_name_rule.h"
#include "config/settings_file.h"
#include "link/commands.h"
#include "link/tuner.h"
#include "platform/files.h"

namespace qor {

namespace {

// What sets the two variants apart; everything else they do alike.
struct VariantRules {
    bool startupCopy;              // keep the day's copy of the old file first
    bool onlyRewritesExisting;     // a missing file is left missing
    bool tunerOnlyOnTunerModel;    // tuner sections and the tuner pregain need "QOR 82"
    bool readsSensitivity;         // ask the device before writing TunerSensitivity
    bool sensitivityBeforeSelect;  // section order within the tuner sections
    bool defaultsEmptyPresets;     // a preset with no frequency gets 88.8, on the device too
    bool readsZoneOnOff;           // ask the device and keep ZoneOn, else write ZoneOn as it is
    bool temperatureStatus;        // a status text before the temperature section
    bool runsAfterRead;            // open the editor at the end
};

constexpr VariantRules kStartupRules{
    .startupCopy = true,
    .onlyRewritesExisting = false,
    .tunerOnlyOnTunerModel = true,
    .readsSensitivity = true,
    .sensitivityBeforeSelect = false,
    .defaultsEmptyPresets = false,
    .readsZoneOnOff = true,
    .temperatureStatus = false,
    .runsAfterRead = false,
};

constexpr VariantRules kManagerReadRules{
    .startupCopy = false,
    .onlyRewritesExisting = true,
    .tunerOnlyOnTunerModel = false,
    .readsSensitivity = false,
    .sensitivityBeforeSelect = true,
    .defaultsEmptyPresets = true,
    .readsZoneOnOff = false,
    .temperatureStatus = true,
    .runsAfterRead = true,
};

// Progress texts as users have always seen them, trailing blanks and spelling included.
constexpr const char* kStatusTunerFrequency = "Reading ... tuner (frequency) ";
constexpr const char* kStatusTunerNames = "Reading ... tuner (names) ";
constexpr const char* kStatusTunerSelections = "Reading ... tuner (selections) ";
constexpr const char* kStatusTunerSensitivity = "Reading ... tuner (sensistivity) ";
constexpr const char* kStatusZoneNames = "Writing registered zone names ";
constexpr const char* kStatusPregain = "Reading ... pregain settings  ";
constexpr const char* kStatusZoneOnOff = "Reading ... zone ON/OFF settings  ";
constexpr const char* kStatusZoneSources = "Reading ... zone sources ";
constexpr const char* kStatusZoneLinks = "Reading ... zone info linking  ";
constexpr const char* kStatusTemperature = "Reading ...  temperature  ";

constexpr const char* kPresetAnswerStart = "*RT,PRES";
constexpr const char* kEmptyPresetFrequency = "88.8";

// The four per-zone level sections, read alike.
struct ZoneLevelSection {
    const char* status;
    const char* section;
    const char* keySuffix;
    std::string (*command)(int zone);
};

const ZoneLevelSection kZoneLevels[] = {
    {"Reading ... zone volumes ", "Zone_Volume", "_Volume", cmd::RdVol},
    {"Reading ... zone high tone settings  ", "Zone_High", "_High", cmd::RdHigh},
    {"Reading ... zone low tone settings  ", "Zone_Low", "_Low", cmd::RdLow},
    {"Reading ... zone maximum volume  ", "Zone_Max_Vol", "_MaxVol", cmd::RdVolMax},
};

// The device answers a numbered read with the request's words and number after "*RT":
// "*RD,VOL,1;" is answered by a record starting "*RT,VOL,1".
std::string AnswerStart(const std::string& command) {
    return "*RT," + command.substr(4, command.size() - 5);
}

std::string ZoneKey(int zone, const char* suffix) { return "Zone" + std::to_string(zone) + suffix; }

const char* TrueFalse(bool b) { return b ? "True" : "False"; }

class Snapshot {
  public:
    Snapshot(const VariantRules& rules, Link& link, SharedState& state, const SnapshotHooks& hooks)
        : rules_(rules), link_(link), vq_(state.vq), state_(state), hooks_(hooks) {}

    // Reads the device and returns the whole file text.
    std::string Read() {
        const bool tunerModel = cmd::IsTunerModel(vq_.DeviceModel);
        const bool tuner = tunerModel || !rules_.tunerOnlyOnTunerModel;

        Status(kStatusTunerFrequency);
        if (tuner) {
            TunerFrequencies();
            Status(kStatusTunerNames);
            out_.section("Tuner_Name");
            for (int n = 1; n <= 6; ++n)
                out_.key("Preset" + std::to_string(n) + "_Name", vq_.PresetName[n]);
            Status(kStatusTunerSelections);
            if (rules_.sensitivityBeforeSelect) {
                TunerSensitivity();
                TunerSelection();
                Status(kStatusTunerSensitivity);
            } else {
                TunerSelection();
                Status(kStatusTunerSensitivity);
                if (rules_.readsSensitivity) ReadTunerSensitivity(link_, state_);
                TunerSensitivity();
            }
        }

        Status(kStatusZoneNames);
        out_.section("Zone_Name");
        for (int z = 1; z <= 4; ++z) out_.key(ZoneKey(z, "_Name"), vq_.ZoneName[z]);

        for (const auto& level : kZoneLevels) {
            Status(level.status);
            out_.section(level.section);
            for (int z = 1; z <= 4; ++z) {
                if (const auto value = ReadValue(level.command(z)))
                    out_.key(ZoneKey(z, level.keySuffix), *value);
            }
        }

        Status(kStatusPregain);
        out_.section("Zone_Pregain_Aux");
        Pregain(1, "Zone_PregainAux");
        if (tuner) {
            out_.section("Zone_Pregain_Tuner");
            Pregain(2, "Zone_PregainTuner");
        }

        Status(kStatusZoneOnOff);
        out_.section("Zone_ONOFF");
        if (rules_.readsZoneOnOff) {
            for (int z = 1; z <= 4; ++z) {
                // No prefix test: whatever is not a plain "1" counts as off.
                vq_.ZoneOn[z] = link_.scanevent(Exchange(cmd::RdOn(z)), 2) == "1";
                out_.key(ZoneKey(z, "_ONOFF"), TrueFalse(vq_.ZoneOn[z]));
            }
        }
        for (int z = 1; z <= 4; ++z) out_.key(ZoneKey(z, "_ONOFF"), TrueFalse(vq_.ZoneOn[z]));

        Status(kStatusZoneSources);
        out_.section("Zone_Source");
        for (int z = 1; z <= 4; ++z) {
            const auto source = ReadValue(cmd::RdSrc(z));
            if (source == "1") out_.key(ZoneKey(z, "_Source"), "AUX");
            if (source == "2") out_.key(ZoneKey(z, "_Source"), "TUNER");
        }

        Status(kStatusZoneLinks);
        out_.section("Zone_Link");
        // Zone 1 is what the others link to; it has no link of its own.
        for (int z = 2; z <= 4; ++z) {
            const auto link = ReadValue(cmd::RdLink(z));
            if (link == "1") out_.key(ZoneKey(z, "_Link"), "Y");
            if (link == "2") out_.key(ZoneKey(z, "_Link"), "N");
        }

        if (rules_.temperatureStatus) Status(kStatusTemperature);
        out_.section("Temperature");
        out_.key("Temperature_Min", vq_.TempMin);
        out_.key("Temperature_Max", vq_.TempMax);
        out_.key("Temperature_Offset", vq_.TempOffset);
        return out_.text();
    }

  private:
    void Status(const std::string& text) {
        if (hooks_.status) hooks_.status(text);
    }

    std::string Exchange(const std::string& command) {
        link_.SendMessage(command);
        return link_.ReceiveMessage();
    }

    // Field 3 of the answer to a numbered read; nullopt when the answer is not its record.
    std::optional<std::string> ReadValue(const std::string& command) {
        const std::string answer = Exchange(command);
        if (!answer.starts_with(AnswerStart(command))) return std::nullopt;
        return link_.scanevent(answer, 3);
    }

    void TunerFrequencies() {
        out_.section("Tuner_Freq");
        for (int n = 1; n <= 6; ++n) {
            const std::string answer = Exchange(cmd::RdPres(n));
            Status(answer);
            // Only the item is checked, not the preset number.
            if (!answer.starts_with(kPresetAnswerStart)) continue;
            const std::string mhz = link_.scanevent(answer, 3);
            const std::string tenths = link_.scanevent(answer, 4);
            std::string frequency = mhz + "." + tenths;
            if (rules_.defaultsEmptyPresets && mhz.empty() && tenths.empty()) {
                frequency = kEmptyPresetFrequency;
                // Give the empty preset a real station so that it holds what the file says.
                link_.SendMessage(cmd::TunFreqEmptyPreset());
                link_.SendMessage(cmd::TunMem(n));
            }
            out_.key("Preset" + std::to_string(n) + "_Freq", frequency);
            presetFrequency_[n] = frequency;
        }
    }

    void TunerSelection() {
        out_.section("Tuner_Select");
        const std::string answer = Exchange(cmd::TunFreqRead());
        const std::string tenths = link_.scanevent(answer, 4);
        if (tenths.empty()) return;
        const std::string current = link_.scanevent(answer, 3) + "." + tenths;
        for (int k = 1; k <= 6; ++k)
            if (!presetFrequency_[k].empty() && presetFrequency_[k] == current)
                out_.key("Tuner_Preset", std::to_string(k));
    }

    void TunerSensitivity() {
        out_.section("Tuner_Sensitivity");
        out_.key("Tuner_sensitivity", vq_.TunerSensitivity);
    }

    void Pregain(int input, const char* key) {
        if (const auto value = ReadValue(cmd::RdGain(input))) out_.key(key, *value);
    }

    const VariantRules& rules_;
    Link& link_;
    VariablesQor& vq_;
    SharedState& state_;
    const SnapshotHooks& hooks_;
    IniText out_;
    std::array<std::string, 7> presetFrequency_{};  // 1..6; empty: no accepted answer
};

}  // namespace

void ReadTunerSensitivity(Link& link, SharedState& state) {
    if (link.SendMessage(cmd::RdTunSens()) != 1) return;
    const auto sensitivity = tuner::SensitivityFromAnswer(link.ReceiveMessage());
    if (sensitivity && !sensitivity->name.empty()) state.vq.TunerSensitivity = sensitivity->name;
}

std::string SettingsNotWrittenText(const std::filesystem::path& programDir,
                                   const std::string& why) {
    return "Your Qor systems user.ini settings could not be saved in the folder " +
           programDir.string() + " (" + why +
           "). Check that the folder can be written to and has free space.";
}

SnapshotResult TakeSnapshot(SnapshotVariant variant, Link& link, SharedState& state,
                            const std::filesystem::path& programDir, const SnapshotHooks& hooks) {
    const VariantRules& rules =
        variant == SnapshotVariant::Startup ? kStartupRules : kManagerReadRules;
    const std::filesystem::path file = SettingsFilePath(programDir);
    SnapshotResult result;

    if (hooks.busy) hooks.busy(true);
    auto finish = [&](SnapshotOutcome outcome) {
        result.outcome = outcome;
        if (hooks.busy) hooks.busy(false);
        if (rules.runsAfterRead && hooks.afterRead) hooks.afterRead();
        return result;
    };

    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    if (rules.onlyRewritesExisting && !exists) return finish(SnapshotOutcome::NoFile);

    if (rules.startupCopy && exists) {
        const DateTime today = hooks.now ? hooks.now() : NowLocal();
        // Only a plain file is copied; a folder, FIFO or device under the name is not read.
        std::string why;
        const auto old = files::ReadRegularFile(file, &why);
        if (!old) {
            result.copyFailed = true;
            result.error = "cannot read " + file.string() + ": " + why;
        } else if (!files::ReplaceFile(programDir / StartupCopyName(today), *old, &why)) {
            result.copyFailed = true;
            result.error = "cannot copy to " + programDir.string() + ": " + why;
        }
    }

    std::string noBox;
    std::string* box = hooks.managerText ? hooks.managerText() : nullptr;
    if (truefiln(file.string(), box ? *box : noBox) != 0) return finish(SnapshotOutcome::Refused);

    const std::string content = Snapshot(rules, link, state, hooks).Read();
    std::string error;
    const bool written = files::ReplaceFile(file, content, &error);
    if (!written) result.error = error;
    if (hooks.status) hooks.status("");
    return finish(written ? SnapshotOutcome::Written : SnapshotOutcome::WriteFailed);
}

}  // namespace qor
