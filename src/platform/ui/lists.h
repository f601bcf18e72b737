// The list box, and what it shares with the file list: items in a column, one of them chosen.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace qor::ui {

namespace detail {
class ListWidget;
}

// Items in a column, ListIndex the chosen one (-1 none). Click: another item was chosen, by the
// user or by setting ListIndex from code; DblClick: the user double-clicked an item.
class ItemList : public Control {
  public:
    int ListCount() const;
    // "" outside the list.
    std::string List(int index) const;
    int ListIndex() const;

  protected:
    ItemList(Form& form, std::string name);
    detail::ListWidget* list() const;
    // -1 chooses none; any other index outside the list is ignored.
    void chooseItem(int index);
    // New items; `chosen` stays chosen when it is among them. Raises nothing.
    void replaceItems(const std::vector<std::string>& items, const std::string& chosen);
    // After the chosen item changed, before Click.
    virtual void itemChosen(int index) { (void)index; }

    Event<> click_, dblClick_;
};

template <class Self>
class ListControl : public ControlOf<Self, ItemList> {
  public:
    Self& setListIndex(int index) {
        this->chooseItem(index);
        return this->self();
    }

    QOR_UI_EVENT(Self, onClick, this->click_)
    QOR_UI_EVENT(Self, onDblClick, this->dblClick_)

  protected:
    using ControlOf<Self, ItemList>::ControlOf;
};

class ListBox : public ListControl<ListBox> {
  public:
    ListBox(ControlKey, Form& form, std::string name);

    // Appends, or inserts before `index`; the chosen item stays chosen.
    ListBox& AddItem(const std::string& item, int index = -1);
    // An index outside the list is ignored.
    void RemoveItem(int index);
    // Empties the list; raises nothing.
    void Clear();
    // The chosen item's text; "" when none is chosen.
    std::string Text() const { return List(ListIndex()); }
};

}  // namespace qor::ui
