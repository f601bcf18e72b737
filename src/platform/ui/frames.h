// Frames, which hold controls, and the tab strip laid under them.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/control.h"

class QGroupBox;

namespace qor::ui {

namespace detail {
class TabWidget;
}

// A captioned group box. Controls put in it with `.in(frame)` count their twips from its
// top-left corner, and hide and move with it. Click: the user clicked the frame itself.
class Frame : public ControlOf<Frame>, public Container {
  public:
    Frame(ControlKey, Form& form, std::string name);

    QWidget* inside() const override;
    std::string Caption() const;
    // "&&" shows one "&"; a single "&" marks the access key, as on the classic frame.
    Frame& setCaption(const std::string& caption);

    QOR_UI_EVENT(Frame, onClick, click_)

  private:
    QGroupBox* box() const;
    Event<> click_;
};

}  // namespace qor::ui
