#include "platform/ui/shapes.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>

#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace detail {

class ShapeWidget : public QWidget {
  public:
    ShapeWidget(QWidget* parent, const Shape& shape) : QWidget(parent), shape_(shape) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const Shape& s = shape_;
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
    const Shape& shape_;
};

class LineWidget : public QWidget {
  public:
    LineWidget(QWidget* parent, const Line& line) : QWidget(parent), line_(line) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(line_.colour_, 1));
        // The widget spans the line's box; its origin is the box's top-left corner.
        const QPointF origin(TwipsToPixelsX(std::min(line_.x1_, line_.x2_)),
                             TwipsToPixelsY(std::min(line_.y1_, line_.y2_)));
        painter.drawLine(QPointF(TwipsToPixelsX(line_.x1_), TwipsToPixelsY(line_.y1_)) - origin,
                         QPointF(TwipsToPixelsX(line_.x2_), TwipsToPixelsY(line_.y2_)) - origin);
    }

  private:
    const Line& line_;
};

}  // namespace detail

Shape::Shape(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), nullptr),
      fillColor_(0, 0, 0),
      borderColor_(SysColor(8)),
      backColor_(SysColor(5)) {
    adoptWidget(new detail::ShapeWidget(home(form), *this));
}

Shape& Shape::setKind(ShapeKind kind) {
    assign(kind_, kind);
    return *this;
}
Shape& Shape::setFillColor(const QColor& colour) {
    assign(fillColor_, colour);
    return *this;
}
Shape& Shape::setFillStyle(FillStyle style) {
    assign(fillStyle_, style);
    return *this;
}
Shape& Shape::setBorderColor(const QColor& colour) {
    assign(borderColor_, colour);
    return *this;
}
Shape& Shape::setBorderStyle(int style) {
    assign(borderStyle_, style);
    return *this;
}
Shape& Shape::setBorderWidth(int pixels) {
    assign(borderWidth_, std::max(0, pixels));
    return *this;
}
Shape& Shape::setBackColor(const QColor& colour) {
    assign(backColor_, colour);
    return *this;
}
Shape& Shape::setBackStyle(BackStyle style) {
    assign(backStyle_, style);
    return *this;
}

Line::Line(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), nullptr), colour_(SysColor(8)) {
    adoptWidget(new detail::LineWidget(home(form), *this));
}

Line& Line::setX1(double twips) { return setEnds(twips, y1_, x2_, y2_); }
Line& Line::setY1(double twips) { return setEnds(x1_, twips, x2_, y2_); }
Line& Line::setX2(double twips) { return setEnds(x1_, y1_, twips, y2_); }
Line& Line::setY2(double twips) { return setEnds(x1_, y1_, x2_, twips); }

Line& Line::setEnds(double x1, double y1, double x2, double y2) {
    const std::array<double, 4> now{x1_, y1_, x2_, y2_};
    const std::array<double, 4> wanted{x1, y1, x2, y2};
    assignVia(now, wanted, [&] {
        x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
        place();
    });
    return *this;
}

void Line::declare(const TwipRect& ends) { setEnds(ends.left, ends.top, ends.width, ends.height); }

void Line::place() {
    // One pixel more than the box, so a level or upright line still has a pixel to draw in.
    Move(std::min(x1_, x2_), std::min(y1_, y2_), std::abs(x2_ - x1_) + TwipsPerPixelX(),
         std::abs(y2_ - y1_) + TwipsPerPixelY());
}

Line& Line::setBorderColor(const QColor& colour) {
    assign(colour_, colour);
    return *this;
}

}  // namespace qor::ui
