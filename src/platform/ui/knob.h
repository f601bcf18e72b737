// The rotary knob of the amplifier panels: turned with the mouse (around the knob, or up and
// down from its cap), the wheel and the keys, drawn dark and metallic on a transparent ground.
#pragma once

#include <string>

#include "platform/ui/control.h"

namespace qor::ui {

namespace detail {
class KnobWidget;
}

class IKnobX : public ControlOf<IKnobX> {
  public:
    IKnobX(ControlKey, Form& form, std::string name);

    double Position() const { return position_; }
    // Clamped to PositionMin..PositionMax. Set from code it raises nothing, so a value read
    // from the device is never sent back; only the user's moves raise PositionChange.
    IKnobX& setPosition(double position);
    double PositionMin() const { return min_; }
    double PositionMax() const { return max_; }
    IKnobX& setPositionMin(double min);
    IKnobX& setPositionMax(double max);

    // Arrow keys; Page Up / Page Down; one notch of the wheel.
    double KeyArrowStepSize() const { return arrowStep_; }
    double KeyPageStepSize() const { return pageStep_; }
    double MouseWheelStepSize() const { return wheelStep_; }
    IKnobX& setKeyArrowStepSize(double step);
    IKnobX& setKeyPageStepSize(double step);
    IKnobX& setMouseWheelStepSize(double step);

    QOR_UI_EVENT(IKnobX, onPositionChange, positionChange_)

  private:
    friend class detail::KnobWidget;
    // The user moved the knob: the new position, clamped, raising PositionChange.
    void userMove(double position);
    // A step from the keys or the wheel, kept free of binary rounding dust.
    void stepBy(double delta);
    double clamped(double position) const;

    Event<> positionChange_;
    double position_ = 0.0;
    double min_ = 0.0;
    double max_ = 100.0;
    double arrowStep_ = 0.1;
    double pageStep_ = 1.0;
    double wheelStep_ = 1.0;
};

}  // namespace qor::ui
