#include "platform/ui/boxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "platform/ui/form.h"
#include "platform/ui/widget_support.h"

namespace qor::ui {

namespace detail {

class ComboWidget : public FocusWidget<QComboBox> {
  public:
    explicit ComboWidget(QWidget* parent) : FocusWidget(parent) {}
    // Qt picks the item that matches the typed text when editing ends; the classic box did not,
    // so choices made that way are not passed on as Click.
    bool editingEnds() const { return editingEnds_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        editingEnds_ = enter;
        QComboBox::keyPressEvent(event);
        editingEnds_ = false;
    }
    void focusOutEvent(QFocusEvent* event) override {
        editingEnds_ = true;
        QComboBox::focusOutEvent(event);
        editingEnds_ = false;
    }

  private:
    bool editingEnds_ = false;
};

class TextWidget : public FocusWidget<QLineEdit> {
  public:
    explicit TextWidget(QWidget* parent) : FocusWidget(parent) {}
    void attach(TextBox* box) { box_ = box; }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLineEdit::mouseReleaseEvent(event);
        if (box_ && rect().contains(event->position().toPoint())) box_->click_();
    }

  private:
    TextBox* box_ = nullptr;
};

}  // namespace detail

// --- CommandButton ----------------------------------------------------------------------

CommandButton::CommandButton(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new QPushButton(home(form))) {
    auto* button = static_cast<QPushButton*>(widget());
    QObject::connect(button, &QPushButton::clicked, button, [this] { click_(); });
}

std::string CommandButton::Caption() const {
    return FromQt(static_cast<QPushButton*>(widget())->text());
}

CommandButton& CommandButton::setCaption(const std::string& caption) {
    auto* button = static_cast<QPushButton*>(widget());
    assignVia(Caption(), caption, [&] { button->setText(ToQt(caption)); });
    return *this;
}

// --- CheckBox ---------------------------------------------------------------------------

CheckBox::CheckBox(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new QCheckBox(home(form))) {
    auto* box = static_cast<QCheckBox*>(widget());
    // `clicked` comes only from the user; code goes through setValue.
    QObject::connect(box, &QCheckBox::clicked, box, [this] { click_(); });
}

std::string CheckBox::Caption() const { return FromQt(static_cast<QCheckBox*>(widget())->text()); }

CheckBox& CheckBox::setCaption(const std::string& caption) {
    auto* box = static_cast<QCheckBox*>(widget());
    assignVia(Caption(), caption, [&] { box->setText(ToQt(caption)); });
    return *this;
}

int CheckBox::Value() const { return static_cast<QCheckBox*>(widget())->isChecked() ? 1 : 0; }

CheckBox& CheckBox::setValue(int value) {
    auto* box = static_cast<QCheckBox*>(widget());
    const int wanted = value != 0 ? 1 : 0;
    assignVia(
        Value(), wanted,
        [&] {
            const QSignalBlocker block(box);
            box->setChecked(wanted == 1);
        },
        click_);
    return *this;
}

// --- ComboBox ---------------------------------------------------------------------------

ComboBox::ComboBox(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new detail::ComboWidget(home(form))) {
    detail::ComboWidget* w = box();
    w->attachFocus(&gotFocus_, &lostFocus_);
    w->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(w, &QComboBox::activated, w, [this](int) {
        if (box()->editingEnds()) return;
        typed_ = false;
        click_();
    });
    w->setEditable(true);
    w->setCompleter(nullptr);
    QObject::connect(w->lineEdit(), &QLineEdit::textEdited, w, [this](const QString&) {
        typed_ = true;
        change_();
    });
}

detail::ComboWidget* ComboBox::box() const { return static_cast<detail::ComboWidget*>(widget()); }

ComboBox& ComboBox::setStyle(ComboStyle style) {
    assign(style_, style);
    detail::ComboWidget* w = box();
    const bool editable = style == ComboStyle::DropdownCombo;
    if (w->isEditable() == editable) return *this;
    w->setEditable(editable);
    if (QLineEdit* edit = w->lineEdit()) {
        w->setCompleter(nullptr);
        QObject::connect(edit, &QLineEdit::textEdited, w, [this](const QString&) {
            typed_ = true;
            change_();
        });
    }
    return *this;
}

ComboBox& ComboBox::AddItem(const std::string& item, int index) {
    const QString text = ToQt(item);
    detail::ComboWidget* w = box();
    // Adding to an empty list must not choose the first item, as Qt does by itself.
    const QSignalBlocker block(w);
    const QString shown = w->currentText();
    const int current = ListIndex();
    if (index < 0 || index >= w->count()) {
        w->addItem(text);
    } else {
        w->insertItem(index, text);
    }
    if (current < 0) {
        w->setCurrentIndex(-1);
        if (w->isEditable()) w->setEditText(shown);
    }
    return *this;
}

