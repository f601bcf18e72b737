#include "platform/ui/timepicker.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTimeEdit>

#include "platform/ui/form.h"
#include "platform/ui/runtime.h"
#include "platform/ui/widget_support.h"

namespace qor::ui {

namespace detail {

class TimeWidget : public FocusWidget<QTimeEdit> {
  public:
    explicit TimeWidget(QWidget* parent) : FocusWidget(parent) {}
    void attach(DTPicker* picker) { picker_ = picker; }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        QTimeEdit::keyPressEvent(event);
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (picker_ && enter) picker_->closeUp_();
    }

  private:
    DTPicker* picker_ = nullptr;
};

}  // namespace detail

namespace {

QTime ParseTime(const std::string& text) {
    static const QRegularExpression kTime(
        QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*$)"));
    const QRegularExpressionMatch match = kTime.match(ToQt(text));
    if (!match.hasMatch()) return {};
    const int second = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
    return QTime(match.captured(1).toInt(), match.captured(2).toInt(), second);
}

}  // namespace

DTPicker::DTPicker(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new detail::TimeWidget(home(form))) {
    detail::TimeWidget* w = editor();
    w->attach(this);
    w->attachFocus(nullptr, &lostFocus_);
    w->setDisplayFormat(QStringLiteral("H:mm:ss"));
    w->setTime(QTime(0, 0, 0));
    w->setKeyboardTracking(true);
    // Code sets the time with the signals blocked, so this comes from the user alone.
    QObject::connect(w, &QTimeEdit::timeChanged, w, [this](QTime) {
        repaint();
        change_();
    });
}

detail::TimeWidget* DTPicker::editor() const { return static_cast<detail::TimeWidget*>(widget()); }

std::string DTPicker::Value() const {
    return FromQt(editor()->time().toString(QStringLiteral("H:mm:ss")));
}

DTPicker& DTPicker::setValue(const std::string& time) {
    const QTime wanted = ParseTime(time);
    if (!wanted.isValid()) return *this;
    assignVia(editor()->time(), wanted, [&] {
        const QSignalBlocker block(editor());
        editor()->setTime(wanted);
    });
    return *this;
}

}  // namespace qor::ui
