#include "platform/ui/grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <optional>
#include <stdexcept>

#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace {

constexpr int kFixedRows = 1;
constexpr int kFixedCols = 1;
constexpr int kPictureRole = Qt::UserRole + 1;
constexpr int kAlignmentRole = Qt::UserRole + 2;
// The classic grid's default cell, in twips.
constexpr double kDefaultColWidth = 960;
constexpr double kDefaultRowHeight = 255;

bool IsFixed(int row, int col) { return row < kFixedRows || col < kFixedCols; }

bool LooksNumeric(const QString& text) {
    bool number = false;
    text.trimmed().toDouble(&number);
    return number;
}

Qt::Alignment QtCellAlignment(CellAlignment alignment, const QString& text) {
    if (alignment == CellAlignment::General) {
        return (LooksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    const int value = static_cast<int>(alignment);
    static const Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return kHorizontal[value / 3] | kVertical[value % 3];
}

CellAlignment AlignmentOf(const QModelIndex& index) {
    const QVariant stored = index.data(kAlignmentRole);
    return stored.isValid() ? static_cast<CellAlignment>(stored.toInt()) : CellAlignment::General;
}

// Draws the fixed cells as the desktop draws table headers, and a cell's picture at its left.
class GridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QString text = index.data(Qt::DisplayRole).toString();
        const Qt::Alignment alignment = QtCellAlignment(AlignmentOf(index), text);
        if (IsFixed(index.row(), index.column())) {
            QStyleOptionHeader header;
            header.initFrom(option.widget);
            header.rect = option.rect;
            header.text = text;
            header.textAlignment = alignment;
            header.state = QStyle::State_Enabled | QStyle::State_Raised;
            header.orientation = index.row() < kFixedRows ? Qt::Horizontal : Qt::Vertical;
            // The style's header drawing leaves its clip on the painter.
            painter->save();
            option.widget->style()->drawControl(QStyle::CE_Header, &header, painter, option.widget);
            painter->restore();
            return;
        }
        QStyleOptionViewItem cell(option);
        cell.displayAlignment = alignment;
        QStyledItemDelegate::paint(painter, cell, index);
        const QPixmap picture = index.data(kPictureRole).value<QPixmap>();
        if (picture.isNull()) return;
        painter->save();
        painter->setClipRect(option.rect);
        const int top = option.rect.top() + (option.rect.height() - picture.height()) / 2;
        painter->drawPixmap(option.rect.left() + 1, std::max(option.rect.top(), top), picture);
        painter->restore();
    }
};

}  // namespace

bool SamePicture(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && !b.isNull() && a.cacheKey() == b.cacheKey();
}

MSFlexGrid::MSFlexGrid(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new QTableWidget(2, 2, home(form))) {
    QTableWidget* t = table();
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->horizontalHeader()->setMinimumSectionSize(0);
    t->verticalHeader()->setMinimumSectionSize(0);
    t->horizontalHeader()->setDefaultSectionSize(TwipsToPixelsX(kDefaultColWidth));
    t->verticalHeader()->setDefaultSectionSize(TwipsToPixelsY(kDefaultRowHeight));
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setWordWrap(false);
    // Text wider than its cell is cut at the cell's edge, as the classic grid did.
    t->setTextElideMode(Qt::ElideNone);
    t->setItemDelegate(new GridDelegate(t));
    // The classic grid's cells are white with black text whatever the desktop's colours.
    QPalette palette = t->palette();
    palette.setColor(QPalette::Base, SysColor(5));
    palette.setColor(QPalette::Text, SysColor(8));
    t->setPalette(palette);
    makeCells();
    row_ = kFixedRows;
    col_ = kFixedCols;
    showCurrent();

    // Code moves the current cell with the signals blocked, so these come from the user alone.
    QObject::connect(t, &QTableWidget::currentCellChanged, t, [this](int row, int col, int, int) {
        if (row < 0 || col < 0 || IsFixed(row, col)) return;
        row_ = row;
        col_ = col;
        repaint();
    });
    QObject::connect(t, &QTableWidget::cellClicked, t, [this](int row, int col) {
        if (!IsFixed(row, col)) click_();
    });
    QObject::connect(t, &QTableWidget::cellDoubleClicked, t, [this](int row, int col) {
        if (!IsFixed(row, col)) dblClick_();
    });
}

QTableWidget* MSFlexGrid::table() const { return static_cast<QTableWidget*>(widget()); }

QTableWidgetItem* MSFlexGrid::cell(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return table()->item(row, col);
}

void MSFlexGrid::checkRow(int row) const {
    if (row < 0 || row >= Rows()) {
        throw std::out_of_range(Name() + ": no row " + std::to_string(row));
    }
}

void MSFlexGrid::checkCol(int col) const {
    if (col < 0 || col >= Cols()) {
        throw std::out_of_range(Name() + ": no column " + std::to_string(col));
    }
}

// Every cell has an item, so the fixed ones can be kept from the user's choice.
void MSFlexGrid::makeCells() {
    QTableWidget* t = table();
    const QSignalBlocker block(t);
    for (int r = 0; r < t->rowCount(); ++r) {
        for (int c = 0; c < t->columnCount(); ++c) {
            if (t->item(r, c)) continue;
            auto* item = new QTableWidgetItem;
            item->setFlags(IsFixed(r, c) ? Qt::NoItemFlags : Qt::ItemIsEnabled);
            t->setItem(r, c, item);
        }
    }
}

