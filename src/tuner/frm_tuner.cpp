#include "tuner/frm_tuner.h"

#include <exception>

#include "common/basic.h"
#include "link/commands.h"
#include "link/tuner.h"
#include "panel/panel_scheme.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"
#include "platform/ui/translucency.h"
#include "tuner/tuner_layout.h"

namespace qor {

namespace {

constexpr int kOpenRereadMs = 1500;
constexpr int kRdsPollMs = 500;
constexpr double kWrapShift = 150;
constexpr const char* kDragHint =
    "To re-locate this control panel : move mouse to the new position and release it ";

}  // namespace

FrmTuner::FrmTuner(Context& ctx, std::function<void()> showMenu)
    : Form("FrmTuner"), ctx_(ctx), showMenu_(std::move(showMenu)) {
    setCaption("Manage QorTuner Settings");
    setBorderStyle(ui::FormBorderStyle::None);
    setBackColor(ui::RGB(0, 0, 255));
    // The name field lies off the dial, on the editor's own backing.
    panel::OffSkinLook(Text1);
}

FrmTuner::~FrmTuner() {
    if (ctx_.link.rdsLine() == &rdsLine_) ctx_.link.setRdsLine(nullptr);
}

ui::Label& FrmTuner::glassText(const char* name, const ui::TwipRect& rect, double points,
                               bool bold) {
    return add<ui::Label>(name, rect)
        .setBackStyle(ui::BackStyle::Transparent)
        .setForeColor(kGlassText)
        .setFont(kFace, points, bold);
}

ui::Image& FrmTuner::button(const char* name, const ui::TwipRect& rect, const char* picture) {
    return add<ui::Image>(name, rect)
        .setStretch(true)
        .setPictureFile(ctx_.programDir / picture)
        .setMousePointer(ui::Pointer::Hand);
}

ui::PictureBox& FrmTuner::searchButton(const char* name, const ui::TwipRect& rect,
                                       const char* picture) {
    return add<ui::PictureBox>(name, rect)
        .setPictureFile(ctx_.programDir / picture)
        .setMousePointer(ui::Pointer::Hand);
}

ui::Label& FrmTuner::presetKey(const char* name, double left) {
    return add<ui::Label>(name, {left, 768, 315, 210})
        .setBackStyle(ui::BackStyle::Transparent)
        .setMousePointer(ui::Pointer::Hand);
}

// --- window -------------------------------------------------------------------------------

void FrmTuner::Form_Load() {
    setWindowState(ui::WindowState::Maximized);
    // RDS text that arrives from now on belongs on this panel's line.
    ctx_.link.setRdsLine(&rdsLine_);
    auto& vq = ctx_.state.vq;

    // The marker and the sensitivity box follow the screen's resolution; nothing else does.
    const double scaleX = tuner::DpiScale(tuner::ScreenDpi(ui::TwipsPerPixelX()));
    const double scaleY = tuner::DpiScale(tuner::ScreenDpi(ui::TwipsPerPixelY()));
    Shape1.setWidth(Shape1.Width() * scaleX);
    Shape1.setHeight(Shape1.Height() * scaleY);
    Combo1.setWidth(Combo1.Width() * scaleX);

    layOut();
    cascade();

    if (vq.DeviceModel != cmd::kModelWithTuner) {
        ctx_.dialogs.MsgBox("QOR model does not have tuner capabilities...", ui::MsgButtons::OK,
                            ui::MsgIcon::Critical);
        if (showMenu_) showMenu_();
        Timer1.setEnabled(false);
        Timer2.setEnabled(false);
        Unload();
        return;
    }

    Combo1.Clear();
    Combo1.AddItem("High");
    Combo1.AddItem("Mid");
    Combo1.AddItem("Low");
    ReadTunerState();
    // A change of selection sends the sensitivity to the device.
    Combo1.setListIndex(tuner::SensitivityListIndex(vq.TunerSensitivity));
    OpenOrCloseTuner();
    MakeTunerTranslucent();
}

void FrmTuner::layOut() {
    const double w = Image1.Width();
    const double h = Image1.Height();
    for (const tuner::Ratio& r : tuner::kLayout) {
        if (ui::Control* c = control(r.name)) c->Move(w * r.horizontal, h * r.vertical);
    }
}

void FrmTuner::cascade() {
    auto& vq = ctx_.state.vq;
    vq.PanelSlot = vq.PanelSlot == 0 ? 1 : static_cast<int16_t>(vq.PanelSlot + 1);
    // Decided once, before anything moves, so the panel moves as one piece.
    double right = 0;
    if (vq.PanelSlot * Image1.Height() > vq.ScreenHeightTw) {
        vq.PanelSlot = 1;
        right = kWrapShift;
    }
    const double down = vq.PanelSlot * Image1.Height();
    for (ui::Control* c : controls()) {
        const std::string& name = c->UpperName();
        if (name == "LABEL16" || name == "TIMER1" || name == "TIMER2" || !c->hasWidget()) continue;
        if (auto* line = dynamic_cast<ui::Line*>(c)) {
            line->setEnds(line->X1() + right, line->Y1() + down, line->X2() + right,
                          line->Y2() + down);
        } else {
            c->Move(c->Left() + right, c->Top() + down);
        }
    }
}

void FrmTuner::OpenOrCloseTuner() {
    if (!Shape2.Visible()) {
        Label1.setCaption("");
        ReadTunerState();
        Shape2.setVisible(true);
        Label1.setVisible(true);
        Combo1.setVisible(true);
        Timer1.setInterval(kOpenRereadMs);
        Timer1.setEnabled(true);
        return;
    }
    Shape2.setVisible(false);
    Label1.setVisible(false);
    Combo1.setVisible(false);
    Timer1.setEnabled(false);
    Timer1.setInterval(0);
    Unload();
}

void FrmTuner::Form_Unload(bool&) {
    Shape2.setVisible(false);
    Label1.setVisible(false);
    Combo1.setVisible(false);
    Timer1.setEnabled(false);
    Timer1.setInterval(0);
    // From here on RDS text has nowhere to go and is dropped.
    if (ctx_.link.rdsLine() == &rdsLine_) ctx_.link.setRdsLine(nullptr);
}

void FrmTuner::Image4_Click() { OpenOrCloseTuner(); }

void FrmTuner::MakeTunerTranslucent() {
    try {
        panel::ApplyColourKey(*this);
    } catch (const std::exception& e) {
        ctx_.dialogs.MsgBox(std::string(e.what()) + " Source : " + Name(), ui::MsgButtons::OK);
    }
}

void FrmTuner::MakeTopMost(int32_t& hWnd) {
    ui::SetWindowPos(hWnd, ui::HWND_TOPMOST, 0, 0, 0, 0, ui::SWP_NOMOVE | ui::SWP_NOSIZE);
}

void FrmTuner::MakeNormal(int32_t& hWnd) {
    ui::SetWindowPos(hWnd, ui::HWND_NOTOPMOST, 0, 0, 0, 0, ui::SWP_NOMOVE | ui::SWP_NOSIZE);
}

void FrmTuner::Image5_MouseDown(int button, int, double, double) {
    if (button == ui::kLeftButton) {
        setWindowState(ui::WindowState::Minimized);
        return;
    }
    int32_t handle = hWnd();
    const ui::MsgAnswer answer =
        ctx_.dialogs.MsgBox("Set tuner to stay on top of all windows ?",
                            ui::MsgButtons::YesNoCancel, ui::MsgIcon::None, "Stay on top");
    if (answer == ui::MsgAnswer::Yes) {
        MakeTopMost(handle);
    } else {
        MakeNormal(handle);
    }
}

// --- drag ---------------------------------------------------------------------------------

void FrmTuner::Image1_MouseDown(int, int, double x, double y) { dragStart(x, y); }
void FrmTuner::Label13_MouseDown(int, int, double x, double y) {
    dragStart(x, y);
    // The hint line hides itself with the rest and so gets no more pointer events: the dial
    // takes the rest of the drag, its moves and the release.
    ui::SetCapture(Image1);
}

void FrmTuner::Image1_MouseMove(int, int, double, double) {
    panel::DragMove(*this, ctx_.state, Image1);
    Label13.setCaption("");
}

void FrmTuner::Label13_MouseMove(int, int, double, double) {
    panel::DragMove(*this, ctx_.state, Image1, &Label13);
}

void FrmTuner::Image1_MouseUp(int, int, double, double) { dragEnd(); }
void FrmTuner::Label13_MouseUp(int, int, double, double) { dragEnd(); }

void FrmTuner::dragStart(double x, double y) {
    // No state reading or RDS poll while the panel moves.
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
    Label16.Move(ScaleWidth() / 2, 0);
    Label16.setCaption(kDragHint);
    panel::OffSkinLook(Label16);
    Label16.setVisible(true);
    for (int i = 0; i < Line1.Count(); ++i) linesShownBeforeDrag_[i] = Line1(i).Visible();
    panel::DragStart(*this, ctx_.state, Image1, x, y, {"IMAGE1", "LABEL16", "TIMER1", "TIMER2"});
}

void FrmTuner::dragEnd() {
    ui::ReleaseCapture();
    Timer1.setEnabled(true);
    Timer2.setEnabled(true);
    Label16.setVisible(false);
    const panel::Shift shift =
        panel::DragEnd(*this, ctx_.state, Image1, {"TIMER1", "TIMER2", "IMAGE1", "LINE1"});
    // The connectors share one name, so they come back by what each showed, not by name: a
    // drag with the editor open shows its one connector again, not all six.
    for (int i = 0; i < Line1.Count(); ++i) {
        ui::Line& line = Line1(i);
        line.setEnds(line.X1() + shift.dx, line.Y1() + shift.dy, line.X2() + shift.dx,
                     line.Y2() + shift.dy);
        if (linesShownBeforeDrag_[i]) line.setVisible(true);
        linesShownBeforeDrag_[i] = false;
    }
}

// --- state and RDS ------------------------------------------------------------------------

void FrmTuner::ReadTunerState() {
    Link& link = ctx_.link;
    auto& vq = ctx_.state.vq;

    if (link.SendMessage(cmd::TunFreqRead()) != 1) {
        Combo1.setVisible(false);
        Label12.setCaption("");
        Label9.setVisible(true);
        return;
    }
    Combo1.setVisible(true);
    if (const auto f = tuner::FrequencyFromAnswer(link.ReceiveMessage(), link.semicolonCount())) {
        setFrequency(*f);
    }

    const int n = tuner::MatchPreset(link, Label9.Caption());
    if (n != tuner::kNoPreset) ShowPresetMarker(n);
    Shape1.setVisible(true);
    ShowPresetMarker(n);

    // A changed selection sends the sensitivity back; "Mid" reads the state once more inside.
    if (link.SendMessage(cmd::RdTunSens()) == 1) {
        if (const auto s = tuner::SensitivityFromAnswer(link.ReceiveMessage())) {
            if (s->listIndex) Combo1.setListIndex(*s->listIndex);
            if (!s->name.empty()) vq.TunerSensitivity = s->name;
        }
    }
    Label9.setVisible(true);
}

void FrmTuner::setFrequency(const std::string& text) {
    if (Label9.Caption() == text) return;
    Label9.setCaption(text);
    Label9_Change();
}

void FrmTuner::Label9_Change() {
    if (Trim(Label9.Caption()).empty()) ctx_.dialogs.MsgBox("?", ui::MsgButtons::OK);
}

std::string FrmTuner::ReceiveRDS() {
    Link& link = ctx_.link;
    const std::string buffer = link.DrainInput();
    if (buffer.empty()) return "";
    // Whatever else came is dropped: nobody else reads it.
    if (buffer.find("RDS") == std::string::npos) return buffer;

    const std::string t = RdsText(buffer, link.semicolonCount());
    if (t.empty()) return "?";
    Label1.setVisible(true);
    if (RdsFitsLine(t)) {
        Label1.setCaption(t);
        Label1.Refresh();
        return "?";
    }
    Timer2.setEnabled(false);
    Timer1.setEnabled(false);
    const bool whole = link.ScrollRds(rdsLine_, t);
    Timer1.setEnabled(true);
    Timer2.setEnabled(true);
    return whole ? "?" : buffer;
}

void FrmTuner::Timer1_Timer() {
    // The RDS poll pauses while the state is read, staying enabled.
    Timer2.setInterval(0);
    ReadTunerState();
    Timer2.setInterval(kRdsPollMs);
}

void FrmTuner::Timer2_Timer() { ReceiveRDS(); }

}  // namespace qor
