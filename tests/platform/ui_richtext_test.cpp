// The rich text box's text: bytes through a load and a save, and lines longer than a piece as
// the user edits them.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <string>

#include "platform/files.h"
#include "platform/ui/ui.h"
#include "support/files.h"

namespace qor::ui {
namespace {

using qor::test::ReadBytes;
using qor::test::TempFolder;
using qor::test::WriteBytes;
constexpr std::size_t kPiece = RichTextBox::kPiece;

class FrmText : public Form {
  public:
    FrmText() : Form("FrmText") { Move(0, 0, 7000, 5000); }
    RichTextBox& RichTextBox1 = add<RichTextBox>("RichTextBox1", {120, 120, 6000, 4000});
};

class RichTextTest : public ::testing::Test {
  protected:
    void SetUp() override { form.Show(); }
    QPlainTextEdit* editor() { return static_cast<QPlainTextEdit*>(form.RichTextBox1.widget()); }
    FrmText form;
    TempFolder dir;
};

// Every byte but NUL, CR and LF, once each, with a few around it.
std::string EveryOtherByte() {
    std::string bytes;
    for (int b = 1; b <= 0xFF; ++b)
        if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
    return bytes;
}

// A line of `length` characters that says where each of them stands.
std::string Line(std::size_t length) {
    std::string line(length, ' ');
    for (std::size_t i = 0; i < length; ++i) line[i] = static_cast<char>('a' + i % 23);
    return line;
}

TEST_F(RichTextTest, AFileComesBackByteForByteWithCrLfLineEnds) {
    const std::string all = EveryOtherByte();
    std::string big;
    while (big.size() + all.size() <= qor::files::kMaxSettingsFileBytes) big += all;
    const struct {
        const char* name;
        std::string file;
        std::string saved;
    } cases[] = {
        {"every byte from 0x01 to 0xFF, lines ended with CR LF", "[x]\r\n" + all + "\r\n" + all,
         "[x]\r\n" + all + "\r\n" + all},
        {"a non-breaking space stays one",
         "Zone1_Name=Keuken\xA0"
         "1\r\n",
         "Zone1_Name=Keuken\xA0"
         "1\r\n"},
        {"LF and a lone CR end lines as CR LF does", "a\nb\rc\r\n\r\n", "a\r\nb\r\nc\r\n\r\n"},
        {"a line of exactly one piece", Line(kPiece) + "\r\nz", Line(kPiece) + "\r\nz"},
        {"a line a piece and one long", Line(kPiece + 1) + "\r\n", Line(kPiece + 1) + "\r\n"},
        {"a 4 MiB line of every byte", big, big},
        {"an empty file", "", ""},
    };
    for (const auto& c : cases) {
        WriteBytes(dir / "in.ini", c.file);
        ASSERT_TRUE(form.RichTextBox1.LoadFile(dir / "in.ini")) << c.name;
        ASSERT_TRUE(form.RichTextBox1.SaveFile(dir / "out.ini")) << c.name;
        EXPECT_TRUE(ReadBytes(dir / "out.ini") == c.saved) << c.name;
    }
}

// A long line is cut for the screen only: what the user types, deletes or breaks lands in the
// text where the cursor showed it, and no cut turns into a line end or is lost.
TEST_F(RichTextTest, EditsInALongLineLandWhereTheyWereMade) {
    const std::string line = Line(2 * kPiece + 10);
    const std::string head = line.substr(0, kPiece), tail = line.substr(kPiece);
    const int end = static_cast<int>(kPiece);
    const struct {
        const char* name;
        int block;  // the long line's pieces are blocks 1 to 3
        int column;
        Qt::Key key;
        std::string text;
    } cases[] = {
        {"a character typed in the second piece", 2, 0, Qt::Key_Z,
         "x\r\n" + head + "z" + tail + "\r\ny"},
        {"Enter inside the second piece", 2, 5, Qt::Key_Return,
         "x\r\n" + head + tail.substr(0, 5) + "\r\n" + tail.substr(5) + "\r\ny"},
        {"Enter at the end of the first piece", 1, end, Qt::Key_Return,
         "x\r\n" + head + "\r\n" + tail + "\r\ny"},
        {"Enter at the start of the second piece", 2, 0, Qt::Key_Return,
         "x\r\n" + head + "\r\n" + tail + "\r\ny"},
        {"Backspace at the start of a piece takes no character", 2, 0, Qt::Key_Backspace,
         "x\r\n" + line + "\r\ny"},
        {"Delete at the end of the line before joins the two lines", 0, 1, Qt::Key_Delete,
         "x" + line + "\r\ny"},
        {"Backspace at the start of the next line joins it to the long line", 4, 0,
         Qt::Key_Backspace, "x\r\n" + line + "y"},
    };
    for (const auto& c : cases) {
        form.RichTextBox1.setText("x\r\n" + line + "\r\ny");
        QTextCursor cursor(editor()->document()->findBlockByNumber(c.block));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, c.column);
        editor()->setTextCursor(cursor);
        QTest::keyClick(editor(), c.key);
        EXPECT_EQ(form.RichTextBox1.Text(), c.text) << c.name;
    }
}

}  // namespace
}  // namespace qor::ui
