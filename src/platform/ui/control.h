// What every control of a window is: a name (and an index in a control array), a place in
// twips inside its container, visible, enabled, a stacking place. Controls are made only by
// their form (Form::add), which owns them. Setters return the control, so a window declares a
// control and its design values in one line:
//     ui::Label& Label5 = add<ui::Label>("Label5", {7875, 1170, 1410, 450})
//                             .setCaption("Connect")
//                             .onClick(this, &FrmMenu_1::Label5_Click);
#pragma once

#include <QPointer>
#include <QRect>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QWidget;
class QPainter;

namespace qor::ui {

class Form;
class Container;

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
enum class Alignment { LeftJustify = 0, RightJustify = 1, Center = 2 };
enum class BackStyle { Transparent = 0, Opaque = 1 };

// Mouse buttons and shift keys as the classic events report them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

namespace detail {
// Runs call(context) as a handler of `form`; see Form::busy and Form::Retired.
void RunInForm(Form& form, void (*call)(void*), void* context);
}  // namespace detail

// One event of a control: a handler bound to a window's member function, or any callable.
// Raising calls a copy, so a handler may replace itself while it runs. An event of a control
// runs as a handler of the control's window (`owner`).
template <class... A>
class Event {
  public:
    void set(std::function<void(A...)> handler, Form* owner = nullptr) {
        handler_ = std::move(handler);
        owner_ = owner;
    }
    template <class W>
    void bind(W* window, void (W::*handler)(A...), Form* owner = nullptr) {
        set([window, handler](A... args) { (window->*handler)(args...); }, owner);
    }
    void operator()(A... args) const {
        if (!handler_) return;
        auto copy = handler_;
        if (owner_ == nullptr) {
            copy(args...);
            return;
        }
        auto run = [&] { copy(args...); };
        detail::RunInForm(
            *owner_, [](void* r) { (*static_cast<decltype(run)*>(r))(); }, &run);
    }
    explicit operator bool() const { return static_cast<bool>(handler_); }

  private:
    std::function<void(A...)> handler_;
    Form* owner_ = nullptr;
};

// Button (or buttons held, for a move), shift state, X and Y in twips inside the control.
using MouseEvent = Event<int, int, double, double>;

// Declares the two ways to set the handler of `member`: onX(this, &Window::Control_X) or
// onX(callable). Used inside a control class whose own type is `Self` and whose Parent() is its
// window.
#define QOR_UI_EVENT(Self, name, member, ...)                \
    template <class W>                                       \
    Self& name(W* window, void (W::*handler)(__VA_ARGS__)) { \
        member.bind(window, handler, &this->Parent());       \
        return static_cast<Self&>(*this);                    \
    }                                                        \
    Self& name(std::function<void(__VA_ARGS__)> handler) {   \
        member.set(std::move(handler), &this->Parent());     \
        return static_cast<Self&>(*this);                    \
    }

class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& UpperName() const { return upperName_; }
    // The element's index in its control array; -1 for a control that is no array element.
    int Index() const { return index_; }
    Form& Parent() const { return form_; }
    Container& container() const { return *container_; }

    // Timers, menus and the serial control have no widget: never shown, hidden or moved.
    bool hasWidget() const;
    QWidget* widget() const;

    // Relative to the container (the window, or a frame).
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

    // The control's own setting; a control in a hidden frame is Visible yet not seen.
    // False for a widgetless control; setting it then changes nothing.
    bool Visible() const;
    void setVisible(bool visible);
    bool Enabled() const;
    void setEnabled(bool enabled);

    // 0 brings the control in front of its siblings, 1 sends it behind them.
    void ZOrder(int position = 0);
    // Repaints at once.
    void Refresh();
    // Gives the control the keyboard focus (an editor shown over a grid cell, say).
    void SetFocus();

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

    // The widget a new control's widget is made in: the form's inside.
    static QWidget* home(Form& form);
    // For a control that makes its widget after the control (the widget needs it finished).
    void adoptWidget(QWidget* widget);
    // Moves the control into a frame, keeping its twips, now counted from the frame.
    void placeIn(Container& container);

    // Every property setter goes through here. Nothing happens when `wanted` equals
    // `current`; otherwise `store` puts the value in place (into the widget, say), the control
    // repaints, and each event in `notify` is raised. True when the value changed.
    template <class V, class Store, class... Notify>
    bool assignVia(const V& current, const V& wanted, Store&& store, const Notify&... notify) {
        if (current == wanted) return false;
        store();
        repaint();
        (notify(), ...);
        return true;
    }
    // The same for a value the control keeps in a member of its own.
    template <class V, class... Notify>
    bool assign(V& field, const V& wanted, const Notify&... notify) {
        return assignVia(
            field, wanted, [&] { field = wanted; }, notify...);
    }

    // Schedules a repaint and tells the form that the control's pixels changed, so the colour
    // key is worked out again there.
    void repaint();
    // The control's place in pixels inside its container.
    QRect pixelRect() const;
    // The control may grow to fit its content (a picture), keeping its left and top.
    void resizeTwips(double width, double height);
    // Overridden by controls whose enabled state is more than their widget's (a timer).
    virtual void applyEnabled(bool enabled);
    virtual bool enabledState() const;