// Code moves the current cell without scrolling the grid, as the classic grid did: a window
// that walks its cells does not leave the grid scrolled to the last one.
void MSFlexGrid::showCurrent() {
    QTableWidget* t = table();
    const QSignalBlocker block(t);
    const bool scrolls = t->hasAutoScroll();
    t->setAutoScroll(false);
    t->setCurrentCell(row_, col_, QItemSelectionModel::NoUpdate);
    t->setAutoScroll(scrolls);
}

int MSFlexGrid::Rows() const { return table()->rowCount(); }
int MSFlexGrid::Cols() const { return table()->columnCount(); }

MSFlexGrid& MSFlexGrid::setRows(int rows) {
    if (rows < 1) throw std::out_of_range(Name() + ": " + std::to_string(rows) + " rows");
    assignVia(Rows(), rows, [&] {
        {
            const QSignalBlocker block(table());
            table()->setRowCount(rows);
        }
        makeCells();
        row_ = std::min(row_, rows - 1);
        showCurrent();
    });
    return *this;
}

MSFlexGrid& MSFlexGrid::setCols(int cols) {
    if (cols < 1) throw std::out_of_range(Name() + ": " + std::to_string(cols) + " columns");
    assignVia(Cols(), cols, [&] {
        {
            const QSignalBlocker block(table());
            table()->setColumnCount(cols);
        }
        makeCells();
        col_ = std::min(col_, cols - 1);
        showCurrent();
    });
    return *this;
}

MSFlexGrid& MSFlexGrid::setRow(int row) {
    checkRow(row);
    if (assign(row_, row)) showCurrent();
    return *this;
}

MSFlexGrid& MSFlexGrid::setCol(int col) {
    checkCol(col);
    if (assign(col_, col)) showCurrent();
    return *this;
}

std::string MSFlexGrid::Text() const { return TextMatrix(row_, col_); }
MSFlexGrid& MSFlexGrid::setText(const std::string& text) { return setTextMatrix(row_, col_, text); }

std::string MSFlexGrid::TextMatrix(int row, int col) const {
    return FromQt(cell(row, col)->text());
}

MSFlexGrid& MSFlexGrid::setTextMatrix(int row, int col, const std::string& text) {
    QTableWidgetItem* item = cell(row, col);
    assignVia(TextMatrix(row, col), text, [&] { item->setText(ToQt(text)); });
    return *this;
}

QPixmap MSFlexGrid::CellPicture() const { return current()->data(kPictureRole).value<QPixmap>(); }

MSFlexGrid& MSFlexGrid::setCellPicture(const QPixmap& picture) {
    QTableWidgetItem* item = current();
    assignVia(CellPicture().cacheKey(), picture.cacheKey(), [&] {
        item->setData(kPictureRole, picture.isNull() ? QVariant() : QVariant::fromValue(picture));
    });
    return *this;
}

QColor MSFlexGrid::CellBackColor() const {
    const QVariant stored = current()->data(Qt::BackgroundRole);
    if (stored.isValid()) return stored.value<QBrush>().color();
    return IsFixed(row_, col_) ? SysColor(15) : SysColor(5);
}

bool MSFlexGrid::CellBackColorSet() const { return current()->data(Qt::BackgroundRole).isValid(); }

MSFlexGrid& MSFlexGrid::setCellBackColor(const QColor& colour) {
    QTableWidgetItem* item = current();
    // White set on an unset cell still counts as set.
    const auto now = CellBackColorSet() ? std::optional(CellBackColor()) : std::nullopt;
    assignVia(now, std::optional(colour), [&] { item->setBackground(colour); });
    return *this;
}

QColor MSFlexGrid::CellForeColor() const {
    const QVariant stored = current()->data(Qt::ForegroundRole);
    return stored.isValid() ? stored.value<QBrush>().color() : SysColor(8);
}

MSFlexGrid& MSFlexGrid::setCellForeColor(const QColor& colour) {
    QTableWidgetItem* item = current();
    assignVia(CellForeColor(), colour, [&] { item->setForeground(colour); });
    return *this;
}

CellAlignment MSFlexGrid::cellAlignment() const {
    return AlignmentOf(table()->model()->index(row_, col_));
}

MSFlexGrid& MSFlexGrid::setCellAlignment(CellAlignment alignment) {
    QTableWidgetItem* item = current();
    assignVia(cellAlignment(), alignment,
              [&] { item->setData(kAlignmentRole, static_cast<int>(alignment)); });
    return *this;
}

double MSFlexGrid::ColWidth(int col) const {
    checkCol(col);
    return PixelsToTwipsX(table()->columnWidth(col));
}

MSFlexGrid& MSFlexGrid::setColWidth(int col, double twips) {
    checkCol(col);
    const int pixels = TwipsToPixelsX(std::max(0.0, twips));
    assignVia(table()->columnWidth(col), pixels, [&] { table()->setColumnWidth(col, pixels); });
    return *this;
}

double MSFlexGrid::RowHeight(int row) const {
    checkRow(row);
    return PixelsToTwipsY(table()->rowHeight(row));
}

double MSFlexGrid::ColPos(int col) const {
    checkCol(col);
    const QTableWidget* t = table();
    return PixelsToTwipsX(t->viewport()->x() + t->columnViewportPosition(col));
}

double MSFlexGrid::RowPos(int row) const {
    checkRow(row);
    const QTableWidget* t = table();
    return PixelsToTwipsY(t->viewport()->y() + t->rowViewportPosition(row));
}

}  // namespace qor::ui
