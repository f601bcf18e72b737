#include "platform/ui/controls.h"

#include <QBuffer>
#include <QComboBox>
#include <QFocusEvent>
#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <cstdlib>

#include "platform/files.h"
#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace {

int ClassicButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kLeftButton;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return 0;
    }
}

int ClassicButtons(Qt::MouseButtons buttons) {
    int mask = 0;
    if (buttons & Qt::LeftButton) mask |= kLeftButton;
    if (buttons & Qt::RightButton) mask |= kRightButton;
    if (buttons & Qt::MiddleButton) mask |= kMiddleButton;
    return mask;
}

int ClassicShift(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) mask |= kShiftMask;
    if (modifiers & Qt::ControlModifier) mask |= kCtrlMask;
    if (modifiers & Qt::AltModifier) mask |= kAltMask;
    return mask;
}

void RaiseMouse(const MouseHandler& handler, const QMouseEvent& event, bool movement) {
    const int button = movement ? ClassicButtons(event.buttons()) : ClassicButton(event.button());
    detail::Raise(handler, button, ClassicShift(event.modifiers()),
                  PixelsToTwipsX(event.position().x()), PixelsToTwipsY(event.position().y()));
}

Qt::Alignment QtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::RightJustify:
            return Qt::AlignRight;
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::LeftJustify:
            break;
    }
    return Qt::AlignLeft;
}

QColor PaletteColour(const QWidget& widget, QPalette::ColorRole role) {
    return widget.palette().color(role);
}

void SetPaletteColour(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles,
                      const QColor& colour) {
    QPalette palette = widget.palette();
    for (QPalette::ColorRole role : roles) {
        palette.setColor(QPalette::Active, role, colour);
        palette.setColor(QPalette::Inactive, role, colour);
    }
    widget.setPalette(palette);
}

// The classic Click, DblClick and mouse events on a widget. A press and release over the
// control make a Click (any button); the second press of a double click is a DblClick instead.
// The handlers live on the control, which is finished after its widget, hence attach().
template <class Base>
class MouseWidget : public Base {
  public:
    explicit MouseWidget(QWidget* parent) : Base(parent) { Base::setMouseTracking(true); }
    void attachEvents(MouseEvents* events) { events_ = events; }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (!events_ || !Base::isEnabled()) return;
        pressed_ = true;
        RaiseMouse(events_->onMouseDown, *event, false);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!events_ || !Base::isEnabled()) return;
        RaiseMouse(events_->onMouseMove, *event, true);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!events_ || !Base::isEnabled()) return;
        const bool click = pressed_ && Base::rect().contains(event->position().toPoint());
        pressed_ = false;
        RaiseMouse(events_->onMouseUp, *event, false);
        if (click) detail::Raise(events_->onClick);
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        if (!events_ || !Base::isEnabled()) return;
        pressed_ = false;
        detail::Raise(events_->onDblClick);
    }

  private:
    MouseEvents* events_ = nullptr;
    bool pressed_ = false;
};

}  // namespace

// --- widgets ----------------------------------------------------------------------------

namespace detail {

class LabelWidget : public MouseWidget<QWidget> {
  public:
    explicit LabelWidget(QWidget* parent) : MouseWidget(parent) {}
    void attach(Label* label) {
        label_ = label;
        attachEvents(label);
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
    explicit PictureWidget(QWidget* parent) : MouseWidget(parent) {}
    void attach(PictureControl* control) {
        control_ = control;
        attachEvents(control);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (control_ == nullptr) return;
        QPainter painter(this);
        control_->paintBackground(painter);
        const QPixmap& picture = control_->picture_;
        if (picture.isNull()) return;
        if (control_->stretches()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawPixmap(rect(), picture);
        } else {
            painter.drawPixmap(0, 0, picture);
        }
    }

  private:
    PictureControl* control_ = nullptr;
};

class ShapeWidget : public QWidget {
  public:
    explicit ShapeWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void attach(Shape* shape) { shape_ = shape; }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (shape_ == nullptr) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const Shape& s = *shape_;
        const bool border = s.borderStyle_ != 0 && s.borderWidth_ > 0;
        const double pen = border ? s.borderWidth_ : 0.0;