  private:
    friend class Form;
    friend class Container;
    void applyGeometry();
    // The design rectangle given to Form::add.
    virtual void declare(const TwipRect& rect) { Move(rect); }
    // The form started (loaded) or stopped (unloaded); timers follow it.
    virtual void formRunning(bool running) { (void)running; }
    // The control's area in the form's pixels, for the colour key.
    QRect formPixelRect() const;

    Form& form_;
    Container* container_;
    std::string name_;
    std::string upperName_;
    int index_ = -1;
    QPointer<QWidget> widget_;
    TwipRect rect_;
    bool widgetlessEnabled_ = true;
    Pointer pointer_ = Pointer::Default;
};

// What can hold controls: the window itself and frames. A contained control's twips count
// from the container's top-left corner; it hides and moves with its container.
class Container {
  public:
    virtual ~Container() = default;
    // The widget contained controls are made in.
    virtual QWidget* inside() const = 0;
};

// The design-time face of every control class: its setters of the common properties return the
// control itself, and `in` puts it into a frame. `Self` is the control class.
template <class Self, class Base = Control>
class ControlOf : public Base {
  public:
    using Base::Base;

    Self& in(Container& container) {
        this->placeIn(container);
        return self();
    }
    Self& setVisible(bool visible) {
        Base::setVisible(visible);
        return self();
    }
    Self& setEnabled(bool enabled) {
        Base::setEnabled(enabled);
        return self();
    }
    Self& setMousePointer(Pointer pointer) {
        Base::setMousePointer(pointer);
        return self();
    }
    Self& setFont(const std::string& name, double points, bool bold = false) {
        Base::setFont(name, points, bold);
        return self();
    }

  protected:
    Self& self() { return static_cast<Self&>(*this); }
};

// A named control without a widget, for components the program drives itself (MSComm1).
class WidgetlessControl : public ControlOf<WidgetlessControl> {
  public:
    WidgetlessControl(ControlKey, Form& form, std::string name);
};

// A control array: elements made together under one name, each with its index (from `first`
// on, as the design numbers them). A handler bound through the array gets the index first:
//     ui::Array<ui::Frame> Frame2 = addArray<ui::Frame>("Frame2", {{...}, {...}})
//                                       .onClick(this, &Frmsettings::Frame2_Click);
//     void Frame2_Click(int Index);
template <class T>
class Array {
  public:
    Array() = default;
    Array(std::vector<T*> elements, int first) : elements_(std::move(elements)), first_(first) {}

    // Throws std::out_of_range for an index the array lacks.
    T& operator[](int index) const { return at(index); }
    T& operator()(int index) const { return at(index); }
    int LBound() const { return first_; }
    int UBound() const { return first_ + Count() - 1; }
    int Count() const { return static_cast<int>(elements_.size()); }
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

    // Design values that differ by element: fn(element, index) for each.
    template <class F>
    Array& each(F fn) {
        for (int i = 0; i < Count(); ++i) fn(*elements_[i], first_ + i);
        return *this;
    }
    Array& in(Container& container) {
        return each([&](T& c, int) { c.in(container); });
    }
    Array& setVisible(bool visible) {
        return each([&](T& c, int) { c.setVisible(visible); });
    }

    template <class W, class... A>
    Array& onClick(W* w, void (W::*fn)(int, A...)) {
        return bind(w, fn, [](T& c, auto h) { c.onClick(std::move(h)); });
    }
    template <class W, class... A>
    Array& onDblClick(W* w, void (W::*fn)(int, A...)) {
        return bind(w, fn, [](T& c, auto h) { c.onDblClick(std::move(h)); });
    }
    template <class W, class... A>
    Array& onChange(W* w, void (W::*fn)(int, A...)) {
        return bind(w, fn, [](T& c, auto h) { c.onChange(std::move(h)); });
    }
    template <class W, class... A>
    Array& onScroll(W* w, void (W::*fn)(int, A...)) {
        return bind(w, fn, [](T& c, auto h) { c.onScroll(std::move(h)); });
    }
    template <class W, class... A>
    Array& onMouseDown(W* w, void (W::*fn)(int, A...)) {
        return bind(w, fn, [](T& c, auto h) { c.onMouseDown(std::move(h)); });
    }
    template <class W, class... A>
    Array& onMouseMove(W* w, void (W::*fn)(int, A...)) {
        return bind(w, fn, [](T& c, auto h) { c.onMouseMove(std::move(h)); });
    }
    template <class W, class... A>
    Array& onMouseUp(W* w, void (W::*fn)(int, A...)) {
        return bind(w, fn, [](T& c, auto h) { c.onMouseUp(std::move(h)); });
    }

  private:
    T& at(int index) const {
        const int i = index - first_;
        if (i < 0 || i >= Count()) {
            throw std::out_of_range("no element " + std::to_string(index) + " in this array");
        }
        return *elements_[static_cast<std::size_t>(i)];
    }
    template <class W, class... A, class Set>
    Array& bind(W* w, void (W::*fn)(int, A...), Set set) {
        return each([&](T& c, int index) {
            set(c,
                std::function<void(A...)>([w, fn, index](A... args) { (w->*fn)(index, args...); }));
        });
    }

    std::vector<T*> elements_;
    int first_ = 0;
};

namespace detail {
std::string UpperAscii(std::string_view text);
// The cursor a pointer shows over a widget; controls and forms alike.
void ApplyPointer(QWidget& widget, Pointer pointer);
}  // namespace detail

}  // namespace qor::ui
