// The cell editors used with the mouse on a desktop with a window manager: a double-click on the
// cell, a click on the list's arrow and on an entry, on the time picker's step button, on the
// slider's track; the cell takes what was chosen.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

#include "platform/ui/runtime.h"
#include "schedule/frm_events.h"
#include "support/desktop.h"
#include "support/menu_fixture.h"
#include "support/ui_events.h"

namespace qor::test {
namespace {

using ui::test::RunUntil;

class EditorMouseTest : public MenuTest {
  protected:
    void SetUp() override {
        if (!g_desktopMissing.empty()) GTEST_SKIP() << g_desktopMissing;
        MenuTest::SetUp();
        state.vq.DeviceModel = "QOR 82";
        editor = std::make_unique<FrmEvents>(ctx);
        editor->Load();
        editor->Show();
        ASSERT_TRUE(RunUntil([&] { return QApplication::activeWindow() == editor->widget(); }));
    }
    QPoint CellMiddle(int row, int col) {
        auto* table = static_cast<QTableWidget*>(editor->MSFlexGrid1.widget());
        const QRect r = table->visualRect(table->model()->index(row, col));
        return table->viewport()->mapToGlobal(r.center());
    }
    std::string Cell(int row, int col) { return editor->MSFlexGrid1.TextMatrix(row, col); }

    std::unique_ptr<FrmEvents> editor;
};

TEST_F(EditorMouseTest, ZoneAndSourceListsTakeTheEntryPicked) {
    ClickAt(CellMiddle(3, 9), 2);
    ASSERT_TRUE(editor->Combo1.Visible());
    Choose(editor->Combo1, "3");
    EXPECT_TRUE(RunUntil([&] { return Cell(3, 9) == "3"; }));
    EXPECT_FALSE(editor->Combo1.Visible());

    ClickAt(CellMiddle(3, 10), 2);
    EXPECT_EQ(Cell(3, 10), "On");
    ClickAt(CellMiddle(3, 11), 2);
    ASSERT_TRUE(editor->Combo2.Visible());
    Choose(editor->Combo2, "Preset 2");
    EXPECT_TRUE(RunUntil([&] { return Cell(3, 11) == "Preset 2"; }));
    EXPECT_FALSE(editor->Combo2.Visible());
}

// The list opened, then a click elsewhere: the focus really moves, and the editor goes with
// nothing chosen.
TEST_F(EditorMouseTest, AClickElsewhereWithTheListOpenHidesTheZoneList) {
    const std::string zone = Cell(3, 9);
    ClickAt(CellMiddle(3, 9), 2);
    ASSERT_TRUE(editor->Combo1.Visible());
    auto* box = static_cast<QComboBox*>(editor->Combo1.widget());
    ClickAt(box->mapToGlobal(QPoint(box->width() - 6, box->height() / 2)));
    ASSERT_TRUE(RunUntil([&] { return box->view()->isVisible(); }));
    EXPECT_TRUE(editor->Combo1.Visible());
    // Once to close the list, once more on the cell.
    ClickAt(CellMiddle(6, 2));
    ClickAt(CellMiddle(6, 2));
    EXPECT_TRUE(RunUntil([&] { return !editor->Combo1.Visible(); }));
    EXPECT_EQ(Cell(3, 9), zone);
}

TEST_F(EditorMouseTest, TimePickerAndSliderWriteTheCell) {
    ClickAt(CellMiddle(5, 8), 2);
    ASSERT_TRUE(editor->DTPicker1.Visible());
    auto* time = static_cast<QTimeEdit*>(editor->DTPicker1.widget());
    // The hour section, then the step-up button.
    ClickAt(time->mapToGlobal(QPoint(8, time->height() / 2)));
    ClickAt(time->mapToGlobal(QPoint(time->width() - 6, time->height() / 4)));
    EXPECT_TRUE(RunUntil([&] { return Cell(5, 8) == "1:00:00"; })) << Cell(5, 8);

    ClickAt(CellMiddle(5, 12), 2);
    ASSERT_TRUE(editor->Slider1.Visible());
    // Beside its cell, not over it.
    EXPECT_GE(editor->Slider1.Left(),
              editor->MSFlexGrid1.ColPos(12) + editor->MSFlexGrid1.ColWidth(12));
    EXPECT_FALSE(editor->DTPicker1.Visible());
    QWidget* slider = editor->Slider1.widget();
    // The handle, at 0 on the left, dragged to the right.
    const int middle = slider->height() / 2;
    DragFromTo(slider->mapToGlobal(QPoint(5, middle)),
               slider->mapToGlobal(QPoint(slider->width() * 3 / 4, middle)));
    EXPECT_GT(editor->Slider1.Value(), 0);
    EXPECT_EQ(Cell(5, 12), std::to_string(editor->Slider1.Value()));
}

}  // namespace
}  // namespace qor::test
