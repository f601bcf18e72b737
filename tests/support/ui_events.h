// Shared by the window kit tests.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace qor::ui::test {

// Lets events run until `done`, for a bounded number of rounds; a guard timer keeps each round
// short, so nothing here measures time.
template <class Pred>
bool RunUntil(Pred done, int rounds = 5000) {
    QTimer guard;
    guard.start(1);
    for (int i = 0; i < rounds && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return done();
}

// A mouse event as the window system delivers it.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

// What the window system sends for a double click.
inline void DoubleClick(QWidget* widget, QPoint at) {
    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
          QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool up = type == QEvent::MouseButtonRelease;
        SendMouse(widget, type, at, Qt::LeftButton, up ? Qt::NoButton : Qt::LeftButton);
    }
}

}  // namespace qor::ui::test
