#include "settings/frm_settings.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <numbers>

#include "common/answers.h"
#include "common/basic.h"
#include "config/device_settings.h"
#include "config/show_zones.h"
#include "link/commands.h"
#include "link/device_reads.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/runtime.h"

namespace qor {

namespace {

constexpr const char* kUnknownModel = "Unknown";

}  // namespace

Frmsettings::Frmsettings(Context& ctx) : Form("Frmsettings"), ctx_(ctx) {
    setCaption("Adjust current settings ");
    setBorderStyle(ui::FormBorderStyle::FixedSingle);
    Move(600, 600, kNarrowWidth, 7800);
    // Tall enough for the clock group and a margin under it, below whatever the menu bar takes.
    setHeight(Height() - ScaleHeight() + 7095);
}

// --- design helpers ----------------------------------------------------------------------

ui::Label& Frmsettings::label(const char* name, const ui::TwipRect& rect, ui::Container& container,
                              const char* caption) {
    return add<ui::Label>(name, rect)
        .in(container)
        .setBackStyle(ui::BackStyle::Transparent)
        .setCaption(caption);
}

ui::Label& Frmsettings::zoneLabel(const char* name, int zone, double top, const char* caption) {
    return label(name, {240, top, 1560, 255}, Frame2[zone], caption);
}

ui::Label& Frmsettings::hiddenLabel(const char* name, const ui::TwipRect& rect,
                                    const char* caption) {
    return label(name, rect, Frame1[1], caption).setVisible(false);
}

ui::Label& Frmsettings::infoLabel(const char* name, double top, const char* caption) {
    return label(name, {6000, top, 4560, 255}, *this, caption);
}

ui::Slider& Frmsettings::pregainSlider(const char* name, double top) {
    return add<ui::Slider>(name, {1680, top, 2400, 420}).in(Frame1[0]).setMax(30).setLargeChange(5);
}

ui::Slider& Frmsettings::volumeSlider(const char* name, int zone) {
    return add<ui::Slider>(name, {1800, 570, 2175, 420})
        .in(Frame2[zone])
        .setMax(99)
        .setLargeChange(5)
        .setSmallChange(1);
}

ui::TextBox& Frmsettings::zoneName(const char* name, int zone) {
    return add<ui::TextBox>(name, {240, 165, 3735, 315}).in(Frame2[zone]);
}

ui::CheckBox& Frmsettings::viewBox(const char* name, int zone) {
    return add<ui::CheckBox>(name, {1800, 1170, 300, 315}).in(Frame2[zone]);
}

ui::PictureBox& Frmsettings::statusPicture(const char* name, int status) {
    // None shows until a status is read: three pictures stacked would show the worst one.
    return add<ui::PictureBox>(name, {3240, 390, 435, 435})
        .in(Frame1[1])
        .setVisible(false)
        .setPicture(StatusPicture(status));
}

ui::CommandButton& Frmsettings::saveButton(const char* name) {
    return add<ui::CommandButton>(name, {0, 0, 975, 375}).setVisible(false).setCaption("Save");
}

// A power symbol, lit green for on and grey for off.
QPixmap Frmsettings::PowerPicture(bool on) {
    QPixmap picture(33, 33);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor face = on ? QColor(60, 190, 90) : QColor(150, 150, 150);
    p.setPen(QPen(face.darker(140), 1));
    p.setBrush(face);
    p.drawEllipse(QRectF(1.5, 1.5, 30, 30));
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 9, 15, 15), 120 * 16, 300 * 16);
    p.drawLine(QPointF(16.5, 6.5), QPointF(16.5, 15));
    return picture;
}

