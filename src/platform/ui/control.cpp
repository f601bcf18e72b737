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
    : form_(form),
      container_(&form),
      name_(std::move(name)),
      upperName_(detail::UpperAscii(name_)) {
    if (widget) adoptWidget(widget);
}

void Control::adoptWidget(QWidget* widget) {
    widget_ = widget;
    widget_->setObjectName(ToQt(name_));
    // A control made before its form is shown appears with it; one made later at once.
    widget_->setVisible(true);
    widget_->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
}

Control::~Control() { delete widget_.data(); }

QWidget* Control::home(Form& form) { return form.inside(); }

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

QRect Control::formPixelRect() const {
    if (!widget_) return {};
    QWidget* top = form_.widget();
    QWidget* parent = widget_->parentWidget();
    const QPoint origin = parent && parent != top ? parent->mapTo(top, QPoint(0, 0)) : QPoint();
    return widget_->geometry().translated(origin);
}

void Control::applyGeometry() {
    const QRect target = pixelRect();
    if (widget_->geometry() == target) return;
    const QRect before = formPixelRect();
    widget_->setGeometry(target);
    if (Visible()) {
        form_.contentChanged(before);
        form_.contentChanged(formPixelRect());
    }
}

void Control::placeIn(Container& container) {
    if (&container == container_) return;
    container_ = &container;
    if (!widget_) return;
    const bool visible = Visible();
    form_.contentChanged(formPixelRect());
    widget_->setParent(container.inside());
    widget_->setGeometry(pixelRect());
    widget_->setVisible(visible);
    form_.contentChanged(formPixelRect());
}

bool Control::Visible() const { return widget_ && !widget_->isHidden(); }

void Control::setVisible(bool visible) {
    if (!widget_) return;
    assignVia(Visible(), visible, [&] {
        // The area is that of the control as it was seen, before hiding and after showing.
        if (!visible) form_.contentChanged(formPixelRect());
        widget_->setVisible(visible);
    });
}

bool Control::Enabled() const { return enabledState(); }
void Control::setEnabled(bool enabled) { applyEnabled(enabled); }

bool Control::enabledState() const { return widget_ ? widget_->isEnabled() : widgetlessEnabled_; }

void Control::applyEnabled(bool enabled) {
    assignVia(enabledState(), enabled, [&] {
        if (widget_) {
            widget_->setEnabled(enabled);
        } else {
            widgetlessEnabled_ = enabled;
        }
    });
}

void Control::ZOrder(int position) {
    if (!widget_) return;
    if (position == 0) {
        widget_->raise();
    } else {
        widget_->lower();
    }
    repaint();
}

void Control::Refresh() {
    if (widget_) widget_->repaint();
}

void Control::SetFocus() {
    if (widget_) widget_->setFocus(Qt::OtherFocusReason);
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

void Control::setFontName(const std::string& name) { setFont(name, FontSize(), FontBold()); }
void Control::setFontSize(double points) { setFont(FontName(), points, FontBold()); }
void Control::setFontBold(bool bold) { setFont(FontName(), FontSize(), bold); }

void Control::setFont(const std::string& name, double points, bool bold) {
    if (!widget_) return;
    QFont font = widget_->font();
    font.setFamily(ToQt(name));
    if (points > 0) font.setPointSizeF(points);
    font.setBold(bold);
    assignVia(widget_->font(), font, [&] { widget_->setFont(font); });
}

void Control::repaint() {
    if (!widget_) return;
    widget_->update();
    if (Visible()) form_.contentChanged(formPixelRect());
}

WidgetlessControl::WidgetlessControl(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), nullptr) {}

}  // namespace qor::ui
