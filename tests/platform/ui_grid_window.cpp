// Shows the schedule-like sample window on the real display and, given a file name, saves a
// picture of the screen once it is drawn: the grid with day marks, coloured cells and an editor
// over a cell, for a person to judge. Run under Xvfb: ui_grid_window shot.png
#include <QApplication>

#include "demo_shot.h"
#include "sample_schedule_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qor::ui::test::FrmSampleSchedule form;
    qor::ui::MSFlexGrid& g = form.MSFlexGrid1;
    for (int day : {1, 2, 3, 4, 5}) g.setRow(1).setCol(day).setCellPicture(form.Picture2.Picture());
    for (int day : {6, 7}) g.setRow(2).setCol(day).setCellPicture(form.Picture2.Picture());
    g.setRow(3).setCol(1).setCellPicture(form.Picture1.Picture());
    g.setTextMatrix(1, 8, "7:30:00");
    g.setTextMatrix(2, 8, "9:15:00");
    g.setTextMatrix(2, 9, "3");
    g.setTextMatrix(2, 11, "Preset 2");
    g.setTextMatrix(2, 12, "45");
    // The loader's colours: the source and volume of an event that is off on button face.
    for (int row = 3; row < 17; ++row) {
        for (int col : {11, 12}) g.setRow(row).setCol(col).setCellBackColor(qor::ui::SysColor(15));
    }
    form.Show();
    for (int row : {1, 2}) {
        g.setRow(row).setCol(10);
        form.MSFlexGrid1_DblClick();
    }
    g.setRow(4).setCol(8);
    form.MSFlexGrid1_DblClick();  // the time picker over a cell
    return qor::ui::test::RunAndShoot(app, form, argc, argv);
}
