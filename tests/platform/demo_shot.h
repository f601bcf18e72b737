// Shared by the sample window programs: runs the window and, given a file name, saves a picture
// of the screen once it is drawn.
#pragma once

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "platform/ui/form.h"

namespace qor::ui::test {

inline int RunAndShoot(QApplication& app, Form& form, int argc, char** argv) {
    if (argc > 1) {
        const QString file = QString::fromLocal8Bit(argv[1]);
        QTimer::singleShot(800, &app, [&form, file] {
            // The whole screen, frame and all; the window alone where the screen cannot be read.
            QPixmap shot = QApplication::primaryScreen()->grabWindow(0);
            if (shot.isNull()) shot = form.widget()->grab();
            const bool saved = shot.save(file, "PNG");
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}

}  // namespace qor::ui::test
