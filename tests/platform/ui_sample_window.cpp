// Shows the settings-like sample window on the real display and, given a file name, saves a
// picture of the screen once it is drawn: the look of the kit's framed windows, for a person
// to judge. Run under Xvfb: ui_sample_window shot.png
#include <QApplication>

#include "demo_shot.h"
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
    return qor::ui::test::RunAndShoot(app, form, argc, argv);
}
