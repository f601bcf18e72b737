// The layered-window colour key and alpha. The key colour is made invisible and click-through
// by a window mask built from the rendered window; the mask follows the window's controls as
// they move, show, hide or change pictures.
#pragma once

#include <QColor>
#include <QRegion>
#include <QTimer>
#include <cstdint>

namespace qor::ui {

class Form;

namespace detail {

// The colour key of one window: the window's mask is every pixel that is not the key colour, as
// drawn. It is worked out for the whole window when the key is set, the window is resized or
// shown or its colour changes, and otherwise only where controls changed (soon after, once).
class ColourKeyMask {
  public:
    explicit ColourKeyMask(QWidget& window);
    void setKey(const QColor& key);
    void clear();
    bool active() const { return active_; }
    QColor key() const { return key_; }
    // The whole window at once.
    void refresh();
    // The pixels of `area` (window pixels) changed; all of them.
    void changed(const QRect& area);
    void changedAll();

  private:
    void apply();

    QWidget& window_;
    bool active_ = false;
    QColor key_;
    QRegion mask_;
    QRegion dirty_;
    bool whole_ = false;
    QTimer timer_;
};

}  // namespace detail

inline constexpr int kLayeredColourKey = 1;  // the key colour becomes see-through
inline constexpr int kLayeredAlpha = 2;      // the whole window takes the alpha

// Applies what `flags` asks for: the key colour, the alpha (0 invisible .. 255 opaque), or
// both. The window counts as layered afterwards, whatever the flags. Never fails: a window
// system that cannot shape windows leaves the window as it was.
void SetWindowTranslucency(Form& form, const QColor& colourKey, int alpha, int flags);
// The window's opacity alone (alpha 0..255); the window counts as layered.
void SetWindowAlpha(Form& form, int alpha);
// Back to a plain opaque window.
void ClearLayered(Form& form);
// True once a colour key or an alpha was applied, until ClearLayered.
bool isLayered(const Form& form);

// The stay-on-top switch of the classic SetWindowPos, for a window of this program by its
// handle (Form::hWnd): HWND_TOPMOST puts it above all others, HWND_NOTOPMOST back among them.
// Only the NOMOVE | NOSIZE use is offered; position and size are left alone. Returns 0 for a
// handle that names no window of the program, else 1.
inline constexpr int32_t HWND_TOPMOST = -1;
inline constexpr int32_t HWND_NOTOPMOST = -2;
inline constexpr int32_t SWP_NOSIZE = 1;
inline constexpr int32_t SWP_NOMOVE = 2;
int32_t SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t x, int32_t y, int32_t cx,
                     int32_t cy, int32_t flags);

}  // namespace qor::ui
