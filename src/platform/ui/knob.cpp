#include "platform/ui/knob.h"

#include <QConicalGradient>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/ui/form.h"

namespace qor::ui {

namespace {

// The scale runs clockwise from 7.30 to 4.30: 270 degrees, starting at 225 (counter-clockwise
// from 3 o'clock).
constexpr double kStartDegrees = 225.0;
constexpr double kSweepDegrees = 270.0;
constexpr int kTickIntervals = 20;
// Dragging up and down from the cap: the whole range over this many pixels.
constexpr double kVerticalDragPixels = 150.0;
constexpr int kWheelNotch = 120;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

QPointF OnCircle(const QPointF& centre, double radius, double degrees) {
    const double a = Radians(degrees);
    return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

}  // namespace

namespace detail {

class KnobWidget : public QWidget {
  public:
    explicit KnobWidget(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::WheelFocus); }
    void attach(IKnobX* knob) { knob_ = knob; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPointF centre() const { return {width() / 2.0, height() / 2.0}; }
    double outerRadius() const { return std::min(width(), height()) / 2.0 - 1.0; }
    double capRadius() const { return outerRadius() * 0.70; }
    double fraction() const {
        const double range = knob_->max_ - knob_->min_;
        return range > 0 ? std::clamp((knob_->position_ - knob_->min_) / range, 0.0, 1.0) : 0.0;
    }
    double pointerDegrees(const QPointF& p) const {
        const QPointF c = centre();
        return std::atan2(-(p.y() - c.y()), p.x() - c.x()) * 180.0 / std::numbers::pi;
    }
    void dragTo(double travel);

    IKnobX* knob_ = nullptr;
    bool dragging_ = false;
    bool rotary_ = true;
    double dragBase_ = 0.0;
    double travel_ = 0.0;  // in parts of the whole range since dragBase_
    double lastDegrees_ = 0.0;
    QPointF lastPoint_;
    int wheelRest_ = 0;
};

void KnobWidget::paintEvent(QPaintEvent*) {
    if (knob_ == nullptr) return;
    const double side = std::min(width(), height());
    if (side < 8) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) p.setOpacity(0.45);

    const QPointF c = centre();
    const double r = outerRadius();
    const double f = fraction();
    const QColor amber(255, 176, 64);

    // Scale: lit up to the position, dim beyond.
    for (int i = 0; i <= kTickIntervals; ++i) {
        const double tf = static_cast<double>(i) / kTickIntervals;
        const bool major = i % 2 == 0;
        const double degrees = kStartDegrees - kSweepDegrees * tf;
        const QColor colour = tf <= f + 1e-9 ? amber : QColor(128, 134, 144);
        QPen pen(colour, std::max(1.0, side / (major ? 26.0 : 40.0)));
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(OnCircle(c, major ? r * 0.80 : r * 0.87, degrees), OnCircle(c, r, degrees));
    }

    const double rk = capRadius();
    p.setPen(Qt::NoPen);

    // A tight drop shadow: any wider and it would tint the key colour around the knob.
    const QPointF shadowCentre = c + QPointF(0, side * 0.025);
    QRadialGradient shadow(shadowCentre, rk * 1.06);
    shadow.setColorAt(0.85, QColor(0, 0, 0, 130));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(shadowCentre, rk * 1.06, rk * 1.06);

    // Bevelled rim, lit from the top left.
    QLinearGradient rim(c - QPointF(rk, rk), c + QPointF(rk, rk));
    rim.setColorAt(0.0, QColor(178, 184, 192));
    rim.setColorAt(0.5, QColor(72, 76, 84));
    rim.setColorAt(1.0, QColor(18, 20, 24));
    p.setBrush(rim);
    p.drawEllipse(c, rk, rk);

    // Brushed face: a conical sweep of light and dark.
    const double rf = rk * 0.86;
    QConicalGradient face(c, 90);
    const QColor dark(50, 54, 60);
    const QColor light(112, 118, 128);
    const QColor mid(88, 94, 102);
    face.setColorAt(0.000, mid);
    face.setColorAt(0.125, light);
    face.setColorAt(0.250, dark);
    face.setColorAt(0.375, mid);
    face.setColorAt(0.500, dark);
    face.setColorAt(0.625, light);
    face.setColorAt(0.750, dark);
    face.setColorAt(0.875, light);
    face.setColorAt(1.000, mid);
    p.setBrush(face);
    p.drawEllipse(c, rf, rf);

    QRadialGradient sheen(c - QPointF(0, rf * 0.55), rf * 1.1);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawEllipse(c, rf, rf);