        QRectF figure(rect());
        const bool square = s.kind_ == ShapeKind::Square || s.kind_ == ShapeKind::Circle ||
                            s.kind_ == ShapeKind::RoundedSquare;
        if (square) {
            const double side = std::min(figure.width(), figure.height());
            figure =
                QRectF(figure.center().x() - side / 2, figure.center().y() - side / 2, side, side);
        }
        // The border lies inside the control, as the classic one drew it.
        figure.adjust(pen / 2, pen / 2, -pen / 2, -pen / 2);

        QPainterPath path;
        switch (s.kind_) {
            case ShapeKind::Rectangle:
            case ShapeKind::Square:
                path.addRect(figure);
                break;
            case ShapeKind::Oval:
            case ShapeKind::Circle:
                path.addEllipse(figure);
                break;
            case ShapeKind::RoundedRectangle:
            case ShapeKind::RoundedSquare: {
                const double radius = std::min(figure.width(), figure.height()) / 6.0;
                path.addRoundedRect(figure, radius, radius);
                break;
            }
        }
        if (s.backStyle_ == BackStyle::Opaque) painter.fillPath(path, s.backColor_);
        if (s.fillStyle_ == FillStyle::Solid) painter.fillPath(path, s.fillColor_);
        if (border) painter.strokePath(path, QPen(s.borderColor_, pen));
    }

  private:
    Shape* shape_ = nullptr;
};

class ComboWidget : public QComboBox {
  public:
    explicit ComboWidget(QWidget* parent) : QComboBox(parent) {}
    void attach(ComboBox* combo) { combo_ = combo; }
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
    void focusInEvent(QFocusEvent* event) override {
        QComboBox::focusInEvent(event);
        if (combo_ && event->reason() != Qt::PopupFocusReason) Raise(combo_->onGotFocus);
    }
    void focusOutEvent(QFocusEvent* event) override {
        editingEnds_ = true;
        QComboBox::focusOutEvent(event);
        editingEnds_ = false;
        if (combo_ && event->reason() != Qt::PopupFocusReason) Raise(combo_->onLostFocus);
    }

  private:
    ComboBox* combo_ = nullptr;
    bool editingEnds_ = false;
};

class TextWidget : public QLineEdit {
  public:
    explicit TextWidget(QWidget* parent) : QLineEdit(parent) {}
    void attach(TextBox* box) { box_ = box; }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLineEdit::mouseReleaseEvent(event);
        if (box_ && rect().contains(event->position().toPoint())) Raise(box_->onClick);
    }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (box_ && event->reason() != Qt::PopupFocusReason) Raise(box_->onGotFocus);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (box_ && event->reason() != Qt::PopupFocusReason) Raise(box_->onLostFocus);
    }

  private:
    TextBox* box_ = nullptr;
};

}  // namespace detail

// --- Label ------------------------------------------------------------------------------

Label::Label(ControlKey, Form& form, std::string name)
    : Control(form, std::move(name), new detail::LabelWidget(form.widget())),
      foreColor_(SysColor(18)),
      backColor_(SysColor(15)) {
    static_cast<detail::LabelWidget*>(widget())->attach(this);
}

void Label::setCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    widget()->update();
    changed();
}

void Label::setForeColor(const QColor& colour) {
    foreColor_ = colour;
    widget()->update();
    changed();
}

void Label::setBackColor(const QColor& colour) {
    backColor_ = colour;
    widget()->update();
    changed();
}

void Label::setBackStyle(BackStyle style) {
    backStyle_ = style;
    widget()->update();
    changed();
}

void Label::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    widget()->update();
    changed();
}

// --- pictures ---------------------------------------------------------------------------

PictureControl::PictureControl(Form& form, std::string name, detail::PictureWidget* widget)
    : Control(form, std::move(name), widget) {
    widget->attach(this);
}

