// Buttons and boxes on Qt's own widgets: command button, tick box, combo box, text box.
#pragma once

#include <QColor>
#include <string>

#include "platform/ui/control.h"

namespace qor::ui {

namespace detail {
class ComboWidget;
class TextWidget;
}  // namespace detail

// A push button. Click: pressed by the user.
class CommandButton : public ControlOf<CommandButton> {
  public:
    CommandButton(ControlKey, Form& form, std::string name);

    std::string Caption() const;
    CommandButton& setCaption(const std::string& caption);

    QOR_UI_EVENT(CommandButton, onClick, click_)

  private:
    Event<> click_;
};

// A tick box, Value 0 (clear) or 1 (ticked). Click: the value changed, by the user or by code.
class CheckBox : public ControlOf<CheckBox> {
  public:
    CheckBox(ControlKey, Form& form, std::string name);

    std::string Caption() const;
    CheckBox& setCaption(const std::string& caption);
    int Value() const;
    // Anything but 0 ticks the box.
    CheckBox& setValue(int value);

    QOR_UI_EVENT(CheckBox, onClick, click_)

  private:
    Event<> click_;
};

enum class ComboStyle { DropdownCombo = 0, DropdownList = 2 };

// A list with a text field. Click: an item was chosen, by the user or by setting ListIndex to
// another item. Change: the text was typed, or set from code to another text.
class ComboBox : public ControlOf<ComboBox> {
  public:
    ComboBox(ControlKey, Form& form, std::string name);

    ComboStyle Style() const { return style_; }
    ComboBox& setStyle(ComboStyle style);

    // Appends, or inserts before `index`.
    ComboBox& AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    // Empties the list and the text; raises nothing.
    void Clear();
    int ListCount() const;
    // "" outside the list.
    std::string List(int index) const;
    std::string Text() const;
    ComboBox& setText(const std::string& text);
    // -1 when nothing is chosen, or when the text was typed since the last choice.
    int ListIndex() const;
    // Out-of-range values are ignored.
    ComboBox& setListIndex(int index);

    QColor ForeColor() const;
    ComboBox& setForeColor(const QColor& colour);
    QColor BackColor() const;
    ComboBox& setBackColor(const QColor& colour);

    QOR_UI_EVENT(ComboBox, onClick, click_)
    QOR_UI_EVENT(ComboBox, onChange, change_)
    QOR_UI_EVENT(ComboBox, onGotFocus, gotFocus_)
    QOR_UI_EVENT(ComboBox, onLostFocus, lostFocus_)

  private:
    detail::ComboWidget* box() const;
    ComboStyle style_ = ComboStyle::DropdownCombo;
    bool typed_ = false;
    Event<> click_, change_, gotFocus_, lostFocus_;
};

// A one-line text field. Change: the text was typed, or set from code to another text.
class TextBox : public ControlOf<TextBox> {
  public:
    TextBox(ControlKey, Form& form, std::string name);

    std::string Text() const;
    TextBox& setText(const std::string& text);
    // Read-only for the user; code may still set the text.
    bool Locked() const;
    TextBox& setLocked(bool locked);
    QColor ForeColor() const;
    TextBox& setForeColor(const QColor& colour);
    QColor BackColor() const;
    TextBox& setBackColor(const QColor& colour);
    Alignment alignment() const { return alignment_; }
    TextBox& setAlignment(Alignment alignment);
    // With a sunken frame (the default) or flat.
    bool BorderStyle() const;
    TextBox& setBorderStyle(bool framed);

    QOR_UI_EVENT(TextBox, onChange, change_)
    QOR_UI_EVENT(TextBox, onClick, click_)
    QOR_UI_EVENT(TextBox, onGotFocus, gotFocus_)
    QOR_UI_EVENT(TextBox, onLostFocus, lostFocus_)

  private:
    friend class detail::TextWidget;
    detail::TextWidget* field() const;
    Alignment alignment_ = Alignment::LeftJustify;
    Event<> change_, click_, gotFocus_, lostFocus_;
};

}  // namespace qor::ui