// Status 0 green, 1 amber, 2 red, each with its own mark, so they differ without colour too.
QPixmap Frmsettings::StatusPicture(int status) {
    static const QColor kFaces[] = {QColor(60, 180, 80), QColor(240, 170, 30), QColor(210, 50, 40)};
    QPixmap picture(29, 29);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor face = kFaces[std::clamp(status, 0, 2)];
    p.setPen(QPen(face.darker(150), 1));
    p.setBrush(face);
    p.drawEllipse(QRectF(1.5, 1.5, 26, 26));
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    if (status == 0) {
        p.drawLine(QPointF(8, 15), QPointF(12.5, 19.5));
        p.drawLine(QPointF(12.5, 19.5), QPointF(21, 10));
    } else {
        p.drawLine(QPointF(14.5, 7.5), QPointF(14.5, 16.5));
        p.drawPoint(QPointF(14.5, 21));
        if (status == 2) {
            p.drawLine(QPointF(9.5, 7.5), QPointF(9.5, 16.5));
            p.drawLine(QPointF(19.5, 7.5), QPointF(19.5, 16.5));
            p.drawPoint(QPointF(9.5, 21));
            p.drawPoint(QPointF(19.5, 21));
        }
    }
    return picture;
}

// A quiet strip down the window's left edge.
QPixmap Frmsettings::EdgePicture() {
    QPixmap picture(8, 64);
    QPainter p(&picture);
    QLinearGradient gradient(0, 0, 8, 0);
    gradient.setColorAt(0, QColor(70, 110, 160));
    gradient.setColorAt(1, QColor(150, 180, 215));
    p.fillRect(picture.rect(), gradient);
    return picture;
}

ui::Slider& Frmsettings::zoneSlider(int zone) {
    ui::Slider* const sliders[] = {&Slider1, &Slider2, &Slider3, &Slider4};
    return *sliders[zone - 1];
}

ui::CheckBox& Frmsettings::zoneCheck(int zone) {
    ui::CheckBox* const boxes[] = {&Check1, &Check2, &Check3, &Check4};
    return *boxes[zone - 1];
}

// --- load and reading --------------------------------------------------------------------

void Frmsettings::Form_Load() {
    // The lists are empty at design; the hour and minute boxes keep their "Hr" and "Min" until
    // a device clock is read.
    for (int v = -10; v <= 10; ++v) Combo3.AddItem(std::to_string(v));
    for (int h = 0; h <= 23; ++h) Combo1.AddItem(std::to_string(h));
    for (int m = 0; m <= 59; ++m) Combo2.AddItem(std::to_string(m));

    readsettings();
    if (!isLoaded()) return;

    // Ticking a box from here runs its click handler, which sets ZoneShow, as a user's tick does.
    const ZoneChoices choices = ReadShowZones(ctx_.programDir);
    for (int z = 1; z <= 4; ++z) {
        if (choices[z]) zoneCheck(z).setValue(*choices[z] ? 1 : 0);
    }
    mnustandard_Click();
}

