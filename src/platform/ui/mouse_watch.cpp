#include "platform/ui/mouse_watch.h"

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

#include "platform/ui/widget_support.h"

namespace qor::ui {

namespace {

class MoveWatch : public QObject {
  public:
    MoveWatch(QWidget* widget, Form& form, std::function<void(int, int, double, double)> handler)
        : QObject(widget) {
        event_.set(std::move(handler), &form);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            detail::RaiseMouse(event_, *static_cast<QMouseEvent*>(event), true);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    MouseEvent event_;
};

}  // namespace

void WatchMouseMove(Control& control, std::function<void(int, int, double, double)> handler) {
    QWidget* widget = control.widget();
    if (!widget) return;
    widget->setMouseTracking(true);
    widget->installEventFilter(new MoveWatch(widget, control.Parent(), std::move(handler)));
}

void SetCapture(Control& control) {
    if (QWidget* widget = control.widget(); widget && widget->isVisible()) widget->grabMouse();
}

void ReleaseCapture() {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

}  // namespace qor::ui
