// The skinned panel scheme shared by the main window, the zone panels and the tuner panel: the
// pure-blue colour key, and moving a panel by dragging its skin picture. The window never moves;
// its controls are shifted inside its transparent area.
//
// A window calls the three drag steps below from its skin picture's mouse handlers. Names in the
// lists are compared upper-cased; names a window lacks are harmless. The drag state lives in the
// shared state (DragActive, DragStartX/Y, DragImgLeft/Top, HiddenCtlNames), so only one drag runs
// at a time, whichever window it is in.
#pragma once

#include <QColor>
#include <initializer_list>
#include <string_view>

#include "common/state.h"
#include "platform/ui/control.h"
#include "platform/ui/controls.h"
#include "platform/ui/form.h"

namespace qor::panel {

// The layered-window values every skinned panel uses: pure blue is the colour key; the alpha
// is passed along but has no effect, since the flags ask for the colour key only.
inline QColor ColourKey() { return QColor(0, 0, 255); }
inline constexpr int kAlpha = 150;
inline constexpr int kFlags = 1;

// Applies the three values above to the window (never fails).
void ApplyColourKey(ui::Form& form);

// A label or field the window shows off its skin, over the see-through blue, would show only
// its text, or nothing at all; it gets a backing of its own in the skins' style instead: the
// dark display glass with its light text. A label is also made large enough for its caption (on
// one line when the window has room), never smaller than it is. Call it once the caption is set.
// Controls on the skin keep their own looks.
QColor OffSkinBacking();
QColor OffSkinText();
void OffSkinLook(ui::Label& label);
void OffSkinLook(ui::TextBox& field);

// HiddenCtlNames holds at most this many names; further visible controls are left showing.
inline constexpr int kMaxHidden = 50;

using NameList = std::initializer_list<std::string_view>;

// Mouse-down on the skin picture at (x, y) twips inside the control that took the event:
// records the pointer offset and the picture's place, sets DragActive to 1, clears the hidden
// list, then hides every visible control whose name is not in `keepVisible` and records its
// upper-case name, in the window's control order.
void DragStart(ui::Form& form, SharedState& state, const ui::Control& picture, double x, double y,
               NameList keepVisible);

// Pointer move over the skin picture (dragging or not): shows the hand pointer over `handle`
// (the picture when null); while a drag is active, the picture follows the pointer.
void DragMove(ui::Form& form, SharedState& state, ui::Control& picture,
              ui::Control* handle = nullptr);

// How far the picture was dragged, in whole twips.
struct Shift {
    int dx = 0;
    int dy = 0;
};

// Mouse-up: shifts every control whose name is not in `fixed` by the distance the picture
// moved (a visible one is hidden during its move), shows again the controls the drag start
// hid, and sets DragActive to 0. Returns the shift, for things a window moves itself.
Shift DragEnd(ui::Form& form, SharedState& state, const ui::Control& picture, NameList fixed);

}  // namespace qor::panel
