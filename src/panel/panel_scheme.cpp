#include "panel/panel_scheme.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <string>

#include "platform/ui/runtime.h"
#include "platform/ui/translucency.h"

namespace qor::panel {

namespace {

bool Listed(const std::string& upperName, NameList names) {
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view n) { return ui::detail::UpperAscii(n) == upperName; });
}

bool WasHidden(const std::string& upperName, const ImageVar& iv) {
    for (int i = 0; i < kMaxHidden; ++i) {
        if (iv.HiddenCtlNames[i] == upperName) return true;
    }
    return false;
}

// Whole twips, halves to the even number, as a Long assignment rounds.
int32_t WholeTwips(double twips) { return static_cast<int32_t>(std::nearbyint(twips)); }

// The skins' lettering; a little larger than the glass's small print, since a hint off the skin
// stands alone.
constexpr const char* kOffSkinFace = "DejaVu Sans";
constexpr double kOffSkinPoints = 7.5;
// Pixels of backing after the caption, so it never touches the edge.
constexpr int kOffSkinPad = 6;

}  // namespace

QColor OffSkinBacking() { return QColor(19, 20, 22); }
QColor OffSkinText() { return QColor(104, 212, 226); }

void OffSkinLook(ui::Label& label) {
    label.setBackStyle(ui::BackStyle::Opaque);
    label.setBackColor(OffSkinBacking());
    label.setForeColor(OffSkinText());
    label.setFont(kOffSkinFace, kOffSkinPoints);

    const QFontMetrics metrics = label.widget()->fontMetrics();
    const QString caption = ui::ToQt(label.Caption());
    const double oneLine = ui::PixelsToTwipsX(metrics.horizontalAdvance(caption) + kOffSkinPad);
    const double room = label.Parent().ScaleWidth() - label.Left();
    const double width = std::max(label.Width(), std::min(oneLine, room));
    const QRect lines = metrics.boundingRect(QRect(0, 0, ui::TwipsToPixelsX(width), 1 << 20),
                                             Qt::TextWordWrap, caption);
    const double height = std::max(label.Height(), ui::PixelsToTwipsY(lines.height() + 2));
    label.Move(label.Left(), label.Top(), width, height);
}

void OffSkinLook(ui::TextBox& field) {
    field.setBackColor(OffSkinBacking());
    field.setForeColor(OffSkinText());
    field.setFont(kOffSkinFace, kOffSkinPoints);
}

void ApplyColourKey(ui::Form& form) {
    ui::SetWindowTranslucency(form, ColourKey(), kAlpha, kFlags);
}

void DragStart(ui::Form& form, SharedState& state, const ui::Control& picture, double x, double y,
               NameList keepVisible) {
    state.vq.DragStartX = x;
    state.vq.DragStartY = y;
    state.iv.DragImgLeft = WholeTwips(picture.Left());
    state.iv.DragImgTop = WholeTwips(picture.Top());
    state.vq.DragActive = 1;
    for (int i = 0; i < kMaxHidden; ++i) state.iv.HiddenCtlNames[i].clear();

    int next = 0;
    for (ui::Control* c : form.controls()) {
        if (next >= kMaxHidden) break;
        if (Listed(c->UpperName(), keepVisible) || !c->Visible()) continue;
        c->setVisible(false);
        state.iv.HiddenCtlNames[next++] = c->UpperName();
    }
}

void DragMove(ui::Form& form, SharedState& state, ui::Control& picture, ui::Control* handle) {
    (handle ? handle : &picture)->setMousePointer(ui::Pointer::Hand);
    if (state.vq.DragActive <= 0) return;
    // The pointer is taken in the window's own coordinates, so the picture lands under it
    // wherever the window sits on the screen.
    QPoint p = ui::ScreenCursorPos();
    if (QWidget* w = form.widget()) p = w->mapFromGlobal(p);
    picture.Move(p.x() * ui::TwipsPerPixelX() - state.vq.DragStartX,
                 p.y() * ui::TwipsPerPixelY() - state.vq.DragStartY);
}

Shift DragEnd(ui::Form& form, SharedState& state, const ui::Control& picture, NameList fixed) {
    const Shift shift{WholeTwips(picture.Left() - state.iv.DragImgLeft),
                      WholeTwips(picture.Top() - state.iv.DragImgTop)};
    for (ui::Control* c : form.controls()) {
        if (Listed(c->UpperName(), fixed)) continue;
        if (c->hasWidget()) {
            if (c->Visible()) {
                c->setVisible(false);
                c->Move(c->Left() + shift.dx, c->Top() + shift.dy);
                c->setVisible(true);
            } else {
                c->Move(c->Left() + shift.dx, c->Top() + shift.dy);
            }
        }
        if (WasHidden(c->UpperName(), state.iv)) c->setVisible(true);
    }
    state.vq.DragActive = 0;
    return shift;
}

}  // namespace qor::panel
