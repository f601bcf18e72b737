// What every control of a window is: a name, a place in twips, visible, enabled, a stacking
// place. Controls are made only by their form (Form::Add), which owns them.
#pragma once

#include <QPointer>
#include <QRect>
#include <functional>
#include <string>
#include <string_view>

class QWidget;
class QPainter;

namespace qor::ui {

class Form;

// Only a form can make one, so every control is registered with the form that owns it.
class ControlKey {
    friend class Form;
    ControlKey() = default;
};

// Left, Top, Width, Height in twips.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

enum class Pointer { Default, Hourglass, Hand };

// Mouse buttons and shift keys as the classic events report them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Button (or buttons held, for a move), shift state, X and Y in twips inside the control.
using MouseHandler = std::function<void(int button, int shift, double x, double y)>;

// Click, DblClick and the three mouse events of the controls that take the mouse.
struct MouseEvents {
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    MouseHandler onMouseDown;
    MouseHandler onMouseMove;
    MouseHandler onMouseUp;
};

class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& UpperName() const { return upperName_; }
    Form& Parent() const { return form_; }

    // Timers and the serial control have no widget: they are never shown, hidden or moved.
    bool hasWidget() const;
    QWidget* widget() const;

    double Left() const { return rect_.left; }
    double Top() const { return rect_.top; }
    double Width() const { return rect_.width; }
    double Height() const { return rect_.height; }
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);
    void Move(const TwipRect& rect) { Move(rect.left, rect.top, rect.width, rect.height); }

    // False for a widgetless control; setting it then changes nothing.
    bool Visible() const;
    void setVisible(bool visible);
    virtual bool Enabled() const;
    virtual void setEnabled(bool enabled);

    // 0 brings the control in front of its siblings, 1 sends it behind them.
    void ZOrder(int position = 0);
    // Repaints at once.
    void Refresh();

    Pointer MousePointer() const { return pointer_; }
    void setMousePointer(Pointer pointer);

    // Font of the text the control shows; nothing for controls without text.
    std::string FontName() const;
    double FontSize() const;
    bool FontBold() const;
    void setFontName(const std::string& name);
    void setFontSize(double points);
    void setFontBold(bool bold);
    void setFont(const std::string& name, double points, bool bold = false);

  protected:
    Control(Form& form, std::string name, QWidget* widget);

    // Tells the form that the pixels in the control's area changed, so the colour key is
    // worked out again there.
    void changed();
    // The control's place in pixels inside the form.
    QRect pixelRect() const;
    // The control may grow to fit its content (a picture), keeping its left and top.
    void resizeTwips(double width, double height);

  private:
    void applyGeometry();

    Form& form_;
    std::string name_;
    std::string upperName_;
    QPointer<QWidget> widget_;
    TwipRect rect_;
    bool widgetlessEnabled_ = true;
    Pointer pointer_ = Pointer::Default;
};

// A named control without a widget, for components the program drives itself (MSComm1).
class WidgetlessControl : public Control {
  public:
    WidgetlessControl(ControlKey, Form& form, std::string name);
};

namespace detail {
// Calls a copy, so a handler may replace itself while it runs.
template <class F, class... A>
void Raise(const F& handler, A... args) {
    if (!handler) return;
    F copy = handler;
    copy(args...);
}
std::string UpperAscii(std::string_view text);
// The cursor a pointer shows over a widget; controls and forms alike.
void ApplyPointer(QWidget& widget, Pointer pointer);
}  // namespace detail

}  // namespace qor::ui
