// The flex grid: a table of text cells with pictures and colours, edited through controls that
// the window lays over a cell.
#pragma once

#include <QColor>
#include <QPixmap>
#include <string>

#include "platform/ui/control.h"

class QTableWidget;
class QTableWidgetItem;

namespace qor::ui {

// Where a cell's text sits. General puts numbers right and other text left, as the classic
// grid did.
enum class CellAlignment {
    LeftTop = 0,
    LeftCenter = 1,
    LeftBottom = 2,
    CenterTop = 3,
    CenterCenter = 4,
    CenterBottom = 5,
    RightTop = 6,
    RightCenter = 7,
    RightBottom = 8,
    General = 9,
};

// Whether `a` and `b` are the same picture object, as the classic platform compared picture
// handles: copies of one picture are the same; the same pixels read again are not; no picture
// is never the same as any.
bool SamePicture(const QPixmap& a, const QPixmap& b);

// Rows x Cols cells; the first row and the first column are fixed: drawn as headers, never made
// current by the user. One cell is current (Row, Col); Text and the Cell properties act on it,
// as on the classic grid, so code makes a cell current and then sets it. A row or column the
// grid lacks throws std::out_of_range, where the classic grid raised an error.
// Click: the user clicked a cell, which is then current; DblClick: the user double-clicked one.
// Nothing is raised for the fixed cells or for values set from code.
class MSFlexGrid : public ControlOf<MSFlexGrid> {
  public:
    MSFlexGrid(ControlKey, Form& form, std::string name);

    int Rows() const;
    MSFlexGrid& setRows(int rows);
    int Cols() const;
    MSFlexGrid& setCols(int cols);
    int Row() const { return row_; }
    MSFlexGrid& setRow(int row);
    int Col() const { return col_; }
    MSFlexGrid& setCol(int col);

    // The current cell.
    std::string Text() const;
    MSFlexGrid& setText(const std::string& text);
    // Null when the cell shows none; compare with SamePicture.
    QPixmap CellPicture() const;
    // A null picture removes the cell's picture.
    MSFlexGrid& setCellPicture(const QPixmap& picture);
    // A cell whose back colour was never set reports white; CellBackColorSet tells the two apart.
    QColor CellBackColor() const;
    bool CellBackColorSet() const;
    MSFlexGrid& setCellBackColor(const QColor& colour);
    QColor CellForeColor() const;
    MSFlexGrid& setCellForeColor(const QColor& colour);
    CellAlignment cellAlignment() const;
    MSFlexGrid& setCellAlignment(CellAlignment alignment);

    // Any cell, the current one unchanged.
    std::string TextMatrix(int row, int col) const;
    MSFlexGrid& setTextMatrix(int row, int col, const std::string& text);

    // In twips; 0 hides the column.
    double ColWidth(int col) const;
    MSFlexGrid& setColWidth(int col, double twips);
    double RowHeight(int row) const;
    // The left edge of a column (top edge of a row) in twips from the grid's own left (top)
    // edge, as the grid is now scrolled: an editor moved to the grid's Left + ColPos(c) and
    // Top + RowPos(r), in the grid's container, lies over cell (r, c).
    double ColPos(int col) const;
    double RowPos(int row) const;

    QOR_UI_EVENT(MSFlexGrid, onClick, click_)
    QOR_UI_EVENT(MSFlexGrid, onDblClick, dblClick_)

  private:
    QTableWidget* table() const;
    QTableWidgetItem* cell(int row, int col) const;
    QTableWidgetItem* current() const { return cell(row_, col_); }
    void checkRow(int row) const;
    void checkCol(int col) const;
    void makeCells();
    void showCurrent();

    int row_ = 0;
    int col_ = 0;
    Event<> click_, dblClick_;
};

}  // namespace qor::ui
