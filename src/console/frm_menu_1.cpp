#include "console/frm_menu_1.h"

#include <QCursor>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <system_error>
#include <vector>

#include "config/ini_reading.h"
#include "config/settings_file.h"
#include "config/show_zones.h"
#include "config/snapshot.h"
#include "link/commands.h"
#include "link/port_scan.h"
#include "panel/panel_scheme.h"
#include "platform/files.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"
#include "platform/ui/translucency.h"

namespace qor {

namespace {

namespace fs = std::filesystem;

const char* const kDragHint =
    "To re-locate this control panel : move mouse to the new position and release it ";
const char* const kChoosePort = "Choose Com port... .  ";

}  // namespace

FrmMenu_1::FrmMenu_1(Context& ctx, Windows& windows)
    : Form("FrmMenu_1"), ctx_(ctx), windows_(windows), now_(NowLocal) {
    setBorderStyle(ui::FormBorderStyle::None);
    setBackColor(ui::RGB(0, 0, 255));
    setCaption("Qor PC Manager");
    // The window covers the screen; only the skin and its controls show through the key.
    const double screenW = ui::ScreenWidthTwips();
    const double screenH = ui::ScreenHeightTwips();
    Move(0, 0, screenW > 0 ? screenW : kSkinLeft + 9600 + 300,
         screenH > 0 ? screenH : kSkinTop + 3000 + 300);
}

FrmMenu_1::~FrmMenu_1() = default;

MenuLabel::MenuLabel(ui::ControlKey key, ui::Form& form, std::string name)
    : Label(key, form, std::move(name)) {
    setBackColor(QColor(0, 0, 0, 150));
    setBackStyle(ui::BackStyle::Transparent);
}

void MenuLabel::applyEnabled(bool enabled) {
    Label::applyEnabled(enabled);
    setBackStyle(enabled ? ui::BackStyle::Transparent : ui::BackStyle::Opaque);
}

void FrmMenu_1::setNow(std::function<DateTime()> now) { now_ = now ? std::move(now) : NowLocal; }

// --- start-up and clock -----------------------------------------------------------------

void FrmMenu_1::Form_Load() {
    auto& vq = ctx_.state.vq;
    vq.PanelReady = false;
    // No port has been chosen yet: this goes to whatever port the serial control starts with.
    SyncClk();
    vq.LastSyncTime = now_();
    setLeft(20);
    setTop(20);
    vq.PanelSlot = 0;
    vq.ComPortNumber = 1;
    vq.MaxComPort = 15;
    vq.ZoneCount = 4;
    SetMenuLabelsEnabled(false);

    Label5_Click();

    for (int n = 1; n <= 6; ++n) vq.PresetName[n] = "Preset " + std::to_string(n);

    if (!FileExists(SettingsFilePath(ctx_.programDir))) {
        ctx_.dialogs.MsgBox(
            "Your Qor systems user.ini settings couldn't be found... . New file will be "
            "downloaded first.  ",
            ui::MsgButtons::OK);
        readinistart();
        // The user starts the program again, with the new file in place.
        if (ctx_.quit) ctx_.quit();
        return;
    }
    LoadUserIni();

    if (cmd::IsKnownModel(vq.DeviceModel)) readinistart();

    vq.CurrentPreset = 1;
    ReadShowZones();
    ShowTunerlessMenu();
    Image1_Click();
}

void FrmMenu_1::Form_Activate() { ShowTunerlessMenu(); }

// The main window is there as long as the program runs: closed by the window manager (Alt+F4,
// the frame's close) it ends the program as its quit picture does, sending nothing.
void FrmMenu_1::Form_Unload(bool& cancel) {
    cancel = true;
    Label10_Click();
}

void FrmMenu_1::ShowTunerlessMenu() {
    if (!cmd::IsTunerlessModel(ctx_.state.vq.DeviceModel)) return;
    Image2.setVisible(true);
    Label3.setVisible(false);
}

void FrmMenu_1::SyncClk() { ctx_.link.SendMessage(cmd::ClkSet(now_())); }

void FrmMenu_1::Timer1_Timer() {
    auto& vq = ctx_.state.vq;
    const DateTime now = now_();
    // Minute boundaries on the full date and time, so midnight makes no difference. They are
    // counted either way: a PC clock put back (the end of summer time) is as far from the last
    // sync as one gone forward, and the device must follow it.
    if (std::abs(MinuteNumber(now) - MinuteNumber(vq.LastSyncTime)) > 10) {
        SyncClk();
        vq.LastSyncTime = now;
        Label9.setAlignment(ui::Alignment::RightJustify);
        Label9.setCaption("Sync time : " + TimeText(now));
        Label9.setVisible(true);
    } else {
        Label9.setVisible(false);
    }
}

bool FrmMenu_1::FileExists(const fs::path& path) const {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool FrmMenu_1::LoadUserIni() {
    const auto file = files::ReadLines(SettingsFilePath(ctx_.programDir));
    if (!file) return false;
    const std::vector<std::string>& lines = *file;
    auto& vq = ctx_.state.vq;

    // Applied after the section and again at the end, so a file without one still leaves
    // numbers for the snapshot and the settings panel.
    auto defaultTemperatures = [&vq] {
        if (!IsNumeric(vq.TempMin)) vq.TempMin = "70";
        if (!IsNumeric(vq.TempMax)) vq.TempMax = "90";
        if (!IsNumeric(vq.TempOffset)) vq.TempOffset = "0";
    };

    // One pass. The line that ends a section is the current line for the header tests still to
    // come in this round; a header whose test came earlier in the round is passed over.
    const std::size_t count = lines.size();
    std::size_t i = 0;
    while (i < count) {
        if (IsHeader(lines[i], "[ZONE_NAME]")) {
            i = ReadSection(lines, i, [&](const std::string& line) {
                for (int z = 1; z <= 4; ++z) {
                    if (HasKey(line, "ZONE" + std::to_string(z)))
                        vq.ZoneName[z] = GetIniValue(line);
                }
            });
            if (i >= count) break;
        }
        if (IsHeader(lines[i], "[TEMPERATURE]")) {
            i = ReadSection(lines, i, [&](const std::string& raw) {
                const std::string line = Trim(raw);
                if (HasKey(line, "TEMPERATURE_MIN")) vq.TempMin = qor::Mid(line, 17);
                if (HasKey(line, "TEMPERATURE_MAX")) vq.TempMax = qor::Mid(line, 17);
                if (HasKey(line, "TEMPERATURE_OFFSET")) vq.TempOffset = qor::Mid(line, 20);
            });
            defaultTemperatures();
            ctx_.link.SendMessage(cmd::TempMin(Trim(vq.TempMin)));
            ctx_.link.SendMessage(cmd::TempMax(Trim(vq.TempMax)));
            ctx_.link.SendMessage(cmd::TempCal(Trim(vq.TempOffset)));
            if (i >= count) break;
        }
        if (cmd::IsTunerModel(vq.DeviceModel) && IsHeader(lines[i], "[TUNER_NAME]")) {
            i = ReadSection(lines, i, [&](const std::string& line) {
                for (int n = 1; n <= 6; ++n) {
                    if (!HasKey(line, "PRESET" + std::to_string(n) + "_NAME")) continue;
                    const std::string value = Trim(GetIniValue(line));
                    if (!value.empty()) vq.PresetName[n] = value;
                }
            });
            if (i >= count) break;
        }
        ++i;
    }
    defaultTemperatures();
    return true;
}

void FrmMenu_1::ReadShowZones() {
    const ZoneChoices chosen = qor::ReadShowZones(ctx_.programDir);
    for (int z = 1; z <= 4; ++z) {
        if (chosen[z]) ctx_.state.vq.ZoneShow[z] = *chosen[z];
    }
}

void FrmMenu_1::readinistart() {
    SnapshotHooks hooks;
    hooks.status = [this](const std::string& text) {
        Label13.setCaption(text);
        Label13.Refresh();
    };
    hooks.busy = [this](bool busy) {
        setMousePointer(busy ? ui::Pointer::Hourglass : ui::Pointer::Default);
    };
    hooks.now = now_;
    const SnapshotResult result =
        TakeSnapshot(SnapshotVariant::Startup, ctx_.link, ctx_.state, ctx_.programDir, hooks);
    // Said, so that a settings file that was not saved is not taken for one that was.
    if (result.outcome == SnapshotOutcome::WriteFailed) {
        ctx_.dialogs.MsgBox(SettingsNotWrittenText(ctx_.programDir, result.error),
                            ui::MsgButtons::OK, ui::MsgIcon::Critical);
    }
}

// --- port and model detection -------------------------------------------------------------

std::string FrmMenu_1::TestAvailableComPort(int n) {
    MSComm& comm = ctx_.comm;
    try {
        if (comm.PortOpen()) comm.setPortOpen(false);
        comm.setCommPort(n);
        comm.setPortOpen(true);
        return "Com" + std::to_string(n) + " Available";
    } catch (const std::exception&) {
        return "No response on com" + std::to_string(n);
    }
}

std::string FrmMenu_1::NumericString(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') digits += c;
    }
    return digits;
}

void FrmMenu_1::SetMenuLabelsEnabled(bool enabled) {
    for (ui::Label* label : {&Label1, &Label2, &Label3, &Label4, &Label6}) {
        label->setEnabled(enabled);
    }
}

void FrmMenu_1::FillPortList() {
    for (int n = 1; n <= ctx_.state.vq.MaxComPort; ++n) Combo1.AddItem("Com" + std::to_string(n));
}

void FrmMenu_1::Label5_Click() {
    auto& vq = ctx_.state.vq;
    MSComm& comm = ctx_.comm;
    setMousePointer(ui::Pointer::Hourglass);
    struct RestorePointer {
        FrmMenu_1& form;
        ~RestorePointer() { form.setMousePointer(ui::Pointer::Default); }
    } restore{*this};

    if (vq.AutoDetectAsked != 1) {
        const ui::MsgAnswer answer = ctx_.dialogs.MsgBox(
            std::string("Automatic detection ? ") + "\n" +
                "Yes = progam will try to locate serial port connected to QOR device. No = "
                "choose a COM port manually.",
            ui::MsgButtons::YesNo, ui::MsgIcon::None, "Qor PC Manager");
        if (answer != ui::MsgAnswer::Yes) {
            Combo1.Clear();
            Label8.setVisible(true);
            Label8.setCaption(kChoosePort);
            FillPortList();
            Combo1.setVisible(true);
            return;
        }
    }

    vq.AutoDetectAsked = 1;
    vq.DeviceModel = "unknown";
    Combo1.Clear();
    vq.PortFound = 0;
    std::vector<int> opened;
    int candidates = 0;
    int firstCandidate = 0;
    bool found = false;

    for (int i = 1; i <= vq.MaxComPort; ++i) {
        Label8.setCaption(TestAvailableComPort(i));
        Label8.Refresh();
        if (!comm.PortOpen()) continue;
        if (opened.size() < 20) opened.push_back(i);

        std::string text;
        try {
            // Straight to the port: no flush, so an answer already on its way is kept.
            comm.setOutput(cmd::RdModel());
            text = ctx_.link.WaitForAnswerStart();
            if (Trim(text).empty()) continue;
            ctx_.link.ReadOn(text);
        } catch (const CommError&) {
            // The line went away under the write: as good as no answer.
            continue;
        }

        const ScanJudgement judged = JudgeScanAnswer(text);
        const std::string& model = judged.model;
        if (!model.empty()) {
            vq.DeviceModel = model;
            Combo1.setVisible(false);
            Label3.setEnabled(model == cmd::kModelWithTuner);
            Image2.setVisible(model != cmd::kModelWithTuner);
            Label7.setCaption(cmd::ModelDisplayText(model));

            vq.ExitToggle = true;
            Shape2.setVisible(false);
            SetMenuLabelsEnabled(true);
            Label8.setVisible(false);
            Shape1.setVisible(false);
            vq.PanelReady = true;
            vq.ComPortNumber = static_cast<int16_t>(comm.CommPort());
            SyncClk();
            vq.PortFound = 1;
            found = true;
            break;
        }

        // Something answered, but not as a known model: offer it by hand.
        vq.ExitToggle = false;
        Shape2.setVisible(true);
        SetMenuLabelsEnabled(false);
        Combo1.setVisible(false);
        vq.PanelReady = false;
        Combo1.AddItem(ScanCandidateEntry(i, judged.candidateCode));
        if (candidates == 0) firstCandidate = i;
        ++candidates;
        try {
            comm.setPortOpen(false);
        } catch (const CommError&) {
        }
    }

    if (candidates > 1) {
        Label8.setVisible(true);
        Label8.setCaption("Several devices could be connected... Select Com port to use");
        Combo1.setVisible(true);
        Shape1.setVisible(true);
        Label8.Refresh();
        Combo1.Refresh();
        Shape1.Refresh();
    } else if (candidates == 1 && !found) {
        vq.PortFound = 1;
        vq.ComPortNumber = static_cast<int16_t>(firstCandidate);
    } else if (candidates == 0) {
        if (opened.empty()) {
            Label8.setCaption(
                "Problem to autoconnect... . Check connection wires or select Com port in use if "
                "you're sure cabling is correct  ");
            FillPortList();
        } else {
            Label8.setCaption("No system connected yet... Select Com port to use");
            for (int port : opened) Combo1.AddItem("Com" + std::to_string(port));
        }
    }

    // Back to the port in use; one that will not open stays closed until the next command.
    try {
        if (comm.PortOpen()) comm.setPortOpen(false);
        comm.setCommPort(vq.ComPortNumber);
        comm.setPortOpen(true);
    } catch (const std::exception&) {
    }

    if (vq.PortFound != 1) {
        Combo1.Clear();
        Label8.setVisible(true);
        Label8.setCaption(kChoosePort);
        FillPortList();
        Combo1.setVisible(true);
    }
}

void FrmMenu_1::DetectModel() {
    auto& vq = ctx_.state.vq;
    ctx_.link.SendMessage(cmd::RdModel());
    const std::string model = cmd::ModelFromAnswer(ctx_.link.ReceiveMessage());
    vq.DeviceModel = model.empty() ? "Unknown" : model;
    if (!model.empty()) {
        Combo1.setVisible(false);
        Label8.setVisible(false);
        SetMenuLabelsEnabled(true);
    } else {
        SetMenuLabelsEnabled(false);
    }
    Label7.setCaption(vq.DeviceModel);
}

void FrmMenu_1::Combo1_Click() {
    auto& vq = ctx_.state.vq;
    MSComm& comm = ctx_.comm;
    try {
        vq.DeviceModel = "Unknown";
        DetectModel();
        if (vq.DeviceModel != "Unknown") {
            Combo1.setVisible(false);
            Shape1.setVisible(false);
            ctx_.dialogs.MsgBox("Already connected... Model is known .", ui::MsgButtons::OK);
            return;
        }

        const std::string entry = Combo1.Text();
        const std::optional<int16_t> port = CInt(NumericString(entry));
        if (comm.PortOpen()) comm.setPortOpen(false);
        if (!port) throw CommError("no port number in " + entry);
        comm.setCommPort(*port);
        comm.setPortOpen(true);
        comm.setSettings("9600,n,8,1");
        ctx_.link.SendMessage(cmd::RdModel());
        const std::string model = cmd::ModelFromAnswer(ctx_.link.ReceiveMessage());
        if (!model.empty()) vq.DeviceModel = model;

        if (!model.empty()) {
            Shape2.setBackStyle(ui::BackStyle::Opaque);
            SetMenuLabelsEnabled(true);
            Combo1.setVisible(false);
            Label8.setVisible(false);
            Shape1.setVisible(false);
            vq.ComPortNumber = *port;
            if (!LoadUserIni()) throw std::runtime_error("user.ini cannot be read");
        } else {
            Shape2.setBackStyle(ui::BackStyle::Transparent);
            SetMenuLabelsEnabled(false);
            Label8.setCaption("Model could not be found...");
            Label8.setVisible(true);
        }
        Label7.setCaption(vq.DeviceModel);
    } catch (const std::exception&) {
        Label8.setVisible(true);
        Label8.setCaption(" Please try again...");
        ctx_.dialogs.MsgBox(
            "Error ... Comm Port closed or already in use... Could not detect QOR Model. Check "
            "cabling.  ",
            ui::MsgButtons::OK);
    }
}

void FrmMenu_1::Combo1_Change() {
    Combo1.setVisible(false);
    Label8.setVisible(false);
    Shape1.setVisible(false);
}

void FrmMenu_1::Combo1_LostFocus() { Combo1_Change(); }

// --- menu -------------------------------------------------------------------------------

void FrmMenu_1::Label1_Click() {
    Label1.setMousePointer(ui::Pointer::Hand);
    Label8.setVisible(false);
    windows_.ShowFile();
}

void FrmMenu_1::Label2_Click() {
    auto& vq = ctx_.state.vq;
    // The slot before the first panel stays free; each panel shown takes the next one.
    ++vq.PanelSlot;
    for (int z = 1; z <= 4; ++z) {
        if (!vq.ZoneShow[z]) continue;
        windows_.ShowZone(z);
        ++vq.PanelSlot;
    }
}

void FrmMenu_1::Label3_Click() {
    // A tuner panel that cannot load is simply not shown.
    try {
        Label3.setMousePointer(ui::Pointer::Hand);
        Label8.setVisible(false);
        windows_.ShowTuner();
    } catch (const std::exception&) {
    }
}

void FrmMenu_1::Label4_Click() {
    Label4.setMousePointer(ui::Pointer::Hand);
    windows_.ShowEvents();
}

void FrmMenu_1::Label6_Click() { ShowSettings(); }

void FrmMenu_1::ShowSettings() {
    try {
        windows_.ShowSettings();
    } catch (const std::exception&) {
    }
}

void FrmMenu_1::Label10_Click() {
    auto& vq = ctx_.state.vq;
    if (!vq.ExitToggle) {
        vq.ExitToggle = true;
        Label10_Click();
        return;
    }
    Shape2.setVisible(true);
    // Ends everything at once: nothing is saved and nothing is sent.
    if (ctx_.quit) ctx_.quit();
}

void FrmMenu_1::Image2_Click() { Label10_Click(); }
void FrmMenu_1::Image4_Click() { Label10_Click(); }
void FrmMenu_1::Image3_Click() { setWindowState(ui::WindowState::Minimized); }
void FrmMenu_1::Image5_Click() { windows_.ShowZone(3); }

void FrmMenu_1::ShowHint(ui::Label& label, const std::string& hint, bool hand) {
    if (hand) label.setMousePointer(ui::Pointer::Hand);
    Label8.setVisible(true);
    Label8.setCaption(hint);
}

void FrmMenu_1::Label1_MouseMove(int, int, double, double) {
    ShowHint(Label1, "Click here to manage your settings (user.ini)", true);
}
void FrmMenu_1::Label2_MouseMove(int, int, double, double) {
    ShowHint(Label2, "Click here to monitor zone amplification.", true);
}
void FrmMenu_1::Label3_MouseMove(int, int, double, double) {
    ShowHint(Label3, "Click here to manage your tuner.", true);
}
void FrmMenu_1::Label4_MouseMove(int, int, double, double) {
    ShowHint(Label4, "Click here to set up a schedule ", true);
}
void FrmMenu_1::Label5_MouseMove(int, int, double, double) {
    ShowHint(Label5, "Select a valid COM port", true);
}
void FrmMenu_1::Label6_MouseMove(int, int, double, double) {
    ShowHint(Label6, "Click here to manage parameters and clock", true);
}
void FrmMenu_1::Label10_MouseMove(int, int, double, double) {
    ShowHint(Label10,
             "Click here to close the software. Your system will continu with the current "
             "settings.",
             false);
}

// --- skin, translucency and drag --------------------------------------------------------

void FrmMenu_1::Image1_Click() {
    colourKey_ = panel::ColourKey();
    alpha_ = panel::kAlpha;
    flags_ = panel::kFlags;
    Show();
    ui::SetWindowTranslucency(*this, colourKey_, alpha_, flags_);
}

void FrmMenu_1::Image1_MouseDown(int, int, double x, double y) {
    Label9.Move(Image1.Left() + 10, Image1.Top() - Label9.Height());
    // Wide enough for the hint on one line; the sync notice is right-aligned in it later.
    Label9.setWidth(std::max(Label9.Width(), Image1.Width() - 10));
    Label9.setAlignment(ui::Alignment::LeftJustify);
    Label9.setVisible(true);
    Label9.setCaption(kDragHint);
    panel::OffSkinLook(Label9);
    panel::DragStart(*this, ctx_.state, Image1, x, y, {"IMAGE1", "LABEL9", "MSCOMM1", "TIMER1"});
}

void FrmMenu_1::Image1_MouseMove(int, int, double, double) {
    if (ctx_.state.vq.PanelReady) Label8.setVisible(false);
    panel::DragMove(*this, ctx_.state, Image1);
}

void FrmMenu_1::Image1_MouseUp(int, int, double, double) {
    panel::DragEnd(*this, ctx_.state, Image1, {"IMAGE1", "MSCOMM1", "TIMER1"});
    Label9.setVisible(false);
}

bool FrmMenu_1::isTransparent(const ui::Form& form) const {
    try {
        return ui::isLayered(form);
    } catch (const std::exception&) {
        return false;
    }
}

int32_t FrmMenu_1::MakeTransparent(ui::Form& form, int16_t percentage) {
    try {
        // Halves go to the even number, as the classic conversion does.
        const double alpha = std::nearbyint((100 - percentage) / 100.0 * 255);
        if (alpha < 0 || alpha > 255) return 1;
        ui::SetWindowTranslucency(form, QColor(0, 0, 0), static_cast<int>(alpha),
                                  ui::kLayeredAlpha);
        return 0;
    } catch (const std::exception&) {
        return 2;
    }
}

int32_t FrmMenu_1::MakeOpaque(ui::Form& form) {
    try {
        // The alpha set after the layered style is gone has nothing to act on.
        ui::ClearLayered(form);
        return 0;
    } catch (const std::exception&) {
        return 2;
    }
}

}  // namespace qor
