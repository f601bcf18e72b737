// Inside the window kit: what several families of controls share (the classic mouse events on
// a widget, colours and alignment). Window code does not include this.
#pragma once

#include <QMouseEvent>
#include <QPalette>
#include <QWidget>
#include <initializer_list>

#include "platform/ui/control.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

// Click, DblClick and the three mouse events of the controls that take the mouse.
struct MouseEvents {
    Event<> click;
    Event<> dblClick;
    MouseEvent down;
    MouseEvent move;
    MouseEvent up;
};

// A control that takes the mouse: a label or a picture.
template <class Self>
class MouseControl : public ControlOf<Self> {
  public:
    QOR_UI_EVENT(Self, onClick, mouse_.click)
    QOR_UI_EVENT(Self, onDblClick, mouse_.dblClick)
    QOR_UI_EVENT(Self, onMouseDown, mouse_.down, int, int, double, double)
    QOR_UI_EVENT(Self, onMouseMove, mouse_.move, int, int, double, double)
    QOR_UI_EVENT(Self, onMouseUp, mouse_.up, int, int, double, double)

  protected:
    using ControlOf<Self>::ControlOf;
    MouseEvents mouse_;
};

namespace detail {

int ClassicButton(Qt::MouseButton button);
int ClassicButtons(Qt::MouseButtons buttons);
int ClassicShift(Qt::KeyboardModifiers modifiers);
void RaiseMouse(const MouseEvent& event, const QMouseEvent& qt, bool movement);
Qt::Alignment QtAlignment(Alignment alignment);
QColor PaletteColour(const QWidget& widget, QPalette::ColorRole role);
void SetPaletteColour(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles,
                      const QColor& colour);

// The classic Click, DblClick and mouse events on a widget. A press and release over the
// control make a Click (any button); the second press of a double click is a DblClick instead.
// The events live on the control, which is finished after its widget, hence attachEvents().
template <class Base>
class MouseWidget : public Base {
  public:
    explicit MouseWidget(QWidget* parent) : Base(parent) { Base::setMouseTracking(true); }
    void attachEvents(MouseEvents* events) { events_ = events; }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (!events_ || !Base::isEnabled()) return;
        pressed_ = true;
        RaiseMouse(events_->down, *event, false);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!events_ || !Base::isEnabled()) return;
        RaiseMouse(events_->move, *event, true);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!events_ || !Base::isEnabled()) return;
        const bool click = pressed_ && Base::rect().contains(event->position().toPoint());
        pressed_ = false;
        RaiseMouse(events_->up, *event, false);
        if (click) events_->click();
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        if (!events_ || !Base::isEnabled()) return;
        pressed_ = false;
        events_->dblClick();
    }

  private:
    MouseEvents* events_ = nullptr;
    bool pressed_ = false;
};

// GotFocus and LostFocus, the one way every control raises them: when the keyboard focus comes
// from or goes to another control. A pop-up (a combo box's own list, a menu) takes the focus
// only for a while: opening it, choosing in it and closing it are neither a loss nor a gain.
class FocusTracker {
  public:
    virtual ~FocusTracker() = default;
    // Either may be null.
    void attachFocus(const Event<>* got, const Event<>* lost) {
        got_ = got;
        lost_ = lost;
    }

  protected:
    // After the widget has taken its focus event.
    void focusMoved(const QEvent& event);

  private:
    const Event<>* got_ = nullptr;
    const Event<>* lost_ = nullptr;
    // The focus is in a pop-up opened while the control had it.
    bool inPopup_ = false;
};

template <class Base>
class FocusWidget : public Base, public FocusTracker {
  public:
    using Base::Base;

  protected:
    // After the widget's own focusInEvent / focusOutEvent, which subclasses may override.
    bool event(QEvent* event) override {
        const bool handled = Base::event(event);
        focusMoved(*event);
        return handled;
    }
};

}  // namespace detail
}  // namespace qor::ui
