// A window of the program: a top-level widget whose controls are placed in twips and kept by
// name in the order they were made. A window class derives from Form, declares each control as
// a member, one line each, with add<T>() or addArray<T>(), and overrides Form_Load,
// Form_Activate, Form_Resize, Form_Unload as it needs:
//     class FrmX : public ui::Form {
//         ui::Label& Label1 = add<ui::Label>("Label1", {120, 120, 975, 255})
//                                 .setCaption("Name")
//                                 .onClick(this, &FrmX::Label1_Click);
//         void Label1_Click();
//     };
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/menus.h"

class QEventLoop;
class QMenuBar;

namespace qor::ui {

namespace detail {
class FormWidget;
class ColourKeyMask;
}  // namespace detail

enum class FormBorderStyle { None, FixedSingle, Sizable };
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

class Form : public Container {
  public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    // The top-level window.
    QWidget* widget() const;
    // Its inside, below the menu bar, where the controls are.
    QWidget* inside() const override;

    // --- life ---------------------------------------------------------------------------
    // Runs Form_Load, once; starts the timers first. Show() loads a form not yet loaded.
    void Load();
    bool isLoaded() const { return state_ == State::Loaded; }
    // True once unloaded: the form is finished and its owner makes a new one to show it again.
    bool isUnloaded() const { return state_ == State::Unloaded; }
    // Shows the window and brings it forward. Modeless returns at once; Modal keeps the
    // program's other windows from the user and returns only once this window has unloaded.
    enum class Mode { Modeless = 0, Modal = 1 };
    void Show(Mode mode = Mode::Modeless);
    void Hide();
    bool Visible() const;
    // Runs Form_Unload (which may cancel), stops the timers and closes the window. The owner's
    // onUnloaded hook runs after the current event has finished, so it may destroy the form.
    // Closing the window through the window system unloads it the same way.
    void Unload();
    std::function<void(Form&)> onUnloaded;

    // True while one of the window's handlers runs (its events, its Form_ procedures, a modal
    // Show), also one parked at a yield further up the stack: the window must not be freed then.
    bool busy() const { return busy_ > 0; }
    // Thrown out of a yield (DoEvents, a modal box) into a handler whose window was unloaded
    // while the handler waited there; the kit catches it where it called the handler, so the
    // handler ends quietly: nothing after the yield runs, nothing more is shown or sent.
    struct Retired {};

    // --- look -----------------------------------------------------------------------------
    std::string Caption() const;
    void setCaption(const std::string& caption);
    FormBorderStyle BorderStyle() const { return border_; }
    void setBorderStyle(FormBorderStyle style);
    WindowState windowState() const;
    void setWindowState(WindowState state);
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& colour);
    Pointer MousePointer() const { return pointer_; }
    void setMousePointer(Pointer pointer);

    // The window on the screen, in twips; ScaleWidth/ScaleHeight are its inside.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);
    double ScaleWidth() const;
    double ScaleHeight() const;

    // --- controls -------------------------------------------------------------------------
    // Makes a control named `name` (any case; unique in the form) at `rect` in the window;
    // `.in(frame)` moves it into a frame. Controls made later are drawn above those made
    // earlier.
    template <class T, class... A>
    T& add(std::string name, const TwipRect& rect = {}, A&&... args) {
        auto control =
            std::make_unique<T>(ControlKey{}, *this, std::move(name), std::forward<A>(args)...);
        T& made = *control;
        adopt(std::move(control), -1, rect);
        return made;
    }
    // A control array, one element per rectangle, indexed from `first` on.
    template <class T>
    Array<T> addArray(const std::string& name, const std::vector<TwipRect>& rects, int first = 0) {
        std::vector<T*> elements;
        for (std::size_t i = 0; i < rects.size(); ++i) {
            auto control = std::make_unique<T>(ControlKey{}, *this, name);
            elements.push_back(control.get());
            adopt(std::move(control), first + static_cast<int>(i), rects[i]);
        }
        return Array<T>(std::move(elements), first);
    }
    // A named control without a widget (the serial control).
    WidgetlessControl& addWidgetless(std::string name) { return add<WidgetlessControl>(name); }

