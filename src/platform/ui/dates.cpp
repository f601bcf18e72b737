#include "platform/ui/dates.h"

#include <QCalendarWidget>
#include <QDate>
#include <charconv>
#include <string_view>

#include "platform/ui/form.h"

namespace qor::ui {

Calendar::Calendar(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new QCalendarWidget(home(form))) {
    calendar()->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
}

QCalendarWidget* Calendar::calendar() const { return static_cast<QCalendarWidget*>(widget()); }

int Calendar::Day() const { return calendar()->selectedDate().day(); }
int Calendar::Month() const { return calendar()->selectedDate().month(); }
int Calendar::Year() const { return calendar()->selectedDate().year(); }

bool Calendar::setDate(int year, int month, int day) {
    const QDate date(year, month, day);
    if (!date.isValid()) return false;
    assignVia(calendar()->selectedDate(), date, [&] { calendar()->setSelectedDate(date); });
    return true;
}

bool Calendar::setValue(const std::string& dayMonthYear) {
    int parts[3] = {0, 0, 0};
    std::string_view rest(dayMonthYear);
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = i < 2 ? rest.find('/') : rest.size();
        if (end == std::string_view::npos || end == 0) return false;
        const std::string_view digits = rest.substr(0, end);
        const auto [ptr, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), parts[i]);
        if (ec != std::errc() || ptr != digits.data() + digits.size()) return false;
        rest.remove_prefix(i < 2 ? end + 1 : end);
    }
    return setDate(parts[2], parts[1], parts[0]);
}

}  // namespace qor::ui
