#include "platform/ui/richtext.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <vector>

#include "platform/files.h"
#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace {

// Marks a block whose line goes on in the next block: the two are one line of the text, cut
// only for the screen. The mark is kept on the earlier block because joining two blocks (a
// deleted line end) leaves the later block's mark, which then tells rightly where the joined
// block's line goes on.
constexpr int kLineGoesOn = 1;

// Splitting a block (a line end typed or pasted into it) leaves its mark on the first part; the
// mark belongs to the last part, the first now ending with the new line end.
void MoveMarkPastNewLineEnds(QTextDocument* document, int position, int added) {
    const QTextBlock first = document->findBlock(position);
    const QTextBlock last =
        document->findBlock(std::min(position + added, document->characterCount() - 1));
    if (!first.isValid() || !last.isValid() || first == last) return;
    QTextBlock(last).setUserState(first.userState());
    QTextBlock(first).setUserState(-1);
}

// The text as the editor takes it: one "\n" between lines, a line longer than kPiece cut into
// pieces, and the numbers of the blocks whose line goes on in the next block.
struct EditorText {
    std::string text;
    std::vector<int> continued;
};

EditorText ToEditor(const std::string& text) {
    EditorText out;
    out.text.reserve(text.size() + text.size() / RichTextBox::kPiece);
    int block = 0;
    std::size_t lineLength = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.text += '\n';
            ++block;
            lineLength = 0;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            continue;
        }
        if (lineLength == RichTextBox::kPiece) {
            out.text += '\n';
            out.continued.push_back(block++);
            lineLength = 0;
        }
        out.text += c;
        ++lineLength;
    }
    return out;
}

// CR LF, LF and CR all become CR LF, as Text() gives them.
std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

RichTextBox::RichTextBox(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new QPlainTextEdit(home(form))) {
    editor()->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QTextDocument* document = editor()->document();
    QObject::connect(document, &QTextDocument::contentsChange, editor(),
                     [document](int position, int, int added) {
                         MoveMarkPastNewLineEnds(document, position, added);
                     });
}

QPlainTextEdit* RichTextBox::editor() const { return static_cast<QPlainTextEdit*>(widget()); }

std::string RichTextBox::Text() const {
    const QTextDocument* document = editor()->document();
    std::string text;
    text.reserve(static_cast<std::size_t>(document->characterCount()) +
                 static_cast<std::size_t>(document->blockCount()));
    // Block by block, not toPlainText(): that turns a non-breaking space into a blank.
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        text += FromQt(b.text());
        if (b.next().isValid() && b.userState() != kLineGoesOn) text += "\r\n";
    }
    return text;
}

RichTextBox& RichTextBox::setText(const std::string& text) {
    if (WithCrLf(text) == Text()) return *this;
    const EditorText wanted = ToEditor(text);
    QTextDocument* document = editor()->document();
    editor()->setPlainText(ToQt(wanted.text));
    for (int number : wanted.continued)
        document->findBlockByNumber(number).setUserState(kLineGoesOn);
    // Undoing the join of two pieces would bring back a line end where the cut was.
    editor()->setUndoRedoEnabled(wanted.continued.empty());
    repaint();
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
