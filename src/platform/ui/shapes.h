// Drawn figures: shapes and lines. They take no mouse events: those fall to what lies below.
#pragma once

#include <QColor>
#include <string>

#include "platform/ui/control.h"

namespace qor::ui {

namespace detail {
class ShapeWidget;
class LineWidget;
}  // namespace detail

enum class ShapeKind {
    Rectangle = 0,
    Square = 1,
    Oval = 2,
    Circle = 3,
    RoundedRectangle = 4,
    RoundedSquare = 5
};
enum class FillStyle { Solid = 0, Transparent = 1 };

class Shape : public ControlOf<Shape> {
  public:
    Shape(ControlKey, Form& form, std::string name);

    ShapeKind kind() const { return kind_; }
    Shape& setKind(ShapeKind kind);
    QColor FillColor() const { return fillColor_; }
    Shape& setFillColor(const QColor& colour);
    FillStyle fillStyle() const { return fillStyle_; }
    Shape& setFillStyle(FillStyle style);
    QColor BorderColor() const { return borderColor_; }
    Shape& setBorderColor(const QColor& colour);
    // 0 draws no border, 1 (the default) a solid one.
    int BorderStyle() const { return borderStyle_; }
    Shape& setBorderStyle(int style);
    // In pixels, as the classic one.
    int BorderWidth() const { return borderWidth_; }
    Shape& setBorderWidth(int pixels);
    // Under a transparent fill: Opaque shows BackColor, Transparent (the default) nothing.
    QColor BackColor() const { return backColor_; }
    Shape& setBackColor(const QColor& colour);
    BackStyle backStyle() const { return backStyle_; }
    Shape& setBackStyle(BackStyle style);

  private:
    friend class detail::ShapeWidget;
    ShapeKind kind_ = ShapeKind::Rectangle;
    QColor fillColor_;
    FillStyle fillStyle_ = FillStyle::Transparent;
    QColor borderColor_;
    int borderStyle_ = 1;
    int borderWidth_ = 1;
    QColor backColor_;
    BackStyle backStyle_ = BackStyle::Transparent;
};

// A straight line between two end points, in twips inside its container. It has no Left or
// Top of its own: it is moved by its end points. Declared with {X1, Y1, X2, Y2}.
class Line : public ControlOf<Line> {
  public:
    Line(ControlKey, Form& form, std::string name);

    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    Line& setX1(double twips);
    Line& setY1(double twips);
    Line& setX2(double twips);
    Line& setY2(double twips);
    Line& setEnds(double x1, double y1, double x2, double y2);
    QColor BorderColor() const { return colour_; }
    Line& setBorderColor(const QColor& colour);

  private:
    friend class detail::LineWidget;
    void declare(const TwipRect& ends) override;
    void place();
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    QColor colour_;
};

}  // namespace qor::ui