void Frmsettings::readsettings() {
    auto& vq = ctx_.state.vq;
    Link& link = ctx_.link;

    // 1. Model; an answer that names neither model leaves DeviceModel as it was.
    link.SendMessage(cmd::RdModel());
    const std::string model = cmd::ModelFromAnswer(link.ReceiveMessage());
    if (model == cmd::kModelWithoutTuner) {
        vq.DeviceModel = model;
        Label4.setVisible(false);
        Slider6.setVisible(false);
    } else if (model == cmd::kModelWithTuner) {
        vq.DeviceModel = model;
        Label4.setVisible(true);
        Slider6.setVisible(true);
    }

    // 2. A model query that found no device: the panel goes, and says why.
    if (vq.DeviceModel == kUnknownModel) {
        Unload();
        ctx_.dialogs.MsgBox(kModelNotRetrievedMessage, ui::MsgButtons::OK, ui::MsgIcon::Critical);
        return;
    }

    // 3. Firmware.
    link.SendMessage(cmd::RdVer());
    Label16.setCaption(FirmwareCaption(link.ReceiveMessage()));

    // 4. Every zone frame at the first one's place; only the current one is shown.
    for (int i = 1; i <= Frame2.UBound(); ++i) {
        Frame2[i].Move(Frame2[0].Left(), Frame2[0].Top(), Frame2[0].Width(), Frame2[0].Height());
        Frame2[i].setVisible(false);
    }

    // 5. The tab last chosen, also in an earlier window.
    CurrentTab = vq.SettingsTab >= 1 && vq.SettingsTab <= 4 ? vq.SettingsTab : 1;
    TabStrip1.setSelectedIndex(CurrentTab);
    Frame2[CurrentTab - 1].setVisible(true);

    // 6. Names.
    for (int z = 1; z <= 4; ++z) TabStrip1.setTabCaption(z, "Zone " + std::to_string(z));
    Text1.setText(vq.ZoneName[1]);
    Text2.setText(vq.ZoneName[2]);
    Text3.setText(vq.ZoneName[3]);
    Text4.setText(vq.ZoneName[4]);

    // 7. On/off of the current zone; anything but "1", a link failure included, is off.
    link.SendMessage(cmd::RdOn(CurrentTab));
    vq.ZoneOn[CurrentTab] = ZoneOnFromAnswer(link.ReceiveMessage());
    showOnOff(vq.ZoneOn[CurrentTab]);

    // 8. Maximum volumes. Sliders set from here send nothing back to the device.
    for (int z = 1; z <= std::min<int>(vq.ZoneCount, 4); ++z) {
        if (const auto v = ReadValue(link, cmd::RdVolMax(z))) zoneSlider(z).setValue(*v);
    }

    // 9, 10. Pregains; the tuner's only on the tuner model.
    if (const auto v = ReadValue(link, cmd::RdGain(1))) Slider5.setValue(*v);
    if (cmd::IsTunerModel(vq.DeviceModel)) {
        if (const auto v = ReadValue(link, cmd::RdGain(2))) {
            Slider6.setValue(*v);
            Slider6.Refresh();
        }
    }

    // 11. Temperatures: each field that is a whole number; the others keep what they showed.
    const std::string record = ReadTempRecord(link);
    Label23.setCaption(record);
    if (const auto t = TempFromRecord(record)) {
        if (t->current) Label25.setCaption(std::to_string(*t->current));
        if (t->minimum) {
            Label13.setCaption(std::to_string(*t->minimum));
            // Strictly between the scroll bar's limits.
            if (*t->minimum > 30 && *t->minimum < 65) VScroll2.setValue(*t->minimum);
        }
        if (t->maximum) Label10.setCaption(std::to_string(*t->maximum));
        if (t->status) showStatus(*t->status);
    }

    // 12. Clock; the hour and minute unpadded.
    if (const auto clock = ReadDeviceClock(link)) {
        Calendar1.setDate(clock->year, clock->month, clock->day);
        Combo1.setText(std::to_string(clock->hour));
        Combo2.setText(std::to_string(clock->minute));
    }

    // 13. Model.
    Label17.setCaption(ModelCaption(vq.DeviceModel));
}

void Frmsettings::showOnOff(bool on) {
    Picture1.setVisible(on);
    Picture2.setVisible(!on);
}

void Frmsettings::showStatus(int status) {
    Picture3.setVisible(status == 0);
    Picture4.setVisible(status == 1);
    Picture5.setVisible(status == 2);
}

// --- tabs, layout, view boxes, scroll bars -----------------------------------------------

void Frmsettings::TabStrip1_Click() {
    auto& vq = ctx_.state.vq;
    if (CurrentTab >= 1 && CurrentTab <= 4) Frame2[CurrentTab - 1].setVisible(false);
    CurrentTab = std::clamp(TabStrip1.SelectedIndex(), 1, 4);
    Frame2[CurrentTab - 1].setVisible(true);
    showOnOff(vq.ZoneOn[CurrentTab]);
    vq.SettingsTab = static_cast<int16_t>(CurrentTab);
}

void Frmsettings::MnuAdvanced_Click() {
    Frame1[1].setVisible(true);
    // That width stops short of the temperature group's right edge; the window takes it whole.
    const double border = Width() - ui::PixelsToTwipsX(widget()->width());
    const double fit = border + Frame1[1].Left() + Frame1[1].Width() + 60;
    setWidth(std::max(Frame1[0].Left() + Frame1[0].Width() + Frame1[1].Width() + 50, fit));
    Label17.setVisible(true);
    Label16.setVisible(true);
}

