// The tuner panel's controls for the user: preset keys and their marker, the name editor and
// Store, manual tuning, station search, the sensitivity box and the hint line.
#include "config/preset_keys.h"
#include "config/settings_file.h"
#include "link/commands.h"
#include "link/tuner.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"
#include "tuner/frm_tuner.h"
#include "tuner/tuner_layout.h"

namespace qor {

namespace {

constexpr const char* kHintPresetKey = "LeftClick to select / RightClick to set memory";
constexpr const char* kHintTuneDown = "Click here to manually tune down";
constexpr const char* kHintTuneUp = "Click to manually tune up";
constexpr const char* kHintSearchPrevious = "Click to search for previous station... ";
constexpr const char* kHintSearchNext = "Click to search for next station... ";
constexpr const char* kHintName = "Give your preset a name... ";
constexpr const char* kHintEditor = "Click to 'pre'set this station. Enter name first.";

constexpr int kUp = 1;
constexpr int kDown = 2;

bool IsPreset(int n) { return n >= 1 && n <= tuner::kPresets; }

}  // namespace

// --- preset keys --------------------------------------------------------------------------

void FrmTuner::Label2_MouseDown(int button, int, double, double) { presetKeyDown(1, button); }
void FrmTuner::Label3_MouseDown(int button, int, double, double) { presetKeyDown(2, button); }
void FrmTuner::Label4_MouseDown(int button, int, double, double) { presetKeyDown(3, button); }
void FrmTuner::Label5_MouseDown(int button, int, double, double) { presetKeyDown(4, button); }
void FrmTuner::Label6_MouseDown(int button, int, double, double) { presetKeyDown(5, button); }
void FrmTuner::Label7_MouseDown(int button, int, double, double) { presetKeyDown(6, button); }

void FrmTuner::presetKeyDown(int n, int button) {
    auto& vq = ctx_.state.vq;
    Link& link = ctx_.link;
    vq.CurrentPreset = static_cast<int16_t>(n);
    if (button == ui::kRightButton) {
        OpenPresetEditor(n);
        return;
    }
    // Clearing the line also stops a scroll under way, at its next step.
    Label1.setCaption("");
    Label1.Refresh();
    Shape1.setVisible(true);
    if (link.SendMessage(cmd::TunPres(n)) == 1) Label9.setVisible(true);
    link.SendMessage(cmd::RdPres(n));
    setFrequency(tuner::FrequencyText(link.ReceiveMessage()));
    Label14.setCaption(vq.PresetName[n]);
    ReadRDS();
    ShowPresetMarker(n);
}

void FrmTuner::ShowPresetMarker(int n) {
    Shape1.setVisible(true);
    if (IsPreset(n)) {
        Shape1.Move(Image1.Left() + Image1.Width() * tuner::kMarkerHorizontal[n - 1],
                    Image1.Top() + Image1.Height() * tuner::kMarkerVertical);
        Label14.setCaption(ctx_.state.vq.PresetName[n]);
    }
    Labelpresetname.setCaption(Label14.Caption() + "...");
    ui::DoEvents();
}

// --- name editor --------------------------------------------------------------------------

void FrmTuner::OpenPresetEditor(int n) {
    for (ui::Line* line : Line1) line->setVisible(line->Index() == n - 1);
    Image6.setVisible(true);
    Shape3.setVisible(true);
    Command2.setVisible(true);
    Command3.setVisible(true);
    Text1.setText("");
    Text1.setVisible(true);
    if (IsPreset(n)) Text1.setText(ctx_.state.vq.PresetName[n]);
    Label13.setCaption(kHintEditor);
    Label13.setVisible(true);
}

void FrmTuner::ClosePresetEditor() {
    for (ui::Line* line : Line1) line->setVisible(false);
    Image6.setVisible(false);
    Shape3.setVisible(false);
    Text1.setVisible(false);
    Command2.setVisible(false);
    Command3.setVisible(false);
    Label13.setCaption("");
}

void FrmTuner::Command2_Click() {
    auto& vq = ctx_.state.vq;
    const int n = vq.CurrentPreset;
    const std::string name = Text1.Text();
    ctx_.link.SendMessage(cmd::TunMem(n));
    if (IsPreset(n)) vq.PresetName[n] = name;
    Label14.setCaption(name);
    ClosePresetEditor();
    if (!IsPreset(n)) return;
    // Without user.ini nothing is written and nothing said; a failed write leaves the old file
    // whole, and the user is told.
    std::string why;
    const PresetStoreOutcome outcome =
        StorePresetKeys(ctx_.programDir, n, Label9.Caption(), name, &why);
    if (outcome == PresetStoreOutcome::ReadFailed || outcome == PresetStoreOutcome::WriteFailed)
        ctx_.dialogs.MsgBox("Preset " + std::to_string(n) + " could not be stored in " +
                                SettingsFilePath(ctx_.programDir).string() + ": " + why,
                            ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
}

void FrmTuner::Command3_Click() { ClosePresetEditor(); }

// --- tuning, search, sensitivity ----------------------------------------------------------

void FrmTuner::Image2_Click() { tune(kDown); }
void FrmTuner::Image3_Click() { tune(kUp); }

void FrmTuner::tune(int direction) {
    Shape1.setVisible(false);
    Label14.setCaption("");
    Label1.setCaption("");
    ctx_.link.SendMessage(cmd::TunStep(direction));
    ReadTunerState();
}

void FrmTuner::Picture2_Click() { search(kDown); }
void FrmTuner::Picture3_Click() { search(kUp); }

void FrmTuner::search(int direction) {
    Label14.setCaption("");
    Label1.setCaption("");
    Shape1.setVisible(false);
    // Nothing is read: the next state re-read shows the station found.
    ctx_.link.SendMessage(cmd::TunSearch(direction));
}

void FrmTuner::Combo1_Click() {
    const std::string text = Combo1.Text();
    const int code = tuner::SensitivityCode(text);
    if (code == 0) return;
    ctx_.link.SendMessage(cmd::TunSens(code));
    ctx_.state.vq.TunerSensitivity = text;
    if (text == "Mid") ReadTunerState();
}

void FrmTuner::Combo1_LostFocus() { ctx_.state.vq.TunerSensitivity = Combo1.Text(); }

// --- hints --------------------------------------------------------------------------------

void FrmTuner::hint(const char* text) { Label13.setCaption(text); }

void FrmTuner::Label2_MouseMove(int, int, double, double) { hint(kHintPresetKey); }
void FrmTuner::Label3_MouseMove(int, int, double, double) { hint(kHintPresetKey); }
void FrmTuner::Label4_MouseMove(int, int, double, double) { hint(kHintPresetKey); }
void FrmTuner::Label5_MouseMove(int, int, double, double) { hint(kHintPresetKey); }
void FrmTuner::Label6_MouseMove(int, int, double, double) { hint(kHintPresetKey); }
void FrmTuner::Label7_MouseMove(int, int, double, double) { hint(kHintPresetKey); }
void FrmTuner::Image2_MouseMove(int, int, double, double) { hint(kHintTuneDown); }
void FrmTuner::Image3_MouseMove(int, int, double, double) { hint(kHintTuneUp); }
void FrmTuner::Picture2_MouseMove(int, int, double, double) { hint(kHintSearchPrevious); }
void FrmTuner::Picture3_MouseMove(int, int, double, double) { hint(kHintSearchNext); }
void FrmTuner::Text1_MouseMove(int, int, double, double) { hint(kHintName); }

}  // namespace qor
