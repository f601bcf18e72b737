#include "platform/ui/lists.h"

#include "platform/ui/form.h"
#include "platform/ui/list_widget.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

ItemList::ItemList(Form& form, std::string name)
    : Control(form, std::move(name), new detail::ListWidget(home(form))) {
    list()->chosen = [this](int row) {
        itemChosen(row);
        repaint();
        click_();
    };
    list()->doubleClicked = [this](int) { dblClick_(); };
}

detail::ListWidget* ItemList::list() const { return static_cast<detail::ListWidget*>(widget()); }

int ItemList::ListCount() const { return list()->count(); }

std::string ItemList::List(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return FromQt(list()->item(index)->text());
}

int ItemList::ListIndex() const { return list()->currentRow(); }

void ItemList::chooseItem(int index) {
    if (index < -1 || index >= ListCount()) return;
    assignVia(
        ListIndex(), index,
        [&] {
            list()->choose(index);
            itemChosen(index);
        },
        click_);
}

void ItemList::replaceItems(const std::vector<std::string>& items, const std::string& chosen) {
    detail::ListWidget* w = list();
    const QSignalBlocker block(w);
    w->clear();
    int row = -1;
    for (const std::string& item : items) {
        if (item == chosen) row = w->count();
        w->addItem(ToQt(item));
    }
    w->choose(row);
    repaint();
}

ListBox::ListBox(ControlKey, Form& form, std::string name) : ListControl(form, std::move(name)) {}

ListBox& ListBox::AddItem(const std::string& item, int index) {
    detail::ListWidget* w = list();
    const QSignalBlocker block(w);
    if (index < 0 || index >= w->count()) {
        w->addItem(ToQt(item));
    } else {
        const int chosen = w->currentRow();
        w->insertItem(index, ToQt(item));
        if (chosen >= index) w->choose(chosen + 1);
    }
    repaint();
    return *this;
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    detail::ListWidget* w = list();
    const QSignalBlocker block(w);
    const int chosen = w->currentRow();
    delete w->takeItem(index);
    // The classic list chose nothing once its chosen item was gone.
    w->choose(chosen == index ? -1 : (chosen > index ? chosen - 1 : chosen));
    repaint();
}

void ListBox::Clear() {
    const QSignalBlocker block(list());
    list()->clear();
    repaint();
}

}  // namespace qor::ui
