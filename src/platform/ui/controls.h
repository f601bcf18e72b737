// The controls a window is built from. Each is made by its form:
//     Label5 = Add<Label>("Label5", {1200, 300, 975, 255});
//     Label5->onClick = [this] { Label5_Click(); };
#pragma once

#include <QColor>
#include <QPixmap>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/ui/control.h"

class QTimer;

namespace qor::ui {

namespace detail {
class LabelWidget;
class PictureWidget;
class ShapeWidget;
class ComboWidget;
class TextWidget;
}  // namespace detail

enum class Alignment { LeftJustify = 0, RightJustify = 1, Center = 2 };
enum class BackStyle { Transparent = 0, Opaque = 1 };

// A caption drawn on the window. A disabled label takes no mouse events and is drawn greyed.
class Label : public Control, public MouseEvents {
  public:
    Label(ControlKey, Form& form, std::string name);

    std::string Caption() const { return caption_; }
    void setCaption(const std::string& caption);
    QColor ForeColor() const { return foreColor_; }
    void setForeColor(const QColor& colour);
    // Shows only with BackStyle Opaque, the default.
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& colour);
    BackStyle backStyle() const { return backStyle_; }
    void setBackStyle(BackStyle style);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);

  private:
    friend class detail::LabelWidget;
    std::string caption_;
    QColor foreColor_;
    QColor backColor_;
    BackStyle backStyle_ = BackStyle::Opaque;
    Alignment alignment_ = Alignment::LeftJustify;
};

// Shared by Image and PictureBox: a picture read from a file.
class PictureControl : public Control, public MouseEvents {
  public:
    // Reads the file (GIF, ICO, PNG, BMP, JPEG). A missing or unreadable file leaves the
    // current picture and returns false.
    bool LoadPicture(const std::filesystem::path& file);
    void setPicture(const QPixmap& picture);
    void clearPicture();
    const QPixmap& Picture() const { return picture_; }
    // The file the picture was last read from ("" when none), and how many reads succeeded.
    const std::filesystem::path& PictureFile() const { return pictureFile_; }
    int PictureLoads() const { return pictureLoads_; }

  protected:
    PictureControl(Form& form, std::string name, detail::PictureWidget* widget);
    // After a new picture: an Image without Stretch, or a PictureBox with AutoSize, takes the
    // picture's size.
    virtual bool sizesToPicture() const = 0;
    void pictureChanged();

  private:
    friend class detail::PictureWidget;
    virtual void paintBackground(QPainter& painter) const;
    virtual bool stretches() const { return false; }

    QPixmap picture_;
    std::filesystem::path pictureFile_;
    int pictureLoads_ = 0;
};

// A windowless picture. Without Stretch the control takes the picture's size, as the classic
// one did; with Stretch the picture is scaled to the control.
class Image : public PictureControl {
  public:
    Image(ControlKey, Form& form, std::string name);

    bool Stretch() const { return stretch_; }
    void setStretch(bool stretch);

  private:
    bool sizesToPicture() const override { return !stretch_; }
    bool stretches() const override { return stretch_; }
    bool stretch_ = false;
};

// A picture on a background colour, drawn from its top-left corner.
class PictureBox : public PictureControl {
  public:
    PictureBox(ControlKey, Form& form, std::string name);

    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& colour);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);

  private:
    bool sizesToPicture() const override { return autoSize_; }
    void paintBackground(QPainter& painter) const override;
    QColor backColor_;
    bool autoSize_ = false;
};

enum class ShapeKind {
    Rectangle = 0,
    Square = 1,
    Oval = 2,
    Circle = 3,
    RoundedRectangle = 4,
    RoundedSquare = 5
};
enum class FillStyle { Solid = 0, Transparent = 1 };

// A drawn figure. It takes no mouse events: they fall to what lies below.
class Shape : public Control {
  public:
    Shape(ControlKey, Form& form, std::string name);

    ShapeKind kind() const { return kind_; }
    void setKind(ShapeKind kind);
    QColor FillColor() const { return fillColor_; }
    void setFillColor(const QColor& colour);
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style);
    QColor BorderColor() const { return borderColor_; }
    void setBorderColor(const QColor& colour);
    // 0 draws no border, 1 (the default) a solid one.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    // In pixels, as the classic one.
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int pixels);
    // Under a transparent fill: Opaque shows BackColor, Transparent (the default) nothing.
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& colour);
    BackStyle backStyle() const { return backStyle_; }
    void setBackStyle(BackStyle style);

  private:
    friend class detail::ShapeWidget;
    void restyle();
    ShapeKind kind_ = ShapeKind::Rectangle;
    QColor fillColor_;
    FillStyle fillStyle_ = FillStyle::Transparent;
    QColor borderColor_;
    int borderStyle_ = 1;
    int borderWidth_ = 1;
    QColor backColor_;
    BackStyle backStyle_ = BackStyle::Transparent;
};

enum class ComboStyle { DropdownCombo = 0, DropdownList = 2 };

// A list with a text field. Click: an item was chosen, by the user or by setting ListIndex to
// another item. Change: the text was typed, or set from code to another text.
class ComboBox : public Control {
  public:
    ComboBox(ControlKey, Form& form, std::string name);

    ComboStyle Style() const { return style_; }
    void setStyle(ComboStyle style);

    // Appends, or inserts before `index`.
    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    // Empties the list and the text; raises nothing.
    void Clear();
    int ListCount() const;
    // "" outside the list.
    std::string List(int index) const;
    std::string Text() const;
    void setText(const std::string& text);
    // -1 when nothing is chosen, or when the text was typed since the last choice.
    int ListIndex() const;
    // Out-of-range values are ignored.
    void setListIndex(int index);

    QColor ForeColor() const;
    void setForeColor(const QColor& colour);
    QColor BackColor() const;
    void setBackColor(const QColor& colour);

    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

  private:
    friend class detail::ComboWidget;
    detail::ComboWidget* box() const;
    ComboStyle style_ = ComboStyle::DropdownCombo;
    bool typed_ = false;
};

// A one-line text field. Change: the text was typed, or set from code to another text.
class TextBox : public Control {
  public:
    TextBox(ControlKey, Form& form, std::string name);

    std::string Text() const;
    void setText(const std::string& text);
    // Read-only for the user; code may still set the text.
    bool Locked() const;
    void setLocked(bool locked);
    QColor ForeColor() const;
    void setForeColor(const QColor& colour);
    QColor BackColor() const;
    void setBackColor(const QColor& colour);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);
    // With a sunken frame (the default) or flat.
    bool BorderStyle() const;
    void setBorderStyle(bool framed);

    std::function<void()> onChange;
    std::function<void()> onClick;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

  private:
    friend class detail::TextWidget;
    detail::TextWidget* field() const;
    Alignment alignment_ = Alignment::LeftJustify;
};

// Raises onTimer every Interval milliseconds while Enabled, from the time its form loads until
// it unloads. An Interval of 0 never ticks. No widget.
class Timer : public Control {
  public:
    Timer(ControlKey, Form& form, std::string name);
    ~Timer() override;

    bool Enabled() const override { return enabled_; }
    // Disabling and enabling again starts the count afresh.
    void setEnabled(bool enabled) override;
    int Interval() const { return interval_; }
    // Starts the count afresh.
    void setInterval(int milliseconds);

    std::function<void()> onTimer;

  private:
    friend class Form;
    void setFormRunning(bool running);
    void apply();
    QTimer* timer_;
    bool enabled_ = true;
    int interval_ = 0;
    bool formRunning_ = false;
};

}  // namespace qor::ui
