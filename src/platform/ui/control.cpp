#include "platform/ui/control.h"

#include <QCursor>
#include <QFont>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace detail {

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

void ApplyPointer(QWidget& widget, Pointer pointer) {
    switch (pointer) {
        case Pointer::Default:
            widget.unsetCursor();
            break;
        case Pointer::Hourglass:
            widget.setCursor(Qt::WaitCursor);
            break;
        case Pointer::Hand:
            widget.setCursor(Qt::PointingHandCursor);
            break;
    }
}

}  // namespace detail

Control::Control(Form& form, std::string name, QWidget* widget)
    : form_(form), name_(std::move(name)), upperName_(detail::UpperAscii(name_)), widget_(widget) {
    if (widget_) {
        widget_->setObjectName(ToQt(name_));
        // A control made before its form is shown appears with it; one made later at once.
        widget_->setVisible(true);
        widget_->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    }
}

Control::~Control() { delete widget_.data(); }

bool Control::hasWidget() const { return !widget_.isNull(); }
QWidget* Control::widget() const { return widget_.data(); }

void Control::setLeft(double twips) { Move(twips, rect_.top, rect_.width, rect_.height); }
void Control::setTop(double twips) { Move(rect_.left, twips, rect_.width, rect_.height); }
void Control::setWidth(double twips) { Move(rect_.left, rect_.top, twips, rect_.height); }
void Control::setHeight(double twips) { Move(rect_.left, rect_.top, rect_.width, twips); }
void Control::Move(double left, double top) { Move(left, top, rect_.width, rect_.height); }

void Control::Move(double left, double top, double width, double height) {
    if (!widget_) return;
    rect_ = TwipRect{left, top, std::max(0.0, width), std::max(0.0, height)};
    applyGeometry();
}

void Control::resizeTwips(double width, double height) {
    Move(rect_.left, rect_.top, width, height);
}

QRect Control::pixelRect() const {
    // Both edges are rounded, so neighbours that touch in twips touch in pixels.
    const int x0 = TwipsToPixelsX(rect_.left);
    const int y0 = TwipsToPixelsY(rect_.top);
    const int x1 = TwipsToPixelsX(rect_.left + rect_.width);
    const int y1 = TwipsToPixelsY(rect_.top + rect_.height);
    return QRect(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

void Control::applyGeometry() {
    const QRect target = pixelRect();
    if (widget_->geometry() == target) return;
    const QRect before = widget_->geometry();
    widget_->setGeometry(target);
    if (Visible()) {
        form_.contentChanged(before);
        form_.contentChanged(target);
    }
}

bool Control::Visible() const { return widget_ && !widget_->isHidden(); }

void Control::setVisible(bool visible) {
    if (!widget_ || Visible() == visible) return;
    widget_->setVisible(visible);
    form_.contentChanged(widget_->geometry());
}

bool Control::Enabled() const { return widget_ ? widget_->isEnabled() : widgetlessEnabled_; }

void Control::setEnabled(bool enabled) {
    if (!widget_) {
        widgetlessEnabled_ = enabled;
        return;
    }
    if (widget_->isEnabled() == enabled) return;
    widget_->setEnabled(enabled);
    changed();
}

void Control::ZOrder(int position) {
    if (!widget_) return;
    if (position == 0) {
        widget_->raise();
    } else {
        widget_->lower();
    }
    changed();
}

void Control::Refresh() {
    if (widget_) widget_->repaint();
}

void Control::setMousePointer(Pointer pointer) {
    pointer_ = pointer;
    if (widget_) detail::ApplyPointer(*widget_, pointer);
}

std::string Control::FontName() const {
    return widget_ ? FromQt(widget_->font().family()) : std::string();
}
double Control::FontSize() const { return widget_ ? widget_->font().pointSizeF() : 0.0; }
bool Control::FontBold() const { return widget_ && widget_->font().bold(); }

void Control::setFontName(const std::string& name) {
    if (!widget_) return;
    setFont(name, FontSize(), FontBold());
}

void Control::setFontSize(double points) {
    if (!widget_) return;
    setFont(FontName(), points, FontBold());
}

void Control::setFontBold(bool bold) {
    if (!widget_) return;
    setFont(FontName(), FontSize(), bold);
}

void Control::setFont(const std::string& name, double points, bool bold) {
    if (!widget_) return;
    QFont font = widget_->font();
    font.setFamily(ToQt(name));
    if (points > 0) font.setPointSizeF(points);
    font.setBold(bold);
    widget_->setFont(font);
    changed();
}

void Control::changed() {
    if (widget_ && Visible()) form_.contentChanged(widget_->geometry());
}

WidgetlessControl::WidgetlessControl(ControlKey, Form& form, std::string name)
    : Control(form, std::move(name), nullptr) {}

}  // namespace qor::ui
