// What the classic runtime offered every window: the screen measured in twips, the pointer's
// place, the system colours and DoEvents.
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <functional>
#include <string>

namespace qor::ui {

// A twip is 1/1440 inch; the screen's logical dpi decides how many fall on a pixel
// (15 at 96 dpi, 12 at 120 dpi). 15 when no screen is known yet.
double TwipsPerPixelX();
double TwipsPerPixelY();

int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(double pixels);
double PixelsToTwipsY(double pixels);

// The primary screen's full size in twips.
double ScreenWidthTwips();
double ScreenHeightTwips();

// The pointer's position on the screen, in pixels.
QPoint ScreenCursorPos();

// Lets every pending event run, once. The only way window code yields.
void DoEvents();

// Runs fn once no handler is waiting further up the stack: not inside DoEvents, nor inside a
// modal box's own event loop. A window whose owner destroys it on unload is unloaded that way,
// so a handler that yielded never returns into a deleted window.
void RunWhenSettled(std::function<void()> fn);

inline QColor RGB(int r, int g, int b) { return QColor(r, g, b); }

// The program's texts are 8-bit, in the settings files' code page (Latin-1), as the device and
// the files have them; widgets get and give them in that code page.
inline QString ToQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text) { return text.toLatin1().toStdString(); }

// The numbered window colours of the classic platform, with its usual default values
// (7 menu text, 8 window text, 11 inactive border, 15 button face, 17 grey text, ...).
// An unknown index gives black.
QColor SysColor(int index);

}  // namespace qor::ui
