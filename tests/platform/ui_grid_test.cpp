// The flex grid and the time picker, driven through a window laid out like the schedule editor:
// cells addressed through the current cell, pictures compared by identity, the user's clicks,
// editors laid over a cell, and the picker's events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <stdexcept>

#include "sample_schedule_window.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

using test::DoubleClick;
using test::SendMouse;
using Lines = std::vector<std::string>;

class GridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Show();
        QApplication::setActiveWindow(form.widget());
        form.log.clear();
    }
    QTableWidget* table() const { return static_cast<QTableWidget*>(form.MSFlexGrid1.widget()); }
    // Where cell (row, col) is drawn, in the pixels of the window's inside.
    QRect cellRect(int row, int col) const {
        const QRect r = table()->visualRect(table()->model()->index(row, col));
        return r.translated(table()->viewport()->mapTo(form.inside(), QPoint(0, 0)));
    }
    void clickCell(int row, int col) {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                          table()->visualRect(table()->model()->index(row, col)).center());
    }
    void doubleClickCell(int row, int col) {
        DoubleClick(table()->viewport(),
                    table()->visualRect(table()->model()->index(row, col)).center());
    }
    test::FrmSampleSchedule form;
};

TEST_F(GridTest, CellsAreAddressedThroughTheCurrentCell) {
    MSFlexGrid& g = form.MSFlexGrid1;
    EXPECT_EQ(g.Rows(), 17);
    EXPECT_EQ(g.Cols(), 13);

    g.setRow(3).setCol(11).setCellBackColor(RGB(255, 255, 255)).setText("Preset 3");
    g.setCellAlignment(CellAlignment::LeftTop);
    g.setCol(10).setCellForeColor(RGB(255, 0, 0));
    EXPECT_EQ(g.TextMatrix(3, 11), "Preset 3");
    EXPECT_EQ(g.CellForeColor(), RGB(255, 0, 0));
    EXPECT_EQ(g.CellBackColor(), SysColor(5)) << "white until set";
    EXPECT_FALSE(g.CellBackColorSet());
    EXPECT_EQ(g.cellAlignment(), CellAlignment::General);
    g.setRow(4).setCol(11);
    EXPECT_EQ(g.CellBackColor(), SysColor(5));
    g.setRow(3);
    EXPECT_EQ(g.CellBackColor(), RGB(255, 255, 255));
    EXPECT_TRUE(g.CellBackColorSet()) << "white set on a cell that reported white";
    EXPECT_EQ(g.cellAlignment(), CellAlignment::LeftTop);
    EXPECT_EQ(g.Text(), "Preset 3");
    g.setTextMatrix(0, 0, "nr.");
    EXPECT_EQ(g.Row(), 3) << "TextMatrix leaves the current cell";

    // A row or column the grid lacks is an error the caller can trap, the current cell unchanged.
    EXPECT_THROW(g.setRow(17), std::out_of_range);
    EXPECT_THROW(g.setCol(-1), std::out_of_range);
    EXPECT_THROW(g.TextMatrix(0, 13), std::out_of_range);
    EXPECT_EQ(g.Row(), 3);
    g.setRows(3);
    EXPECT_EQ(g.Row(), 2) << "the current row stays inside a smaller grid";
    g.setRows(17);
    EXPECT_EQ(g.TextMatrix(16, 8), "") << "rows added anew are empty";
}

TEST_F(GridTest, CellsDrawTheirTextAndColoursAndCodeDoesNotScrollTheGrid) {
    MSFlexGrid& g = form.MSFlexGrid1;
    doubleClickCell(4, 10);  // On: red text, white source and volume
    g.setRow(5).setCol(11).setCellBackColor(SysColor(15)).setCol(1);
    const QImage image = table()->viewport()->grab().toImage();
    auto pixels = [&](int row, int col, auto wanted) {
        const QRect r =
            table()->visualRect(table()->model()->index(row, col)).adjusted(1, 1, -2, -2);
        int count = 0;
        for (int x = r.left(); x <= r.right(); ++x) {
            for (int y = r.top(); y <= r.bottom(); ++y) count += wanted(image.pixelColor(x, y));
        }
        return count;
    };
    auto dark = [](const QColor& c) { return c.lightness() < 100; };
    auto red = [](const QColor& c) { return c.red() > 150 && c.green() < 100; };
    auto face = [](const QColor& c) { return c == SysColor(15); };
    // Each cell drawn after a header cell still shows its text.
    EXPECT_GT(pixels(0, 0, dark), 0) << "nr.";
    EXPECT_GT(pixels(1, 8, dark), 0) << "0:00:00";
    EXPECT_GT(pixels(4, 10, red), 0) << "On";
    EXPECT_EQ(pixels(4, 11, face), 0);
    EXPECT_GT(pixels(5, 11, face), 0);

    // Walking the cells from code leaves the grid where the user scrolled it.
    g.setWidth(3000);
    for (int col = 1; col < 13; ++col) g.setRow(16).setCol(col).setText(g.Text());
    EXPECT_EQ(table()->horizontalScrollBar()->value(), 0);
}