    // Indicator with a soft glow.
    const double degrees = kStartDegrees - kSweepDegrees * f;
    const QPointF from = OnCircle(c, rf * 0.28, degrees);
    const QPointF to = OnCircle(c, rf * 0.92, degrees);
    QPen glow(QColor(255, 176, 64, 90), std::max(2.0, side / 9.0));
    glow.setCapStyle(Qt::RoundCap);
    p.setPen(glow);
    p.drawLine(from, to);
    QPen line(QColor(255, 218, 150), std::max(1.5, side / 18.0));
    line.setCapStyle(Qt::RoundCap);
    p.setPen(line);
    p.drawLine(from, to);

    if (hasFocus()) {
        p.setPen(QPen(QColor(255, 176, 64, 120), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, rk + 1.5, rk + 1.5);
    }
}

void KnobWidget::mousePressEvent(QMouseEvent* event) {
    if (knob_ == nullptr || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPointF p = event->position();
    const QPointF d = p - centre();
    // On the cap the knob follows up and down; around it, the turn of the pointer.
    rotary_ = std::hypot(d.x(), d.y()) > capRadius() * 0.6;
    dragging_ = true;
    dragBase_ = knob_->position_;
    travel_ = 0.0;
    lastDegrees_ = pointerDegrees(p);
    lastPoint_ = p;
}

void KnobWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || knob_ == nullptr) return;
    const QPointF p = event->position();
    if (rotary_) {
        const QPointF d = p - centre();
        // Too near the centre the angle means nothing.
        if (std::hypot(d.x(), d.y()) < 2.0) return;
        const double degrees = pointerDegrees(p);
        double delta = degrees - lastDegrees_;
        if (delta > 180.0) delta -= 360.0;
        if (delta < -180.0) delta += 360.0;
        lastDegrees_ = degrees;
        dragTo(travel_ - delta / kSweepDegrees);  // clockwise turns it up
    } else {
        const double dy = p.y() - lastPoint_.y();
        lastPoint_ = p;
        dragTo(travel_ - dy / kVerticalDragPixels);
    }
}

// The knob follows the whole travel since the press, so a handler that rounds the position
// between two moves does not eat small movements.
void KnobWidget::dragTo(double travel) {
    travel_ = travel;
    const double lo = std::min(knob_->min_, knob_->max_);
    const double hi = std::max(knob_->min_, knob_->max_);
    const double wanted = dragBase_ + travel_ * (knob_->max_ - knob_->min_);
    const double value = std::clamp(wanted, lo, hi);
    if (value != wanted) {
        // Past an end: turning back moves it at once.
        dragBase_ = value;
        travel_ = 0.0;
    }
    knob_->userMove(value);
}

void KnobWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void KnobWidget::wheelEvent(QWheelEvent* event) {
    if (knob_ == nullptr) return;
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / kWheelNotch;
    wheelRest_ -= notches * kWheelNotch;
    if (notches != 0) knob_->stepBy(notches * knob_->wheelStep_);
    event->accept();
}

void KnobWidget::keyPressEvent(QKeyEvent* event) {
    if (knob_ == nullptr) return;
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Right:
            knob_->stepBy(knob_->arrowStep_);
            break;
        case Qt::Key_Down:
        case Qt::Key_Left:
            knob_->stepBy(-knob_->arrowStep_);
            break;
        case Qt::Key_PageUp:
            knob_->stepBy(knob_->pageStep_);
            break;
        case Qt::Key_PageDown:
            knob_->stepBy(-knob_->pageStep_);
            break;
        case Qt::Key_Home:
            knob_->userMove(knob_->min_);
            break;
        case Qt::Key_End:
            knob_->userMove(knob_->max_);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace detail

IKnobX::IKnobX(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new detail::KnobWidget(home(form))) {
    static_cast<detail::KnobWidget*>(widget())->attach(this);
}

double IKnobX::clamped(double position) const {
    return std::clamp(position, std::min(min_, max_), std::max(min_, max_));
}

IKnobX& IKnobX::setPosition(double position) {
    if (!std::isnan(position)) assign(position_, clamped(position));
    return *this;
}

void IKnobX::userMove(double position) {
    if (!std::isnan(position)) assign(position_, clamped(position), positionChange_);
}

IKnobX& IKnobX::setPositionMin(double min) {
    if (assign(min_, min)) setPosition(position_);
    return *this;
}

IKnobX& IKnobX::setPositionMax(double max) {
    if (assign(max_, max)) setPosition(position_);
    return *this;
}

IKnobX& IKnobX::setKeyArrowStepSize(double step) {
    assign(arrowStep_, step);
    return *this;
}
IKnobX& IKnobX::setKeyPageStepSize(double step) {
    assign(pageStep_, step);
    return *this;
}
IKnobX& IKnobX::setMouseWheelStepSize(double step) {
    assign(wheelStep_, step);
    return *this;
}

void IKnobX::stepBy(double delta) { userMove(std::round((position_ + delta) * 1e9) / 1e9); }

}  // namespace qor::ui
