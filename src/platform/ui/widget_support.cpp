#include "platform/ui/widget_support.h"

#include <QApplication>
#include <QFocusEvent>
#include <utility>

namespace qor::ui::detail {

int ClassicButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kLeftButton;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return 0;
    }
}

int ClassicButtons(Qt::MouseButtons buttons) {
    int mask = 0;
    if (buttons & Qt::LeftButton) mask |= kLeftButton;
    if (buttons & Qt::RightButton) mask |= kRightButton;
    if (buttons & Qt::MiddleButton) mask |= kMiddleButton;
    return mask;
}

int ClassicShift(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) mask |= kShiftMask;
    if (modifiers & Qt::ControlModifier) mask |= kCtrlMask;
    if (modifiers & Qt::AltModifier) mask |= kAltMask;
    return mask;
}

void RaiseMouse(const MouseEvent& event, const QMouseEvent& qt, bool movement) {
    const int button = movement ? ClassicButtons(qt.buttons()) : ClassicButton(qt.button());
    event(button, ClassicShift(qt.modifiers()), PixelsToTwipsX(qt.position().x()),
          PixelsToTwipsY(qt.position().y()));
}

Qt::Alignment QtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::RightJustify:
            return Qt::AlignRight;
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::LeftJustify:
            break;
    }
    return Qt::AlignLeft;
}

QColor PaletteColour(const QWidget& widget, QPalette::ColorRole role) {
    return widget.palette().color(role);
}

void SetPaletteColour(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles,
                      const QColor& colour) {
    QPalette palette = widget.palette();
    for (QPalette::ColorRole role : roles) {
        palette.setColor(QPalette::Active, role, colour);
        palette.setColor(QPalette::Inactive, role, colour);
    }
    widget.setPalette(palette);
}

void FocusTracker::focusMoved(const QEvent& event) {
    if (event.type() == QEvent::FocusOut) {
        const auto& focus = static_cast<const QFocusEvent&>(event);
        // A pop-up opening takes the focus in two steps, first with the pop-up reason, then
        // into its own list; either way a pop-up is up.
        if (focus.reason() == Qt::PopupFocusReason || QApplication::activePopupWidget()) {
            inPopup_ = true;
            return;
        }
        inPopup_ = false;
        if (lost_) (*lost_)();
    } else if (event.type() == QEvent::FocusIn) {
        // Back from the pop-up: the control never lost the focus.
        if (std::exchange(inPopup_, false)) return;
        if (got_) (*got_)();
    }
}

}  // namespace qor::ui::detail