bool PictureControl::LoadPicture(const std::filesystem::path& file) {
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

void PictureControl::setPicture(const QPixmap& picture) {
    picture_ = picture;
    pictureFile_.clear();
    pictureChanged();
}

void PictureControl::clearPicture() { setPicture(QPixmap()); }

void PictureControl::paintBackground(QPainter&) const {}

void PictureControl::pictureChanged() {
    if (!picture_.isNull() && sizesToPicture()) {
        resizeTwips(PixelsToTwipsX(picture_.width()), PixelsToTwipsY(picture_.height()));
    }
    widget()->update();
    changed();
}

Image::Image(ControlKey, Form& form, std::string name)
    : PictureControl(form, std::move(name), new detail::PictureWidget(form.widget())) {}

void Image::setStretch(bool stretch) {
    if (stretch == stretch_) return;
    stretch_ = stretch;
    pictureChanged();
}

PictureBox::PictureBox(ControlKey, Form& form, std::string name)
    : PictureControl(form, std::move(name), new detail::PictureWidget(form.widget())),
      backColor_(SysColor(15)) {}

void PictureBox::setBackColor(const QColor& colour) {
    backColor_ = colour;
    widget()->update();
    changed();
}

void PictureBox::setAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    pictureChanged();
}

void PictureBox::paintBackground(QPainter& painter) const {
    painter.fillRect(widget()->rect(), backColor_);
}

// --- Shape ------------------------------------------------------------------------------

Shape::Shape(ControlKey, Form& form, std::string name)
    : Control(form, std::move(name), new detail::ShapeWidget(form.widget())),
      fillColor_(0, 0, 0),
      borderColor_(SysColor(8)),
      backColor_(SysColor(5)) {
    static_cast<detail::ShapeWidget*>(widget())->attach(this);
}

void Shape::restyle() {
    widget()->update();
    changed();
}

void Shape::setKind(ShapeKind kind) {
    kind_ = kind;
    restyle();
}
void Shape::setFillColor(const QColor& colour) {
    fillColor_ = colour;
    restyle();
}
void Shape::setFillStyle(FillStyle style) {
    fillStyle_ = style;
    restyle();
}
void Shape::setBorderColor(const QColor& colour) {
    borderColor_ = colour;
    restyle();
}
void Shape::setBorderStyle(int style) {
    borderStyle_ = style;
    restyle();
}
void Shape::setBorderWidth(int pixels) {
    borderWidth_ = std::max(0, pixels);
    restyle();
}
void Shape::setBackColor(const QColor& colour) {
    backColor_ = colour;
    restyle();
}
void Shape::setBackStyle(BackStyle style) {
    backStyle_ = style;
    restyle();
}

// --- ComboBox ---------------------------------------------------------------------------

ComboBox::ComboBox(ControlKey, Form& form, std::string name)
    : Control(form, std::move(name), new detail::ComboWidget(form.widget())) {
    detail::ComboWidget* w = box();
    w->attach(this);
    w->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(w, &QComboBox::activated, w, [this](int) {
        if (box()->editingEnds()) return;
        typed_ = false;
        detail::Raise(onClick);
    });
    setStyle(ComboStyle::DropdownCombo);
}

detail::ComboWidget* ComboBox::box() const { return static_cast<detail::ComboWidget*>(widget()); }

void ComboBox::setStyle(ComboStyle style) {
    detail::ComboWidget* w = box();
    const bool editable = style == ComboStyle::DropdownCombo;
    if (style == style_ && w->isEditable() == editable) return;
    style_ = style;
    w->setEditable(editable);
    if (QLineEdit* edit = w->lineEdit()) {
        w->setCompleter(nullptr);
        QObject::connect(edit, &QLineEdit::textEdited, w, [this](const QString&) {
            typed_ = true;
            detail::Raise(onChange);
        });
    }
}

