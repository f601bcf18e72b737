#include "platform/ui/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

Menu::Menu(ControlKey, Form& form, std::string name, const std::string& caption)
    : form_(form), name_(std::move(name)), action_(new QAction(ToQt(caption), form.widget())) {
    action_->setObjectName(ToQt(name_));
    form_.menuBar()->addAction(action_);
    QObject::connect(action_, &QAction::triggered, action_, [this] { click_(); });
}

Menu::~Menu() {
    delete dropDown_;
    delete action_;
}

QMenu* Menu::dropDown() {
    if (dropDown_ == nullptr) {
        dropDown_ = new QMenu();
        action_->setMenu(dropDown_);
    }
    return dropDown_;
}

Menu& Menu::in(Menu& parent) {
    for (QObject* holder : action_->associatedObjects()) {
        if (auto* widget = qobject_cast<QWidget*>(holder)) widget->removeAction(action_);
    }
    parent.dropDown()->addAction(action_);
    return *this;
}

std::string Menu::Caption() const { return FromQt(action_->text()); }
Menu& Menu::setCaption(const std::string& caption) {
    if (Caption() != caption) action_->setText(ToQt(caption));
    return *this;
}

bool Menu::Enabled() const { return action_->isEnabled(); }
Menu& Menu::setEnabled(bool enabled) {
    if (Enabled() != enabled) action_->setEnabled(enabled);
    return *this;
}

bool Menu::Visible() const { return action_->isVisible(); }
Menu& Menu::setVisible(bool visible) {
    if (Visible() != visible) action_->setVisible(visible);
    return *this;
}

}  // namespace qor::ui
