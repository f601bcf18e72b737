#include "platform/ui/labels.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "platform/files.h"
#include "platform/ui/form.h"

namespace qor::ui {

namespace detail {

class LabelWidget : public MouseWidget<QWidget> {
  public:
    explicit LabelWidget(QWidget* parent) : MouseWidget(parent) {}
    void attach(Label* label) {
        label_ = label;
        attachEvents(&label->mouse_);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (label_ == nullptr) return;
        QPainter painter(this);
        if (label_->backStyle_ == BackStyle::Opaque) painter.fillRect(rect(), label_->backColor_);
        const int flags = int(QtAlignment(label_->alignment_)) | Qt::AlignTop | Qt::TextWordWrap;
        const QString text = ToQt(label_->caption_);
        if (isEnabled()) {
            painter.setPen(label_->foreColor_);
            painter.drawText(rect(), flags, text);
        } else {
            // The classic disabled look: grey text over a white copy one pixel down and right.
            painter.setPen(SysColor(20));
            painter.drawText(rect().translated(1, 1), flags, text);
            painter.setPen(SysColor(16));
            painter.drawText(rect(), flags, text);
        }
    }

  private:
    Label* label_ = nullptr;
};

class PictureWidget : public MouseWidget<QWidget> {
  public:
    PictureWidget(QWidget* parent, PictureSource& source, MouseEvents& events)
        : MouseWidget(parent), source_(source) {
        attachEvents(&events);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        source_.paintBackground(painter);
        const QPixmap& picture = source_.picture();
        if (picture.isNull()) return;
        if (source_.stretches()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawPixmap(rect(), picture);
        } else {
            painter.drawPixmap(0, 0, picture);
        }
    }

  private:
    PictureSource& source_;
};

}  // namespace detail

// --- Label ------------------------------------------------------------------------------

Label::Label(ControlKey, Form& form, std::string name)
    : MouseControl(form, std::move(name), new detail::LabelWidget(home(form))),
      foreColor_(SysColor(18)),
      backColor_(SysColor(15)) {
    static_cast<detail::LabelWidget*>(widget())->attach(this);
}

Label& Label::setCaption(const std::string& caption) {
    assign(caption_, caption);
    return *this;
}
Label& Label::setForeColor(const QColor& colour) {
    assign(foreColor_, colour);
    return *this;
}
Label& Label::setBackColor(const QColor& colour) {
    assign(backColor_, colour);
    return *this;
}
Label& Label::setBackStyle(BackStyle style) {
    assign(backStyle_, style);
    return *this;
}
Label& Label::setAlignment(Alignment alignment) {
    assign(alignment_, alignment);
    return *this;
}

// --- pictures ---------------------------------------------------------------------------

template <class Self>
PictureControl<Self>::PictureControl(Form& form, std::string name)
    : MouseControl<Self>(form, std::move(name), nullptr) {}

template <class Self>
bool PictureControl<Self>::LoadPicture(const std::filesystem::path& file) {
    // Through the files helper: a FIFO or device under a picture's name must not hang the window.
    const auto bytes = files::ReadRegularFile(file);
    if (!bytes) return false;
    QByteArray data(bytes->data(), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    // Known by its content, as a file name's suffix may not tell the truth.
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull()) return false;
    // An icon file holds several sizes; the classic controls showed the 32-pixel one.
    if (reader.imageCount() > 1) {
        for (int i = 1; i < reader.imageCount(); ++i) {
            if (!reader.jumpToImage(i)) break;
            QImage other = reader.read();
            if (!other.isNull() && std::abs(other.width() - 32) < std::abs(image.width() - 32)) {
                image = std::move(other);
            }
        }
    }
    picture_ = QPixmap::fromImage(image);
    pictureFile_ = file;
    ++pictureLoads_;
    pictureChanged();
    return true;
}

template <class Self>
Self& PictureControl<Self>::setPicture(const QPixmap& picture) {
    picture_ = picture;
    pictureFile_.clear();
    pictureChanged();
    return this->self();
}

template <class Self>
void PictureControl<Self>::pictureChanged() {
    if (!picture_.isNull() && sizesToPicture()) {
        this->resizeTwips(PixelsToTwipsX(picture_.width()), PixelsToTwipsY(picture_.height()));
    }
    this->repaint();
}

template class PictureControl<Image>;
template class PictureControl<PictureBox>;

Image::Image(ControlKey, Form& form, std::string name) : PictureControl(form, std::move(name)) {
    adoptWidget(new detail::PictureWidget(home(form), *this, mouse_));
}

Image& Image::setStretch(bool stretch) {
    if (assign(stretch_, stretch)) pictureChanged();
    return *this;
}

PictureBox::PictureBox(ControlKey, Form& form, std::string name)
    : PictureControl(form, std::move(name)), backColor_(SysColor(15)) {
    adoptWidget(new detail::PictureWidget(home(form), *this, mouse_));
}

PictureBox& PictureBox::setBackColor(const QColor& colour) {
    assign(backColor_, colour);
    return *this;
}

PictureBox& PictureBox::setAutoSize(bool autoSize) {
    if (assign(autoSize_, autoSize)) pictureChanged();
    return *this;
}

void PictureBox::paintBackground(QPainter& painter) const {
    painter.fillRect(widget()->rect(), backColor_);
}

}  // namespace qor::ui
