#include "platform/ui/runtime.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <array>
#include <cmath>

#include "platform/ui/form.h"

namespace qor::ui {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackTwipsPerPixel = 15.0;

QScreen* PrimaryScreen() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
    return QGuiApplication::primaryScreen();
}

double TwipsPerPixel(double dpi) { return dpi > 0 ? kTwipsPerInch / dpi : kFallbackTwipsPerPixel; }

}  // namespace

double TwipsPerPixelX() {
    QScreen* screen = PrimaryScreen();
    return screen ? TwipsPerPixel(screen->logicalDotsPerInchX()) : kFallbackTwipsPerPixel;
}

double TwipsPerPixelY() {
    QScreen* screen = PrimaryScreen();
    return screen ? TwipsPerPixel(screen->logicalDotsPerInchY()) : kFallbackTwipsPerPixel;
}

int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelX())); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelY())); }
double PixelsToTwipsX(double pixels) { return pixels * TwipsPerPixelX(); }
double PixelsToTwipsY(double pixels) { return pixels * TwipsPerPixelY(); }

double ScreenWidthTwips() {
    QScreen* screen = PrimaryScreen();
    return screen ? PixelsToTwipsX(screen->geometry().width()) : 0.0;
}

double ScreenHeightTwips() {
    QScreen* screen = PrimaryScreen();
    return screen ? PixelsToTwipsY(screen->geometry().height()) : 0.0;
}

QPoint ScreenCursorPos() { return QCursor::pos(); }

namespace {
int g_yieldDepth = 0;
}

void DoEvents() {
    const detail::YieldGuard guard;
    ++g_yieldDepth;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --g_yieldDepth;
    guard.check();
}

void RunWhenSettled(std::function<void()> fn) {
    QTimer::singleShot(0, QCoreApplication::instance(), [fn = std::move(fn)]() mutable {
        // The application's own loop is level 1; anything deeper is a modal box.
        if (g_yieldDepth > 0 || QThread::currentThread()->loopLevel() > 1) {
            // Look again a little later rather than at once, so a waiting handler costs no CPU.
            QTimer::singleShot(20, QCoreApplication::instance(),
                               [fn = std::move(fn)]() mutable { RunWhenSettled(std::move(fn)); });
            return;
        }
        fn();
    });
}

QColor SysColor(int index) {
    static const std::array<QColor, 25> kColours = {
        QColor(200, 200, 200),  // 0 scroll bars
        QColor(0, 0, 0),        // 1 desktop
        QColor(153, 180, 209),  // 2 active title bar
        QColor(191, 205, 219),  // 3 inactive title bar
        QColor(240, 240, 240),  // 4 menu bar
        QColor(255, 255, 255),  // 5 window background
        QColor(100, 100, 100),  // 6 window frame
        QColor(0, 0, 0),        // 7 menu text
        QColor(0, 0, 0),        // 8 window text
        QColor(0, 0, 0),        // 9 active title bar text
        QColor(180, 180, 180),  // 10 active border
        // 11 inactive border: a mid grey rather than the near-white of recent desktops, so the
        // white zone name stays readable on an unlit panel.
        QColor(112, 112, 112),  // 11 inactive border
        QColor(171, 171, 171),  // 12 application workspace
        QColor(51, 153, 255),   // 13 highlight
        QColor(255, 255, 255),  // 14 highlight text
        QColor(240, 240, 240),  // 15 button face
        QColor(160, 160, 160),  // 16 button shadow
        QColor(109, 109, 109),  // 17 grey text
        QColor(0, 0, 0),        // 18 button text
        QColor(67, 78, 84),     // 19 inactive title bar text
        QColor(255, 255, 255),  // 20 button highlight
        QColor(105, 105, 105),  // 21 3D dark shadow
        QColor(227, 227, 227),  // 22 3D light
        QColor(0, 0, 0),        // 23 tooltip text
        QColor(255, 255, 225),  // 24 tooltip background
    };
    if (index < 0 || index >= static_cast<int>(kColours.size())) return QColor(0, 0, 0);
    return kColours[static_cast<std::size_t>(index)];
}

}  // namespace qor::ui
