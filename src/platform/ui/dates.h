// Date controls: the month calendar.
#pragma once

#include <string>

#include "platform/ui/control.h"

class QCalendarWidget;

namespace qor::ui {

// A month calendar showing one chosen date (today by design).
class Calendar : public ControlOf<Calendar> {
  public:
    Calendar(ControlKey, Form& form, std::string name);

    int Day() const;
    int Month() const;
    int Year() const;
    // A date that does not exist leaves the calendar as it was and returns false.
    bool setDate(int year, int month, int day);
    // "day/month/year", as the classic control took a date text; false for any other text or a
    // date that does not exist.
    bool setValue(const std::string& dayMonthYear);

  private:
    QCalendarWidget* calendar() const;
};

}  // namespace qor::ui
