// Inside the window kit: the list widget under the list box and the folder and file lists.
// Window code does not include this.
#pragma once

#include <QFocusEvent>
#include <QListWidget>
#include <QSignalBlocker>
#include <functional>

namespace qor::ui::detail {

// A one-column list that reports the user's choices only: rows chosen from code go through
// choose(), which says nothing.
class ListWidget : public QListWidget {
  public:
    explicit ListWidget(QWidget* parent) : QListWidget(parent) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
            if (chosen) chosen(row);
        });
        connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            if (doubleClicked) doubleClicked(row(item));
        });
    }

    void choose(int row) {
        const QSignalBlocker block(this);
        setCurrentRow(row);
        if (row < 0) clearSelection();
        viewport()->update();
    }

    std::function<void(int)> chosen;
    std::function<void(int)> doubleClicked;

  protected:
    // Qt makes the first row current when the list gets the focus by the keyboard; the classic
    // list chose nothing until the user did.
    void focusInEvent(QFocusEvent* event) override {
        const int before = currentRow();
        {
            const QSignalBlocker block(this);
            QListWidget::focusInEvent(event);
        }
        if (before < 0 && currentRow() >= 0) choose(-1);
    }
};

}  // namespace qor::ui::detail