// Ends in the wide layout all the same, with the tab shown afresh from the held on/off state.
void Frmsettings::mnustandard_Click() {
    Label17.setVisible(false);
    Label16.setVisible(false);
    setWidth(Frame1[0].Left() + Frame1[0].Width() + 10);
    TabStrip1_Click();
    MnuAdvanced_Click();
}

void Frmsettings::viewChanged(int zone) {
    ctx_.state.vq.ZoneShow[zone] = zoneCheck(zone).Value() == 1;
}

void Frmsettings::Check1_Click() { viewChanged(1); }
void Frmsettings::Check2_Click() { viewChanged(2); }
void Frmsettings::Check3_Click() { viewChanged(3); }
void Frmsettings::Check4_Click() { viewChanged(4); }

void Frmsettings::VScroll1_Change() { Label10.setCaption(std::to_string(VScroll1.Value())); }
void Frmsettings::VScroll2_Change() { Label13.setCaption(std::to_string(VScroll2.Value())); }

// --- device settings ---------------------------------------------------------------------

void Frmsettings::Command4_Click() {
    std::string why;
    const DateTime date{Calendar1.Year(), Calendar1.Month(), Calendar1.Day()};
    const auto command = ClockSetCommand(date, Combo1.Text(), Combo2.Text(), &why);
    if (!command) {
        ctx_.dialogs.MsgBox(why, ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
        return;
    }
    if (ctx_.link.SendMessage(*command) != 1) return;
    ctx_.dialogs.MsgBox(ClockAdjustedMessage(*command), ui::MsgButtons::OK);
    // The window may have gone while the message was up.
    if (isLoaded()) mnustandard_Click();
}

void Frmsettings::Command5_Click() {
    std::string why;
    const auto commands = TemperatureSetCommands(Trim(Label13.Caption()), Trim(Label10.Caption()),
                                                 Trim(Combo3.Text()), &why);
    if (!commands) {
        ctx_.dialogs.MsgBox(why, ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
        return;
    }
    for (const std::string& c : *commands) ctx_.link.SendMessage(c);
    readsettings();
}

void Frmsettings::Command6_Click() {
    auto& vq = ctx_.state.vq;
    const int tabVolume = CurrentTab >= 1 && CurrentTab <= 4 ? zoneSlider(CurrentTab).Value() : 0;
    for (const std::string& c :
         ZoneSetCommands(Slider5.Value(), Slider6.Value(), vq.DeviceModel, CurrentTab, tabVolume))
        ctx_.link.SendMessage(c);
    vq.ZoneName[1] = Text1.Text();
    vq.ZoneName[2] = Text2.Text();
    vq.ZoneName[3] = Text3.Text();
    vq.ZoneName[4] = Text4.Text();
    readsettings();
    // Whole or not at all: a failed write keeps the old file, and the user is told.
    std::string why;
    if (!WriteShowZones(ctx_.programDir, vq.ZoneShow, &why)) {
        ctx_.dialogs.MsgBox("The choice of zones to show could not be saved in " +
                                ShowZonesFilePath(ctx_.programDir).string() + ": " + why,
                            ui::MsgButtons::OK, ui::MsgIcon::Exclamation);
    }
}

void Frmsettings::switchZone(bool on) {
    const int z = TabStrip1.SelectedIndex();
    if (z < 1 || z > 4) return;
    if (ctx_.link.SendMessage(on ? cmd::On(z) : cmd::Off(z)) != 1) return;
    showOnOff(on);
    ctx_.state.vq.ZoneOn[z] = on;
    readsettings();
}

void Frmsettings::Picture1_Click() { switchZone(false); }
void Frmsettings::Picture2_Click() { switchZone(true); }

void Frmsettings::Slider5_Change() {
    if (ctx_.link.SendMessage(cmd::Gain(1, Slider5.Value())) == 1) readsettings();
}

void Frmsettings::Slider6_Change() { ctx_.link.SendMessage(cmd::Gain(2, Slider6.Value())); }

}  // namespace qor
