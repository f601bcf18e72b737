#include "platform/ui/richtext.h"

#include <QPlainTextEdit>

#include "platform/files.h"
#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace {

// The editor keeps one "\n" between lines.
std::string ToEditorLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ToCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

RichTextBox::RichTextBox(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new QPlainTextEdit(home(form))) {
    editor()->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QPlainTextEdit* RichTextBox::editor() const { return static_cast<QPlainTextEdit*>(widget()); }

std::string RichTextBox::Text() const { return ToCrLf(FromQt(editor()->toPlainText())); }

RichTextBox& RichTextBox::setText(const std::string& text) {
    const std::string wanted = ToEditorLines(text);
    assignVia(FromQt(editor()->toPlainText()), wanted,
              [&] { editor()->setPlainText(ToQt(wanted)); });
    return *this;
}

bool RichTextBox::LoadFile(const std::filesystem::path& file, std::string* why) {
    const std::optional<std::string> bytes = files::ReadRegularFile(file, why);
    if (!bytes) return false;
    setText(*bytes);
    fileName_ = file;
    return true;
}

bool RichTextBox::SaveFile(const std::filesystem::path& file, std::string* why) const {
    return files::ReplaceFile(file, Text(), why);
}

}  // namespace qor::ui