void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    const QSignalBlocker block(box());
    box()->removeItem(index);
}

void ComboBox::Clear() {
    const QSignalBlocker block(box());
    box()->clear();
    if (box()->isEditable()) box()->clearEditText();
    typed_ = false;
}

int ComboBox::ListCount() const { return box()->count(); }

std::string ComboBox::List(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return FromQt(box()->itemText(index));
}

std::string ComboBox::Text() const { return FromQt(box()->currentText()); }

ComboBox& ComboBox::setText(const std::string& text) {
    const QString value = ToQt(text);
    detail::ComboWidget* w = box();
    if (!w->isEditable()) {
        const int index = w->findText(value, Qt::MatchExactly);
        if (index >= 0) setListIndex(index);
        return *this;
    }
    // Text that names an item chooses it, without a Click; any other text chooses none.
    assignVia(
        Text(), text,
        [&] {
            const int index = w->findText(value, Qt::MatchExactly);
            const QSignalBlocker block(w);
            if (index >= 0) {
                w->setCurrentIndex(index);
            } else {
                w->setEditText(value);
            }
            typed_ = index < 0;
        },
        change_);
    return *this;
}

int ComboBox::ListIndex() const { return typed_ ? -1 : box()->currentIndex(); }

ComboBox& ComboBox::setListIndex(int index) {
    if (index < -1 || index >= ListCount()) return *this;
    assignVia(
        ListIndex(), index,
        [&] {
            const QSignalBlocker block(box());
            box()->setCurrentIndex(index);
            if (index == -1 && box()->isEditable()) box()->clearEditText();
            typed_ = false;
        },
        click_);
    return *this;
}

QColor ComboBox::ForeColor() const { return detail::PaletteColour(*widget(), QPalette::Text); }
ComboBox& ComboBox::setForeColor(const QColor& colour) {
    assignVia(ForeColor(), colour, [&] {
        detail::SetPaletteColour(*widget(), {QPalette::Text, QPalette::ButtonText}, colour);
    });
    return *this;
}
QColor ComboBox::BackColor() const { return detail::PaletteColour(*widget(), QPalette::Base); }
ComboBox& ComboBox::setBackColor(const QColor& colour) {
    assignVia(BackColor(), colour, [&] {
        detail::SetPaletteColour(*widget(), {QPalette::Base, QPalette::Button}, colour);
    });
    return *this;
}

// --- TextBox ----------------------------------------------------------------------------

TextBox::TextBox(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new detail::TextWidget(home(form))) {
    detail::TextWidget* w = field();
    w->attach(this);
    w->attachFocus(&gotFocus_, &lostFocus_);
    QObject::connect(w, &QLineEdit::textEdited, w, [this](const QString&) {
        change_();
        repaint();
    });
}

detail::TextWidget* TextBox::field() const { return static_cast<detail::TextWidget*>(widget()); }

std::string TextBox::Text() const { return FromQt(field()->text()); }

TextBox& TextBox::setText(const std::string& text) {
    assignVia(
        Text(), text, [&] { field()->setText(ToQt(text)); }, change_);
    return *this;
}

bool TextBox::Locked() const { return field()->isReadOnly(); }
TextBox& TextBox::setLocked(bool locked) {
    assignVia(Locked(), locked, [&] { field()->setReadOnly(locked); });
    return *this;
}

QColor TextBox::ForeColor() const { return detail::PaletteColour(*widget(), QPalette::Text); }
TextBox& TextBox::setForeColor(const QColor& colour) {
    assignVia(ForeColor(), colour,
              [&] { detail::SetPaletteColour(*widget(), {QPalette::Text}, colour); });
    return *this;
}
QColor TextBox::BackColor() const { return detail::PaletteColour(*widget(), QPalette::Base); }
TextBox& TextBox::setBackColor(const QColor& colour) {
    assignVia(BackColor(), colour,
              [&] { detail::SetPaletteColour(*widget(), {QPalette::Base}, colour); });
    return *this;
}

TextBox& TextBox::setAlignment(Alignment alignment) {
    assignVia(alignment_, alignment, [&] {
        alignment_ = alignment;
        field()->setAlignment(detail::QtAlignment(alignment) | Qt::AlignVCenter);
    });
    return *this;
}

bool TextBox::BorderStyle() const { return field()->hasFrame(); }
TextBox& TextBox::setBorderStyle(bool framed) {
    assignVia(BorderStyle(), framed, [&] { field()->setFrame(framed); });
    return *this;
}

}  // namespace qor::ui
