// A framed window laid out like the schedule editor, built from the kit alone: an event grid with
// day marks and coloured cells, and the editors laid over a cell on a double-click. The tests
// drive it; ui_grid_window shows it for a screenshot.
#pragma once

#include <QPainter>
#include <QPixmap>
#include <string>
#include <vector>

#include "platform/ui/ui.h"

namespace qor::ui::test {

// A 14 x 15 mark drawn in `colour`: a tick, or a cross.
inline QPixmap SampleMark(const QColor& colour, bool tick) {
    QPixmap mark(14, 15);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (tick) {
        painter.drawPolyline(QPolygonF({{2.5, 8}, {5.5, 11.5}, {11.5, 3}}));
    } else {
        painter.drawLine(QPointF(3, 3.5), QPointF(11, 11.5));
        painter.drawLine(QPointF(11, 3.5), QPointF(3, 11.5));
    }
    return mark;
}

class FrmSampleSchedule : public Form {
  public:
    FrmSampleSchedule() : Form("FrmSampleSchedule") {
        setCaption("Make Clock schedule");
        Move(600, 600, 8700, 6300);
        MSFlexGrid1.setCols(13).setRows(17);
        static const char* const kHeaders[] = {"nr.",    "Ma",   "Di", "Wo",      "Do",
                                               "Vr",     "Za",   "Zo", "Uur/Min", "Zone",
                                               "On/Off", "Bron", "Vol"};
        for (int c = 0; c < 13; ++c) {
            MSFlexGrid1.setTextMatrix(0, c, kHeaders[c]);
            if (c >= 1 && c != 8) MSFlexGrid1.setColWidth(c, c >= 10 ? 700 : 500);
        }
        // As wide as its columns, so it never scrolls sideways.
        double width = 100;
        for (int c = 0; c < 13; ++c) width += MSFlexGrid1.ColWidth(c);
        MSFlexGrid1.setWidth(width);
        for (int r = 1; r < 17; ++r) {
            MSFlexGrid1.setTextMatrix(r, 0, std::to_string(r));
            MSFlexGrid1.setTextMatrix(r, 8, "0:00:00");
            MSFlexGrid1.setTextMatrix(r, 9, "1");
            MSFlexGrid1.setTextMatrix(r, 10, "Off");
            MSFlexGrid1.setTextMatrix(r, 11, "Aux");
            MSFlexGrid1.setTextMatrix(r, 12, "0");
        }
        MSFlexGrid1.setRow(1).setCol(1);
    }

    std::vector<std::string> log;

    Menu& MnuEventsFile = addMenu("MnuEventsFile", "File");
    Menu& MnuEventsFileOpen = addMenu("MnuEventsFileOpen", "&Open").in(MnuEventsFile);
    MSFlexGrid& MSFlexGrid1 = add<MSFlexGrid>("MSFlexGrid1", {120, 120, 8000, 4425})
                                  .onClick(this, &FrmSampleSchedule::MSFlexGrid1_Click)
                                  .onDblClick(this, &FrmSampleSchedule::MSFlexGrid1_DblClick);
    ComboBox& Combo1 = add<ComboBox>("Combo1", {0, 0, 500, 315})
                           .AddItem("1")
                           .AddItem("2")
                           .AddItem("3")
                           .AddItem("4")
                           .setVisible(false)
                           .onClick(this, &FrmSampleSchedule::Combo1_Click)
                           .onLostFocus(this, &FrmSampleSchedule::Combo1_LostFocus);
    DTPicker& DTPicker1 = add<DTPicker>("DTPicker1", {0, 0, 1100, 315})
                              .setVisible(false)
                              .onChange(this, &FrmSampleSchedule::DTPicker1_Change)
                              .onCloseUp(this, &FrmSampleSchedule::DTPicker1_CloseUp)
                              .onLostFocus(this, &FrmSampleSchedule::DTPicker1_LostFocus);
    PictureBox& Picture2 = add<PictureBox>("Picture2", {120, 4800, 210, 225})
                               .setPicture(SampleMark(QColor(0, 0, 0), true));
    PictureBox& Picture1 = add<PictureBox>("Picture1", {450, 4800, 210, 225})
                               .setPicture(SampleMark(QColor(200, 0, 0), false));
    Label& Label1 =
        add<Label>("Label1", {900, 4800, 3000, 255}).setCaption("Doubleclick cells  to edit ");

    void MSFlexGrid1_Click() { log.push_back("MSFlexGrid1_Click " + cellName()); }

    void MSFlexGrid1_DblClick() {
        log.push_back("MSFlexGrid1_DblClick " + cellName());
        MSFlexGrid& g = MSFlexGrid1;
        const int col = g.Col();
        if (col >= 1 && col <= 7) {
            g.setCellPicture(SamePicture(g.CellPicture(), Picture2.Picture()) ? QPixmap()
                                                                              : Picture2.Picture());
        } else if (col == 8) {
            DTPicker1.setValue(g.Text());
            overCell(DTPicker1);
        } else if (col == 9) {
            const std::string zone = g.Text();
            if (zone.size() == 1 && zone[0] >= '1' && zone[0] <= '4')
                Combo1.setListIndex(zone[0] - '1');
            overCell(Combo1);
        } else if (col == 10) {
            const bool on = g.Text() != "On";
            g.setCellForeColor(on ? RGB(255, 0, 0) : RGB(0, 0, 0)).setText(on ? "On" : "Off");
            for (int c : {11, 12})
                g.setCol(c).setCellBackColor(on ? RGB(255, 255, 255) : SysColor(15));
            g.setCol(10);
        }
    }
    void Combo1_Click() {
        log.push_back("Combo1_Click " + Combo1.Text());
        if (MSFlexGrid1.Col() != 9) return;
        MSFlexGrid1.setText(Combo1.Text());
        Combo1.setVisible(false);
    }
    void Combo1_LostFocus() { Combo1.setVisible(false); }
    void DTPicker1_Change() {
        log.push_back("DTPicker1_Change " + DTPicker1.Value());
        MSFlexGrid1.setText(DTPicker1.Value());
    }
    void DTPicker1_CloseUp() {
        log.push_back("DTPicker1_CloseUp");
        if (MSFlexGrid1.Col() == 8) MSFlexGrid1.setText(DTPicker1.Value());
    }
    void DTPicker1_LostFocus() {
        log.push_back("DTPicker1_LostFocus");
        DTPicker1.setValue("0:00:00");
        DTPicker1.setVisible(false);
    }

  private:
    std::string cellName() const {
        return std::to_string(MSFlexGrid1.Row()) + "," + std::to_string(MSFlexGrid1.Col());
    }
    // The editor's top-left corner goes where the current cell's is drawn.
    template <class C>
    void overCell(C& editor) {
        MSFlexGrid& g = MSFlexGrid1;
        editor.Move(g.Left() + g.ColPos(g.Col()), g.Top() + g.RowPos(g.Row()));
        editor.setVisible(true);
        editor.ZOrder(0);
        editor.SetFocus();
    }
};

}  // namespace qor::ui::test