    // Every control, in the order it was made.
    const std::vector<Control*>& controls() const { return order_; }
    // By name, in any case (an array element by name and index); nullptr when the form has
    // none of that name.
    Control* control(std::string_view name, int index = -1) const;

    // --- menu bar -------------------------------------------------------------------------
    // An entry named `name` (unique among the window's entries) at the end of the menu bar;
    // `.in(entry)` moves it into another entry. The bar shows once it has an entry.
    Menu& addMenu(std::string name, const std::string& caption);
    // By name, in any case; nullptr when the window has none.
    Menu* menu(std::string_view name) const;
    QMenuBar* menuBar();

    // --- the window system ----------------------------------------------------------------
    // The window's handle, as the classic window calls take it (translucency.h).
    int32_t hWnd() const { return handle_; }
    // Kept above every other window.
    bool TopMost() const;
    void setTopMost(bool topMost);

    // --- colour key -----------------------------------------------------------------------
    // Used by SetWindowTranslucency and friends (translucency.h).
    void setColourKey(const QColor& key);
    void clearColourKey();
    bool hasColourKey() const;
    QColor colourKey() const;
    // Works out the mask again at once from the whole window.
    void refreshColourKey();
    bool layered() const { return layered_; }
    void setLayered(bool layered) { layered_ = layered; }

    // Called by controls: the pixels in `area` (form pixels) changed.
    void contentChanged(const QRect& area);

  protected:
    virtual void Form_Load() {}
    // Each time this window becomes the program's active window (coming back from another
    // program to the same window does not count).
    virtual void Form_Activate() {}
    // Set cancel to keep the window loaded.
    virtual void Form_Unload(bool& cancel) { (void)cancel; }
    // After the window's size changed, by the user or from code.
    virtual void Form_Resize() {}

  private:
    friend class detail::FormWidget;
    friend void detail::RunInForm(Form&, void (*)(void*), void*);
    enum class State { Created, Loaded, Unloaded };

    // Runs fn as a handler of this window.
    template <class F>
    void dispatch(F fn) {
        detail::RunInForm(
            *this, [](void* f) { (*static_cast<F*>(f))(); }, &fn);
    }

    void adopt(std::unique_ptr<Control> control, int index, const TwipRect& rect);
    void activated();
    bool closeRequested();  // false when cancelled
    void setTimersRunning(bool running);

    std::string name_;
    State state_ = State::Created;
    std::unique_ptr<detail::FormWidget> widget_;
    QWidget* inside_;  // child of the widget
    // Destroyed before the widget, so each control still finds its widget to delete.
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> order_;
    std::vector<std::unique_ptr<Menu>> menus_;
    QMenuBar* menuBar_ = nullptr;  // child of the widget
    int32_t handle_;
    std::unordered_map<std::string, Control*> byName_;
    FormBorderStyle border_ = FormBorderStyle::Sizable;
    QColor backColor_;
    Pointer pointer_ = Pointer::Default;
    bool layered_ = false;
    std::unique_ptr<detail::ColourKeyMask> colourKey_;
    QEventLoop* modalLoop_ = nullptr;
    int busy_ = 0;
};

namespace detail {
// The window whose handler runs innermost now; nullptr when none does.
Form* AskingForm();

// Put around a yield: check() throws Form::Retired when the window of the handler that yields
// was loaded when the yield began and is unloaded (or gone) once it has ended.
class YieldGuard {
  public:
    YieldGuard();
    void check() const;

  private:
    QPointer<QWidget> window_;
    const Form* form_;
    bool wasLive_;
};
}  // namespace detail

// The loaded window with this handle; nullptr when there is none.
Form* FormFromHandle(int32_t hWnd);

// Makes a form of class F and loads it: the usual way to create a window.
template <class F, class... A>
std::unique_ptr<F> LoadForm(A&&... args) {
    auto form = std::make_unique<F>(std::forward<A>(args)...);
    form->Load();
    return form;
}

}  // namespace qor::ui
