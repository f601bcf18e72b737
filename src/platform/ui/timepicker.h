// The date/time picker, used for a time of day.
#pragma once

#include <string>

#include "platform/ui/control.h"

namespace qor::ui {

namespace detail {
class TimeWidget;
}

// A time of day, shown and typed as hour:minute:second. Change: the user changed the value (a
// value set from code raises nothing). CloseUp: the user ended the edit with Enter. LostFocus:
// the picker lost the keyboard focus.
class DTPicker : public ControlOf<DTPicker> {
  public:
    DTPicker(ControlKey, Form& form, std::string name);

    // "7:30:00": the hour without a leading zero, minutes and seconds with one.
    std::string Value() const;
    // Takes "h:mm" or "h:mm:ss" (blanks around it allowed, leading zeros or none); a text that
    // is no time of day leaves the value as it was.
    DTPicker& setValue(const std::string& time);

    QOR_UI_EVENT(DTPicker, onChange, change_)
    QOR_UI_EVENT(DTPicker, onCloseUp, closeUp_)
    QOR_UI_EVENT(DTPicker, onLostFocus, lostFocus_)

  private:
    friend class detail::TimeWidget;
    detail::TimeWidget* editor() const;
    Event<> change_, closeUp_, lostFocus_;
};

}  // namespace qor::ui
