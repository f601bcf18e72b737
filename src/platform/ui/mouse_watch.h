// Pointer helpers for what the control families do not cover themselves.
//
// The classic MouseMove for a control whose family has no mouse events of its own (a text box),
// so a window can show a hint while the pointer moves over it. Bound where the control is
// declared:
//     ui::TextBox& Text1 = ui::WithMouseMove(add<ui::TextBox>("Text1", {...}), this,
//                                            &FrmX::Text1_MouseMove);
#pragma once

#include <functional>

#include "platform/ui/control.h"

namespace qor::ui {

// Raises `handler` (button held, shift, X, Y in twips inside the control) on every pointer move
// over the control's widget. The watch ends with the widget.
void WatchMouseMove(Control& control, std::function<void(int, int, double, double)> handler);

template <class T, class W>
T& WithMouseMove(T& control, W* window, void (W::*handler)(int, int, double, double)) {
    WatchMouseMove(control, [window, handler](int b, int s, double x, double y) {
        (window->*handler)(b, s, x, y);
    });
    return control;
}

// The classic SetCapture: every pointer event goes to this control, wherever the pointer is,
// until ReleaseCapture. A drag whose pressed control hides itself keeps going this way through
// another control, since a hidden control gets no pointer events.
void SetCapture(Control& control);
void ReleaseCapture();

}  // namespace qor::ui
