// Shows the settings-like sample window on the real display and, given a file name, saves a
// picture of the screen once it is drawn: the look of the kit's framed windows, for a person
// to judge. Run under Xvfb: ui_sample_window shot.png
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "sample_settings_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qor::ui::test::FrmSampleSettings form;
    for (int tab = 1; tab <= 4; ++tab) {
        form.TabStrip1.setTabCaption(tab, "Zone " + std::to_string(tab));
    }
    form.TabStrip1.setSelectedIndex(1);
    for (int i = 1; i < 4; ++i) form.Frame2[i].setVisible(false);
    form.Check1.setValue(1);
    form.Slider1.setValue(60);
    form.Slider5.setValue(12);
    form.VScroll2.setValue(40);
    form.Calendar1.setValue("7/3/2026");
    form.Show();
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