TEST_F(GridTest, ADayMarkIsTheSamePictureObjectNotAnEqualOne) {
    MSFlexGrid& g = form.MSFlexGrid1;
    const QPixmap mark = form.Picture2.Picture();
    doubleClickCell(2, 3);
    EXPECT_EQ(form.log, (Lines{"MSFlexGrid1_Click 2,3", "MSFlexGrid1_DblClick 2,3"}));
    EXPECT_TRUE(SamePicture(g.CellPicture(), mark));
    doubleClickCell(2, 3);
    EXPECT_TRUE(g.CellPicture().isNull()) << "a second double-click takes the mark away";

    // The same pixels as another picture object, or another picture: not the mark.
    g.setCellPicture(mark.copy());
    EXPECT_FALSE(SamePicture(g.CellPicture(), mark));
    g.setCellPicture(form.Picture1.Picture());
    EXPECT_FALSE(SamePicture(g.CellPicture(), mark));
    doubleClickCell(2, 3);
    EXPECT_TRUE(SamePicture(g.CellPicture(), mark)) << "any other picture counts as not set";
    EXPECT_FALSE(SamePicture(QPixmap(), QPixmap()));
}

TEST_F(GridTest, ClicksOnCellsMakeThemCurrentAndFixedCellsRaiseNothing) {
    MSFlexGrid& g = form.MSFlexGrid1;
    clickCell(5, 9);
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.Col(), 9);
    clickCell(0, 4);
    doubleClickCell(7, 0);
    EXPECT_EQ(form.log, Lines{"MSFlexGrid1_Click 5,9"});
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.Col(), 9);

    // The On/Off cell: text and colours follow each double-click.
    doubleClickCell(4, 10);
    EXPECT_EQ(g.Text(), "On");
    EXPECT_EQ(g.CellForeColor(), RGB(255, 0, 0));
    EXPECT_EQ(g.setCol(12).CellBackColor(), RGB(255, 255, 255));
    doubleClickCell(4, 10);
    EXPECT_EQ(g.Text(), "Off");
    EXPECT_EQ(g.setCol(11).CellBackColor(), SysColor(15));
}

TEST_F(GridTest, AnEditorLaidOverACellLandsOnTheCellAlsoWhenTheGridIsScrolled) {
    MSFlexGrid& g = form.MSFlexGrid1;
    g.setHeight(1800);  // rows below are scrolled to
    const struct {
        int row, col;
        Control* editor;
    } cases[] = {{1, 8, &form.DTPicker1}, {3, 9, &form.Combo1}, {16, 8, &form.DTPicker1}};
    for (const auto& c : cases) {
        table()->scrollToItem(table()->item(c.row, c.col));
        doubleClickCell(c.row, c.col);
        EXPECT_TRUE(c.editor->Visible()) << c.row << "," << c.col;
        EXPECT_EQ(c.editor->widget()->pos(), cellRect(c.row, c.col).topLeft())
            << c.row << "," << c.col;
        EXPECT_TRUE(c.editor->widget()->hasFocus());
        g.SetFocus();
        EXPECT_FALSE(c.editor->Visible()) << "losing the focus hides the editor";
    }
    EXPECT_GT(table()->verticalScrollBar()->value(), 0);

    // A zone chosen in the list goes into the cell.
    doubleClickCell(3, 9);
    form.Combo1.setListIndex(2);
    EXPECT_EQ(g.TextMatrix(3, 9), "3");
    EXPECT_FALSE(form.Combo1.Visible());
}

TEST_F(GridTest, TimePickerRaisesChangeOnlyForTheUsersEdits) {
    MSFlexGrid& g = form.MSFlexGrid1;
    DTPicker& p = form.DTPicker1;
    p.setValue("07:05");
    p.setValue("7:05:00");
    for (const char* bad : {"7:60:00", "24:00", "x", ""}) p.setValue(bad);
    EXPECT_EQ(p.Value(), "7:05:00");
    EXPECT_TRUE(form.log.empty()) << "values set from code raise nothing";

    g.setTextMatrix(6, 8, "7:30:45");
    doubleClickCell(6, 8);
    EXPECT_EQ(p.Value(), "7:30:45");
    form.log.clear();
    QTest::keyClick(p.widget(), Qt::Key_Up);  // the hour section steps on
    EXPECT_EQ(form.log, Lines{"DTPicker1_Change 8:30:45"});
    EXPECT_EQ(g.TextMatrix(6, 8), "8:30:45");
    QTest::keyClick(p.widget(), Qt::Key_Return);
    EXPECT_EQ(form.log.back(), "DTPicker1_CloseUp");

    g.SetFocus();
    EXPECT_EQ(form.log.back(), "DTPicker1_LostFocus");
    EXPECT_EQ(p.Value(), "0:00:00");
    EXPECT_FALSE(p.Visible());
    EXPECT_EQ(g.TextMatrix(6, 8), "8:30:45") << "the picker's reset leaves the cell";
}

}  // namespace
}  // namespace qor::ui
