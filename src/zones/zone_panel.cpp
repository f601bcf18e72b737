#include "zones/zone_panel.h"

#include <cmath>
#include <exception>

#include "common/answers.h"
#include "common/basic.h"
#include "link/commands.h"
#include "panel/panel_scheme.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"

namespace qor {

namespace {

constexpr int kRefreshMs = 2500;
constexpr const char* kModelWithoutTuner = "QOR 81";
constexpr const char* kFont = "Verdana";
constexpr const char* kDragHint =
    "To re-locate this control panel : move mouse to the new position and release it ";

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kMarkerOn(128, 128, 255);
const QColor kMarkerOff(224, 224, 224);

// Zone 1 stands apart in most ways; zones 2 and 4 each carry one quirk of their own.
const ZoneTraits kTraits[4] = {
    {.window = "FrmZone_1",
     .captionIsTextBox = true,
     .modelCheckOnRefresh = true,
     .disablesCaptionWithoutTuner = true,
     .selectsAuxWhenSwitchedOn = true,
     .storesScreenHeight = true},
    {.window = "Frmzone_2",
     .refreshesOnActivate = true,
     .pokesVolumeKnob = true,
     .hidesMarkersWhenOff = true},
    {.window = "FrmZone_3", .hidesMarkersWhenOff = true},
    {.window = "FrmZone_4", .earlyModelStep = true, .hidesMarkersWhenOff = true},
};

}  // namespace

const ZoneTraits& ZoneTraits::For(int zone) {
    return kTraits[(zone >= 1 && zone <= 4 ? zone : 1) - 1];
}

ZonePanel::ZonePanel(Context& ctx, int zone)
    : Form(ZoneTraits::For(zone).window),
      ctx_(ctx),
      zone_(zone >= 1 && zone <= 4 ? zone : 1),
      traits_(ZoneTraits::For(zone_)) {
    setCaption("Amplification in Zone " + std::to_string(zone_));
    setBorderStyle(ui::FormBorderStyle::None);
    setBackColor(ui::RGB(0, 0, 255));
}

ui::Shape& ZonePanel::sourceMarker(const char* name, const ui::TwipRect& rect) {
    return add<ui::Shape>(name, rect).setFillColor(kMarkerOn).setFillStyle(ui::FillStyle::Solid);
}

ui::TextBox& ZonePanel::levelCaption(const char* name, const ui::TwipRect& rect, const char* text,
                                     double points) {
    ui::TextBox& box = add<ui::TextBox>(name, rect)
                           .setText(text)
                           .setLocked(true)
                           .setBorderStyle(false)
                           .setBackColor(ui::SysColor(17))
                           .setAlignment(ui::Alignment::Center);
    if (points > 0) box.setFont(kFont, points);
    return box;
}

ui::IKnobX& ZonePanel::knob(const char* name, const ui::TwipRect& rect, double min, double max) {
    return add<ui::IKnobX>(name, rect)
        .setPositionMin(min)
        .setPositionMax(max)
        .setKeyArrowStepSize(0.1)
        .setKeyPageStepSize(1)
        .setMouseWheelStepSize(1);
}

std::string ZonePanel::clearansw(const std::string& text, const std::string& key) {
    return qor::clearansw(text, key, ctx_.state.vq.SemicolonCount);
}

// --- window -------------------------------------------------------------------------------

void ZonePanel::Form_Load() {
    if (withoutTuner()) {
        Image2.setVisible(false);
        Image2.setEnabled(false);
        if (traits_.disablesCaptionWithoutTuner) setSourceCaptionEnabled(false);
        Shape5.setVisible(false);
        setSourceCaption("        Aux");
        Shape4.setVisible(false);
        Image5_Click();
    } else {
        Image2.setVisible(true);
        Image2.setEnabled(true);
        setSourceCaptionEnabled(true);
        Shape5.setVisible(true);
        setSourceCaption("Tuner / Aux");
    }

    // Stacking, in single precision as the slot test always was. Until zone 1's panel has
    // measured the screen, the height is 0 and every panel past slot 0 starts again at slot 1.
    auto& vq = ctx_.state.vq;
    const float h = static_cast<float>(Image1.Height());
    const float t = static_cast<float>(Image1.Top());
    if (static_cast<float>(vq.PanelSlot) * h + t > static_cast<float>(vq.ScreenHeightTw)) {
        vq.PanelSlot = 1;
    }
    const double down = static_cast<float>(vq.PanelSlot) * h;
    for (ui::Control* c : controls()) {
        const std::string& name = c->UpperName();
        if (name == "LABEL16" || name == "MSCOMM1" || name == "TIMER1") continue;
        c->setTop(c->Top() + down);
    }

    setWindowState(ui::WindowState::Maximized);
    InitZonePanel();
    Label16.setVisible(false);
    if (traits_.storesScreenHeight) {
        vq.ScreenHeightTw = static_cast<int32_t>(std::nearbyint(ui::ScreenHeightTwips()));
    }
}

void ZonePanel::InitZonePanel() {
    Timer1.setInterval(kRefreshMs);
    Timer1.setEnabled(true);
    try {
        panel::ApplyColourKey(*this);
    } catch (const std::exception& e) {
        ctx_.dialogs.MsgBox(std::string(e.what()) + " Source : " + Name(), ui::MsgButtons::OK);
    }
}

void ZonePanel::Timer1_Timer() { RefreshZone(zone_); }

void ZonePanel::Form_Activate() {
    if (traits_.refreshesOnActivate) RefreshZone(zone_);
}

void ZonePanel::Image3_Click() { setWindowState(ui::WindowState::Minimized); }

void ZonePanel::Image4_Click() { Unload(); }

void ZonePanel::Image1_MouseDown(int, int, double x, double y) {
    Timer1.setEnabled(false);
    Label16.Move(ScaleWidth() / 2, 0);
    Label16.setCaption(kDragHint);
    panel::OffSkinLook(Label16);
    Label16.setVisible(true);
    panel::DragStart(*this, ctx_.state, Image1, x, y, {"IMAGE1", "LABEL16", "MSCOMM1", "TIMER1"});
}

void ZonePanel::Image1_MouseMove(int, int, double, double) {
    panel::DragMove(*this, ctx_.state, Image1);
}

void ZonePanel::Image1_MouseUp(int, int, double, double) {
    Timer1.setEnabled(true);
    Label16.setVisible(false);
    panel::DragEnd(*this, ctx_.state, Image1, {"TIMER1", "IMAGE1", "TIMER2"});
}

// --- refresh ------------------------------------------------------------------------------

void ZonePanel::RefreshZone(int z) {
    if (z < 1 || z > 4) return;
    auto& vq = ctx_.state.vq;
    Link& link = ctx_.link;

    Label1.setCaption(vq.ZoneName[z]);
    Image3.setVisible(true);
    Image4.setVisible(true);
    if (traits_.modelCheckOnRefresh) modelStep();

    link.SendMessage(cmd::RdOn(z));
    const std::string s = scanevent(clearansw(link.ReceiveMessage(), "*RT,ON"), 2);

    if (s == "1") {
        if (traits_.pokesVolumeKnob) iKnobX31.Refresh();
        if (traits_.earlyModelStep) lastOnStep();

        const std::string path = skinPath(Look::On);
        vq.ZoneOn[z] = true;
        if (path != vq.ZoneImgPath[z]) {
            loadPictures(Look::On);
            setMarkerFill(kMarkerOn);
            Label1.setForeColor(kWhite);
            Label1.setVisible(true);
        }
        applyColours(Look::On);
        Image5.setVisible(true);

        readLevel(cmd::RdVol(z), "*RT,VOL", iKnobX31);
        readLevel(cmd::RdLow(z), "*RT,LOW", iKnobX11);
        readLevel(cmd::RdHigh(z), "*RT,HIGH", iKnobX21);

        readSource(z, true);
        vq.ZoneImgPath[z] = path;
        lastOnStep();
    } else if (s == "0") {
        Image2.setVisible(false);
        Image5.setVisible(false);
        const std::string path = skinPath(Look::Off);
        vq.ZoneOn[z] = false;
        if (path != vq.ZoneImgPath[z]) {
            loadPictures(Look::Off);
            Label1.setBackColor(ui::SysColor(11));
            setKnobsVisible(false);
            setMarkerFill(kMarkerOff);
        }
        if (traits_.hidesMarkersWhenOff) {
            Shape4.setVisible(false);
            Shape5.setVisible(false);
        }
        readSource(z, false);

        Image2.setVisible(false);
        Image5.setVisible(false);
        setKnobsVisible(false);
        // The faded set is read again on every refresh that finds the zone off.
        loadPictures(Look::Off);
        applyColours(Look::Off);
        vq.ZoneImgPath[z] = path;
        if (withoutTuner() && Shape4.Visible()) {
            Shape4.setVisible(false);
            Image5_Click();
        }
    }
    // Any other answer (none, an error text, RDS) leaves the panel as the last refresh left it.
}

void ZonePanel::modelStep() {
    if (withoutTuner()) {
        Image2.setVisible(false);
        Image2.setEnabled(false);
        setSourceCaptionEnabled(false);
        Shape5.setVisible(false);
        setSourceCaption("        Aux");
    } else {
        Image2.setVisible(true);
        Image2.setEnabled(true);
        setSourceCaptionEnabled(true);
        setSourceCaption("Tuner / Aux");
    }
}

void ZonePanel::lastOnStep() {
    if (!withoutTuner()) {
        Image2.setVisible(true);
        return;
    }
    Image2.setVisible(false);
    Shape4.setVisible(false);
    // The model without tuner plays Aux only, so the device is told so again.
    Image5_Click();
}

void ZonePanel::readLevel(const std::string& request, const char* key, ui::IKnobX& knob) {
    ctx_.link.SendMessage(request);
    const std::string f = scanevent(clearansw(ctx_.link.ReceiveMessage(), key), 3);
    // A value outside 16 bits counts as no value at all.
    if (const auto value = CInt(f)) knob.setPosition(*value);
    knob.setVisible(true);
    if (&knob == &iKnobX31) knob.ZOrder(0);
}

void ZonePanel::readSource(int z, bool litMarkers) {
    ctx_.link.SendMessage(cmd::RdSrc(z));
    const auto source = CInt(scanevent(ctx_.link.ReceiveMessage(), 3));
    // After the answer: a refresh nested in its wait may have faded them.
    if (litMarkers) setMarkerFill(kMarkerOn);
    if (source && (*source == 1 || *source == 2)) markSource(*source == 2);
}

// --- controls -----------------------------------------------------------------------------

// Bass leaves the refresh timer running: a refresh may then run inside its exchange while RDS
// text scrolls. Treble and volume hold the timer off for theirs.
void ZonePanel::iKnobX11_PositionChange() { knobChanged(iKnobX11, cmd::Low, cmd::RdLow, false); }
void ZonePanel::iKnobX21_PositionChange() { knobChanged(iKnobX21, cmd::High, cmd::RdHigh, true); }
void ZonePanel::iKnobX31_PositionChange() { knobChanged(iKnobX31, cmd::Vol, cmd::RdVol, true); }

void ZonePanel::knobChanged(ui::IKnobX& knob, SetCommand set, ReadCommand read, bool stopsTimer) {
    if (stopsTimer) Timer1.setEnabled(false);
    // The knob keeps its position within its range, so it always fits.
    const int v = CInt(knob.Position()).value_or(0);
    ctx_.link.SendMessage(set(zone_, v));
    ctx_.link.SendMessage(read(zone_));
    // Field 3 of the whole text: the first record's value.
    if (const auto value = CInt(scanevent(ctx_.link.ReceiveMessage(), 3))) {
        knob.setPosition(*value);
    }
    if (stopsTimer) Timer1.setEnabled(true);
}

void ZonePanel::Image2_Click() {
    if (!ctx_.state.vq.ZoneOn[zone_]) return;
    markSource(true);
    ctx_.link.SendMessage(cmd::Src(zone_, 2));
}

void ZonePanel::Image5_Click() {
    if (!ctx_.state.vq.ZoneOn[zone_]) return;
    markSource(false);
    ctx_.link.SendMessage(cmd::Src(zone_, 1));
}

void ZonePanel::Picture1_Click() {
    auto& vq = ctx_.state.vq;
    if (vq.ZoneOn[zone_]) {
        Image2.setVisible(false);
        Image5.setVisible(false);
        vq.ZoneOn[zone_] = false;
        setKnobsVisible(false);
        ctx_.link.SendMessage(cmd::Off(zone_));
        loadPictures(Look::Off);
        applyColours(Look::Off);
        vq.ZoneImgPath[zone_] = skinPath(Look::Off);
        return;
    }
    vq.ZoneOn[zone_] = true;
    ctx_.link.SendMessage(cmd::On(zone_));
    loadPictures(Look::On);
    showKnobs();
    applyColours(Look::On);
    Image5.setVisible(true);
    if (!withoutTuner()) {
        Image2.setVisible(true);
    } else if (traits_.selectsAuxWhenSwitchedOn) {
        Image5_Click();
    }
    vq.ZoneImgPath[zone_] = skinPath(Look::On);
}

// --- looks --------------------------------------------------------------------------------

bool ZonePanel::withoutTuner() const {
    return UCase(ctx_.state.vq.DeviceModel) == kModelWithoutTuner;
}

std::filesystem::path ZonePanel::picture(const char* name) const { return ctx_.programDir / name; }

std::string ZonePanel::skinPath(Look look) const {
    return picture(look == Look::On ? kSkinOn : kSkinOff).string();
}

void ZonePanel::loadPictures(Look look) {
    // A missing or unreadable file leaves the picture that is showing.
    const bool on = look == Look::On;
    Image1.LoadPicture(picture(on ? kSkinOn : kSkinOff));
    Image4.LoadPicture(picture(on ? kCloseOn : kCloseOff));
    Picture1.LoadPicture(picture(on ? kPowerOn : kPowerOff));
}

void ZonePanel::applyColours(Look look) {
    if (look == Look::On) {
        Label1.setBackColor(ui::SysColor(7));
        Label1.setForeColor(kWhite);
        setSourceCaptionColours(ui::SysColor(17), kBlack);
        for (ui::TextBox* text : {&Text1, &Text2, &Text3}) text->setBackColor(ui::SysColor(17));
        setMarkerFill(kMarkerOn);
    } else {
        Label1.setBackColor(ui::SysColor(11));
        setSourceCaptionColours(kWhite, ui::SysColor(17));
        for (ui::TextBox* text : {&Text1, &Text2, &Text3}) text->setBackColor(kWhite);
        setMarkerFill(kMarkerOff);
    }
}

void ZonePanel::setKnobsVisible(bool visible) {
    for (ui::IKnobX* knob : {&iKnobX11, &iKnobX21, &iKnobX31}) knob->setVisible(visible);
}

void ZonePanel::showKnobs() {
    setKnobsVisible(true);
    iKnobX31.ZOrder(0);
}

void ZonePanel::markSource(bool tuner) {
    Shape5.setFillStyle(tuner ? ui::FillStyle::Transparent : ui::FillStyle::Solid);
    Shape5.setVisible(!tuner);
    Shape4.setFillStyle(tuner ? ui::FillStyle::Solid : ui::FillStyle::Transparent);
    Shape4.setVisible(tuner);
}

void ZonePanel::setMarkerFill(const QColor& colour) {
    Shape4.setFillColor(colour);
    Shape5.setFillColor(colour);
}

void ZonePanel::setSourceCaption(const std::string& text) {
    if (Text4) Text4->setText(text);
    if (Label3) Label3->setCaption(text);
}

void ZonePanel::setSourceCaptionEnabled(bool enabled) {
    if (Text4) Text4->setEnabled(enabled);
    if (Label3) Label3->setEnabled(enabled);
}

void ZonePanel::setSourceCaptionColours(const QColor& back, const QColor& fore) {
    if (Text4) {
        Text4->setBackColor(back);
        Text4->setForeColor(fore);
    }
    if (Label3) {
        Label3->setBackColor(back);
        Label3->setForeColor(fore);
    }
}

}  // namespace qor
