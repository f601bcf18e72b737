#include "platform/ui/dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace {

QMessageBox::StandardButtons QtButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OK:
            return QMessageBox::Ok;
        case MsgButtons::OKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return QMessageBox::NoIcon;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer FirstButton(MsgButtons buttons) {
    return buttons == MsgButtons::OK || buttons == MsgButtons::OKCancel ? MsgAnswer::OK
                                                                        : MsgAnswer::Yes;
}

}  // namespace

MsgAnswer Dialogs::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                          const std::string& title) {
    const detail::YieldGuard guard;
    const MsgAnswer answer = showMsgBox(text, buttons, icon, title);
    guard.check();
    return answer;
}

std::string Dialogs::InputBox(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) {
    const detail::YieldGuard guard;
    std::string text = showInputBox(prompt, title, defaultText);
    guard.check();
    return text;
}

QtDialogs::QtDialogs(std::string defaultTitle, QWidget* parent)
    : defaultTitle_(std::move(defaultTitle)), parent_(parent) {}

QWidget* QtDialogs::owner() const {
    // A window not on the screen (one still loading, or unloaded) cannot hold a box up.
    if (Form* asking = detail::AskingForm(); asking && asking->widget()->isVisible())
        return asking->widget();
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

namespace {
// The window manager keeps a box above its owner; one kept on top is in a layer of its own, so
// its box goes there too.
Qt::WindowFlags BoxFlags(const QWidget* owner) {
    Qt::WindowFlags flags = Qt::Dialog;
    if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        flags |= Qt::WindowStaysOnTopHint;
    return flags;
}
}  // namespace

MsgAnswer QtDialogs::showMsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                const std::string& title) {
    QWidget* parent = owner();
    // On the heap: should the owner go while the box is up, the box goes with it.
    QPointer<QMessageBox> box(
        new QMessageBox(QtIcon(icon), ToQt(title.empty() ? defaultTitle_ : title), ToQt(text),
                        QtButtons(buttons), parent, BoxFlags(parent)));
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(buttons == MsgButtons::OK || buttons == MsgButtons::OKCancel
                              ? QMessageBox::Ok
                              : QMessageBox::Yes);
    const int result = box->exec();
    delete box.data();
    switch (result) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        case QMessageBox::Ok:
            return MsgAnswer::OK;
        default:
            break;
    }
    // Closed with Escape or the window's close button.
    switch (buttons) {
        case MsgButtons::OK:
            return MsgAnswer::OK;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        case MsgButtons::OKCancel:
        case MsgButtons::YesNoCancel:
            return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

std::string QtDialogs::showInputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) {
    bool ok = false;
    QWidget* parent = owner();
    const QString text =
        QInputDialog::getText(parent, ToQt(title.empty() ? defaultTitle_ : title), ToQt(prompt),
                              QLineEdit::Normal, ToQt(defaultText), &ok, BoxFlags(parent));
    return ok ? FromQt(text) : std::string();
}

MsgAnswer ScriptedDialogs::showMsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                      const std::string& title) {
    msgBoxes_.push_back(MsgBoxCall{text, buttons, icon, title});
    yield();
    if (!answers_.empty()) {
        const MsgAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return defaultAnswer_.value_or(FirstButton(buttons));
}

std::string ScriptedDialogs::showInputBox(const std::string& prompt, const std::string& title,
                                          const std::string& defaultText) {
    inputBoxes_.push_back(InputBoxCall{prompt, title, defaultText});
    yield();
    if (!inputs_.empty()) {
        std::string text = std::move(inputs_.front());
        inputs_.pop_front();
        return text;
    }
    return defaultInput_.value_or(defaultText);
}

// Through the kit's own DoEvents, as a real box's loop counts as a yield: a window closed
// meanwhile is let go only once the handler that asked has returned. Two passes, so what the
// first pass starts (a window's unload) runs on while the box is still up, as it would.
void ScriptedDialogs::yield() const {
    if (!yields_ || QCoreApplication::instance() == nullptr) return;
    for (int pass = 0; pass < 2; ++pass) DoEvents();
}

}  // namespace qor::ui