void ComboBox::AddItem(const std::string& item, int index) {
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

void ComboBox::setText(const std::string& text) {
    const QString value = ToQt(text);
    detail::ComboWidget* w = box();
    if (!w->isEditable()) {
        const int index = w->findText(value, Qt::MatchExactly);
        if (index >= 0) setListIndex(index);
        return;
    }
    if (w->currentText() == value) return;
    // Text that names an item chooses it, without a Click; any other text chooses none.
    const int index = w->findText(value, Qt::MatchExactly);
    {
        const QSignalBlocker block(w);
        if (index >= 0) {
            w->setCurrentIndex(index);
        } else {
            w->setEditText(value);
        }
    }
    typed_ = index < 0;
    widget()->update();
    detail::Raise(onChange);
}

int ComboBox::ListIndex() const { return typed_ ? -1 : box()->currentIndex(); }

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= ListCount() || index == ListIndex()) return;
    {
        const QSignalBlocker block(box());
        box()->setCurrentIndex(index);
        if (index == -1 && box()->isEditable()) box()->clearEditText();
    }
    typed_ = false;
    detail::Raise(onClick);
}

QColor ComboBox::ForeColor() const { return PaletteColour(*widget(), QPalette::Text); }
void ComboBox::setForeColor(const QColor& colour) {
    SetPaletteColour(*widget(), {QPalette::Text, QPalette::ButtonText}, colour);
    changed();
}
QColor ComboBox::BackColor() const { return PaletteColour(*widget(), QPalette::Base); }
void ComboBox::setBackColor(const QColor& colour) {
    SetPaletteColour(*widget(), {QPalette::Base, QPalette::Button}, colour);
    changed();
}

// --- TextBox ----------------------------------------------------------------------------

TextBox::TextBox(ControlKey, Form& form, std::string name)
    : Control(form, std::move(name), new detail::TextWidget(form.widget())) {
    detail::TextWidget* w = field();
    w->attach(this);
    QObject::connect(w, &QLineEdit::textEdited, w, [this](const QString&) {
        detail::Raise(onChange);
        changed();
    });
}

detail::TextWidget* TextBox::field() const { return static_cast<detail::TextWidget*>(widget()); }

std::string TextBox::Text() const { return FromQt(field()->text()); }

void TextBox::setText(const std::string& text) {
    const QString value = ToQt(text);
    if (field()->text() == value) return;
    field()->setText(value);
    changed();
    detail::Raise(onChange);
}

bool TextBox::Locked() const { return field()->isReadOnly(); }
void TextBox::setLocked(bool locked) { field()->setReadOnly(locked); }

QColor TextBox::ForeColor() const { return PaletteColour(*widget(), QPalette::Text); }
void TextBox::setForeColor(const QColor& colour) {
    SetPaletteColour(*widget(), {QPalette::Text}, colour);
    changed();
}
QColor TextBox::BackColor() const { return PaletteColour(*widget(), QPalette::Base); }
void TextBox::setBackColor(const QColor& colour) {
    SetPaletteColour(*widget(), {QPalette::Base}, colour);
    changed();
}

void TextBox::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    field()->setAlignment(QtAlignment(alignment) | Qt::AlignVCenter);
    changed();
}

bool TextBox::BorderStyle() const { return field()->hasFrame(); }
void TextBox::setBorderStyle(bool framed) {
    field()->setFrame(framed);
    changed();
}

// --- Timer ------------------------------------------------------------------------------

Timer::Timer(ControlKey, Form& form, std::string name)
    : Control(form, std::move(name), nullptr), timer_(new QTimer()) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { detail::Raise(onTimer); });
}

Timer::~Timer() { delete timer_; }

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    apply();
}

void Timer::setInterval(int milliseconds) {
    interval_ = std::max(0, milliseconds);
    timer_->stop();
    apply();
}

void Timer::setFormRunning(bool running) {
    formRunning_ = running;
    apply();
}

void Timer::apply() {
    if (enabled_ && interval_ > 0 && formRunning_) {
        if (!timer_->isActive()) timer_->start(interval_);
    } else {
        timer_->stop();
    }
}

}  // namespace qor::ui
