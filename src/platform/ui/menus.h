// The menu bar of a framed window: entries by name, nested, each with its click handler.
//     ui::Menu& mnuLayout = addMenu("mnuLayout", "Layout");
//     ui::Menu& mnustandard = addMenu("mnustandard", "Standard")
//                                 .in(mnuLayout)
//                                 .onClick(this, &Frmsettings::mnustandard_Click);
#pragma once

#include <string>

#include "platform/ui/control.h"

class QAction;
class QMenu;

namespace qor::ui {

// One entry. Made by its form (Form::addMenu) on the window's menu bar; `in` moves it into
// another entry's drop-down. Click: the user chose it; an entry with entries of its own opens
// them instead.
class Menu {
  public:
    Menu(ControlKey, Form& form, std::string name, const std::string& caption);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    const std::string& Name() const { return name_; }
    Form& Parent() const { return form_; }
    Menu& in(Menu& parent);

    std::string Caption() const;
    Menu& setCaption(const std::string& caption);
    bool Enabled() const;
    Menu& setEnabled(bool enabled);
    bool Visible() const;
    Menu& setVisible(bool visible);

    QOR_UI_EVENT(Menu, onClick, click_)

    // For tests and the window: the entry as Qt shows it.
    QAction* action() const { return action_; }

  private:
    QMenu* dropDown();

    Form& form_;
    std::string name_;
    QAction* action_;
    QMenu* dropDown_ = nullptr;  // made when the first entry goes in
    Event<> click_;
};

}  // namespace qor::ui
