// Controls that hold a value in a range: the slider and the two scroll bars.
#pragma once

#include <string>

#include "platform/ui/control.h"

class QAbstractSlider;

namespace qor::ui {

// What a slider and a scroll bar share: Value between Min and Max, moved by SmallChange (the
// arrows) and LargeChange (a click beside the handle, Page Up / Page Down). Scroll: the user is
// dragging the handle; Change: the user moved it (a drag, once, when the handle is let go).
// LostFocus: the keyboard focus went to another control.
template <class Self>
class RangeControl : public ControlOf<Self> {
  public:
    int Min() const { return min_; }
    int Max() const { return max_; }
    Self& setMin(int min);
    Self& setMax(int max);
    int SmallChange() const;
    int LargeChange() const;
    Self& setSmallChange(int step);
    Self& setLargeChange(int step);
    int Value() const;
    // Kept between the limits.
    Self& setValue(int value);

    QOR_UI_EVENT(Self, onChange, change_)
    QOR_UI_EVENT(Self, onScroll, scroll_)
    QOR_UI_EVENT(Self, onLostFocus, lostFocus_)

  protected:
    RangeControl(Form& form, std::string name, QAbstractSlider* widget, int min, int max);
    // Whether a value set from code raises Change.
    virtual bool codeRaisesChange() const = 0;

  private:
    QAbstractSlider* slider() const;
    void applyRange();

    int min_;
    int max_;
    int pressedValue_ = 0;
    Event<> change_, scroll_, lostFocus_;
};

// The slider: a value set from code raises nothing, so a value read from the device is not sent
// back; only the user's moves raise Change and Scroll. Min 0, Max 10 by design.
class Slider : public RangeControl<Slider> {
  public:
    Slider(ControlKey, Form& form, std::string name);

  private:
    bool codeRaisesChange() const override { return false; }
};

// Scroll bars: Min may be the larger limit, which then lies at the top (left). A value set from
// code raises Change, as the classic scroll bar did. Min 0, Max 32767 by design.
class HScrollBar : public RangeControl<HScrollBar> {
  public:
    HScrollBar(ControlKey, Form& form, std::string name);

  private:
    bool codeRaisesChange() const override { return true; }
};

class VScrollBar : public RangeControl<VScrollBar> {
  public:
    VScrollBar(ControlKey, Form& form, std::string name);

  private:
    bool codeRaisesChange() const override { return true; }
};

extern template class RangeControl<Slider>;
extern template class RangeControl<HScrollBar>;
extern template class RangeControl<VScrollBar>;

}  // namespace qor::ui
