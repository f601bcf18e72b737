// The rotary knob of the amplifier panels: turned with the mouse (around the knob, or up and
// down from its cap), the wheel and the keys, drawn dark and metallic on a transparent ground.
#pragma once

#include <functional>
#include <string>

#include "platform/ui/control.h"

namespace qor::ui {

namespace detail {
class KnobWidget;
}

class IKnobX : public Control {
  public:
    IKnobX(ControlKey, Form& form, std::string name);

    double Position() const { return position_; }
    // Clamped to PositionMin..PositionMax. Raises nothing: only the user's moves do, so a value
    // the program shows (one read from the device) is never sent back as if the user chose it.
    void setPosition(double position);
    double PositionMin() const { return min_; }
    double PositionMax() const { return max_; }
    void setPositionMin(double min);
    void setPositionMax(double max);

    // Arrow keys; Page Up / Page Down; one notch of the wheel.
    double KeyArrowStepSize() const { return arrowStep_; }
    double KeyPageStepSize() const { return pageStep_; }
    double MouseWheelStepSize() const { return wheelStep_; }
    void setKeyArrowStepSize(double step) { arrowStep_ = step; }
    void setKeyPageStepSize(double step) { pageStep_ = step; }
    void setMouseWheelStepSize(double step) { wheelStep_ = step; }

    // The user turned the knob (mouse, wheel, keys) to a new position.
    std::function<void()> onPositionChange;

  private:
    friend class detail::KnobWidget;
    // Clamps and stores; true when the position really changed.
    bool store(double position);
    // A move of the mouse, wheel or keys: raises onPositionChange when the position changed.
    void moveByUser(double position);
    // A step from the keys or the wheel, kept free of binary rounding dust.
    void stepBy(double delta);

    double position_ = 0.0;
    double min_ = 0.0;
    double max_ = 100.0;
    double arrowStep_ = 0.1;
    double pageStep_ = 1.0;
    double wheelStep_ = 1.0;
};

}  // namespace qor::ui
