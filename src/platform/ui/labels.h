// Labels and pictures: the controls of the skinned panels that take the mouse.
#pragma once

#include <QColor>
#include <QPixmap>
#include <filesystem>
#include <string>

#include "platform/ui/widget_support.h"

namespace qor::ui {

namespace detail {
class LabelWidget;
class PictureWidget;

// What the picture widget draws.
class PictureSource {
  public:
    virtual const QPixmap& picture() const = 0;
    virtual bool stretches() const { return false; }
    virtual void paintBackground(QPainter& painter) const { (void)painter; }

  protected:
    ~PictureSource() = default;
};
}  // namespace detail

// A caption drawn on the window. A disabled label takes no mouse events and is drawn greyed.
class Label : public MouseControl<Label> {
  public:
    Label(ControlKey, Form& form, std::string name);

    const std::string& Caption() const { return caption_; }
    Label& setCaption(const std::string& caption);
    QColor ForeColor() const { return foreColor_; }
    Label& setForeColor(const QColor& colour);
    // Shows only with BackStyle Opaque, the default.
    QColor BackColor() const { return backColor_; }
    Label& setBackColor(const QColor& colour);
    BackStyle backStyle() const { return backStyle_; }
    Label& setBackStyle(BackStyle style);
    Alignment alignment() const { return alignment_; }
    Label& setAlignment(Alignment alignment);

  private:
    friend class detail::LabelWidget;
    std::string caption_;
    QColor foreColor_;
    QColor backColor_;
    BackStyle backStyle_ = BackStyle::Opaque;
    Alignment alignment_ = Alignment::LeftJustify;
};

// Shared by Image and PictureBox: a picture read from a file.
template <class Self>
class PictureControl : public MouseControl<Self>, protected detail::PictureSource {
  public:
    // Reads the file (GIF, ICO, PNG, BMP, JPEG). A missing or unreadable file leaves the
    // current picture and returns false.
    bool LoadPicture(const std::filesystem::path& file);
    Self& setPicture(const QPixmap& picture);
    Self& clearPicture() { return setPicture(QPixmap()); }
    // The design-time picture: read from the file, or left as it is when the file is missing.
    Self& setPictureFile(const std::filesystem::path& file) {
        LoadPicture(file);
        return this->self();
    }
    const QPixmap& Picture() const { return picture_; }
    // The file the picture was last read from ("" when none), and how many reads succeeded.
    const std::filesystem::path& PictureFile() const { return pictureFile_; }
    int PictureLoads() const { return pictureLoads_; }

  protected:
    PictureControl(Form& form, std::string name);
    // After a new picture: an Image without Stretch, or a PictureBox with AutoSize, takes the
    // picture's size.
    virtual bool sizesToPicture() const = 0;
    void pictureChanged();

  private:
    friend class detail::PictureWidget;
    const QPixmap& picture() const override { return picture_; }

    QPixmap picture_;
    std::filesystem::path pictureFile_;
    int pictureLoads_ = 0;
};

// A windowless picture. Without Stretch the control takes the picture's size, as the classic
// one did; with Stretch the picture is scaled to the control.
class Image : public PictureControl<Image> {
  public:
    Image(ControlKey, Form& form, std::string name);

    bool Stretch() const { return stretch_; }
    Image& setStretch(bool stretch);

  private:
    bool sizesToPicture() const override { return !stretch_; }
    bool stretches() const override { return stretch_; }
    bool stretch_ = false;
};

// A picture on a background colour, drawn from its top-left corner.
class PictureBox : public PictureControl<PictureBox> {
  public:
    PictureBox(ControlKey, Form& form, std::string name);

    QColor BackColor() const { return backColor_; }
    PictureBox& setBackColor(const QColor& colour);
    bool AutoSize() const { return autoSize_; }
    PictureBox& setAutoSize(bool autoSize);

  private:
    bool sizesToPicture() const override { return autoSize_; }
    void paintBackground(QPainter& painter) const override;
    QColor backColor_;
    bool autoSize_ = false;
};

extern template class PictureControl<Image>;
extern template class PictureControl<PictureBox>;

}  // namespace qor::ui
