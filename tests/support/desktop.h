// The mouse and keys of the desktop tests (desktop_main.cpp), sent through the X server with
// xdotool as a person's would be.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QTest>
#include <string>

#include "platform/ui/boxes.h"
#include "support/ui_events.h"

namespace qor::test {

// Why the display or the window manager could not start; empty when they run.
extern std::string g_desktopMissing;

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!g_desktopMissing.empty()) GTEST_SKIP() << g_desktopMissing;
    }
};

inline void Xdotool(const QStringList& args) {
    // Apart from the click before by more than a double-click's time.
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QProcess xdotool;
    xdotool.start("xdotool", args);
    ui::test::RunUntil([&] { return xdotool.state() == QProcess::NotRunning; });
    // Let the X events that followed reach the window.
    for (int i = 0; i < 20; ++i) ui::test::RunUntil([] { return false; }, 5);
}

// The mouse moved to `at` (screen pixels) and `button` clicked `clicks` times.
inline void ClickAt(QPoint at, int clicks = 1, int button = 1) {
    Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "--repeat",
             QString::number(clicks), "--delay", "60", QString::number(button)});
}

inline QPoint MiddleOf(const QWidget* widget) {
    return widget->mapToGlobal(QPoint(widget->width() / 2, widget->height() / 2));
}

// Presses the button at `from`, moves to `to` and lets go there.
inline void DragFromTo(QPoint from, QPoint to) {
    Xdotool({"mousemove", QString::number(from.x()), QString::number(from.y()), "mousedown", "1",
             "sleep", "0.2", "mousemove", QString::number((from.x() + to.x()) / 2),
             QString::number(to.y()), "sleep", "0.2", "mousemove", QString::number(to.x()),
             QString::number(to.y()), "sleep", "0.2", "mouseup", "1"});
}

// Keys as xdotool names them ("alt+F4"), to the window that has the focus.
inline void PressKeys(const QString& keys) { Xdotool({"key", keys}); }

// Opens the list with a click on its arrow and clicks the entry `text`.
inline void Choose(ui::ComboBox& list, const QString& text) {
    auto* box = static_cast<QComboBox*>(list.widget());
    ClickAt(box->mapToGlobal(QPoint(box->width() - 6, box->height() / 2)));
    ASSERT_TRUE(ui::test::RunUntil([&] { return box->view()->isVisible(); }));
    QAbstractItemView* view = box->view();
    // The entry's row, across the middle of the list as it shows (the view may be laid out
    // wider than the list's window).
    const QRect r = view->visualRect(view->model()->index(box->findText(text), 0));
    const QWidget* shown = view->window();
    ClickAt({shown->mapToGlobal(QPoint(shown->width() / 2, 0)).x(),
             view->viewport()->mapToGlobal(r.center()).y()});
}

}  // namespace qor::test
