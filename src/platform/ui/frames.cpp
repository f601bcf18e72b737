#include "platform/ui/frames.h"

#include <QGroupBox>
#include <QMouseEvent>

#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace {

class FrameWidget : public QGroupBox {
  public:
    FrameWidget(QWidget* parent, const Event<>& click) : QGroupBox(parent), click_(click) {}

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QGroupBox::mouseReleaseEvent(event);
        if (isEnabled() && rect().contains(event->position().toPoint())) click_();
    }

  private:
    const Event<>& click_;
};

}  // namespace

Frame::Frame(ControlKey, Form& form, std::string name) : ControlOf(form, std::move(name), nullptr) {
    adoptWidget(new FrameWidget(home(form), click_));
}

QGroupBox* Frame::box() const { return static_cast<QGroupBox*>(widget()); }
QWidget* Frame::inside() const { return widget(); }

std::string Frame::Caption() const { return FromQt(box()->title()); }

Frame& Frame::setCaption(const std::string& caption) {
    assignVia(Caption(), caption, [&] { box()->setTitle(ToQt(caption)); });
    return *this;
}

}  // namespace qor::ui
