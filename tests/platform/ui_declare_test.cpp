// The way windows are declared and the rule every property follows: a window's controls in one
// line each, arrays whose handlers get the index, frames that carry their controls, and events
// raised by code only on a real change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

class FrmSample : public Form {
  public:
    FrmSample() : Form("FrmSample") { Move(0, 0, 9000, 6000); }

    std::vector<std::string> log;

    Frame& Frame1 = add<Frame>("Frame1", {300, 300, 4500, 3000}).setCaption("Zone Parameters");
    Array<Frame> Frame2 =
        addArray<Frame>("Frame2", {{150, 450, 2000, 1500}, {2250, 450, 2000, 1500}})
            .in(Frame1)
            .onClick(this, &FrmSample::Frame2_Click);
    Array<Label> Label4 = addArray<Label>("Label4", {{120, 240, 900, 255}, {120, 240, 900, 255}}, 1)
                              .each([this](Label& l, int i) { l.in(Frame2[i - 1]); })
                              .onMouseDown(this, &FrmSample::Label4_MouseDown);
    CheckBox& Check1 = add<CheckBox>("Check1", {120, 600, 1500, 255})
                           .in(Frame2[0])
                           .setCaption("Viewing on/off")
                           .onClick(this, &FrmSample::Check1_Click);
    ComboBox& Combo1 = add<ComboBox>("Combo1", {5000, 300, 1500, 315})
                           .AddItem("High")
                           .AddItem("Mid")
                           .onClick(this, &FrmSample::Combo1_Click)
                           .onChange(this, &FrmSample::Combo1_Change);
    TextBox& Text1 =
        add<TextBox>("Text1", {5000, 900, 1500, 315}).onChange(this, &FrmSample::Text1_Change);
    IKnobX& iKnobX1 = add<IKnobX>("iKnobX1", {5000, 1500, 1500, 1500})
                          .setPositionMax(10)
                          .onPositionChange(this, &FrmSample::iKnobX1_PositionChange);

    void Frame2_Click(int Index) { log.push_back("Frame2_Click " + std::to_string(Index)); }
    void Label4_MouseDown(int Index, int Button, int, double, double) {
        log.push_back("Label4_MouseDown " + std::to_string(Index) + " " + std::to_string(Button));
    }
    void Check1_Click() { log.push_back("Check1_Click " + std::to_string(Check1.Value())); }
    void Combo1_Click() { log.push_back("Combo1_Click " + std::to_string(Combo1.ListIndex())); }
    void Combo1_Change() { log.push_back("Combo1_Change " + Combo1.Text()); }
    void Text1_Change() { log.push_back("Text1_Change " + Text1.Text()); }
    void iKnobX1_PositionChange() { log.push_back("iKnobX1_PositionChange"); }
};

using Lines = std::vector<std::string>;

class DeclareTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Show();
        QApplication::setActiveWindow(form.widget());
    }
    FrmSample form;
};

TEST_F(DeclareTest, ValuesSetFromCodeRaiseTheirEventOnlyWhenTheyChange) {
    struct Case {
        const char* what;
        std::function<void()> set;
        Lines raised;
    };
    const Case cases[] = {
        {"tick", [&] { form.Check1.setValue(1); }, {"Check1_Click 1"}},
        {"tick again", [&] { form.Check1.setValue(1); }, {}},
        {"any non-zero ticks", [&] { form.Check1.setValue(5); }, {}},
        {"clear", [&] { form.Check1.setValue(0); }, {"Check1_Click 0"}},
        {"choose", [&] { form.Combo1.setListIndex(1); }, {"Combo1_Click 1"}},
        {"choose again", [&] { form.Combo1.setListIndex(1); }, {}},
        {"out of the list", [&] { form.Combo1.setListIndex(7); }, {}},
        {"other text", [&] { form.Combo1.setText("Hr"); }, {"Combo1_Change Hr"}},
        {"same text", [&] { form.Combo1.setText("Hr"); }, {}},
        {"text box", [&] { form.Text1.setText("Zone 1"); }, {"Text1_Change Zone 1"}},
        {"same text box", [&] { form.Text1.setText("Zone 1"); }, {}},
        {"knob", [&] { form.iKnobX1.setPosition(4); }, {}},
        {"caption", [&] { form.Frame1.setCaption("Clock && date"); }, {}},
    };
    for (const Case& c : cases) {
        form.log.clear();
        c.set();
        EXPECT_EQ(form.log, c.raised) << c.what;
    }
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.Combo1.ListIndex(), -1) << "text that names no item chooses none";
    EXPECT_EQ(form.iKnobX1.Position(), 4);
}

TEST_F(DeclareTest, UserChangesRaiseOncePerChange) {
    form.Check1.widget()->setFocus();
    QTest::mouseClick(form.Check1.widget(), Qt::LeftButton, {}, QPoint(5, 8));
    QTest::keyClick(form.Combo1.widget(), Qt::Key_Down);
    form.iKnobX1.widget()->setFocus();
    QTest::keyClick(form.iKnobX1.widget(), Qt::Key_PageUp);
    QTest::keyClick(form.iKnobX1.widget(), Qt::Key_Home);
    QTest::keyClick(form.iKnobX1.widget(), Qt::Key_Home);  // already at the start
    EXPECT_EQ(form.log, (Lines{"Check1_Click 1", "Combo1_Click 0", "iKnobX1_PositionChange",
                               "iKnobX1_PositionChange"}));
}

TEST_F(DeclareTest, ArrayHandlersGetTheIndexAndElementsAreFoundByNameAndIndex) {
    EXPECT_EQ(form.Label4.LBound(), 1);
    EXPECT_EQ(form.Label4.UBound(), 2);
    EXPECT_EQ(&form.Label4(2), &form.Label4[2]);
    EXPECT_EQ(form.Label4[2].Index(), 2);
    EXPECT_EQ(form.control("frame2", 1), &form.Frame2[1]);
    EXPECT_EQ(form.control("Frame2"), nullptr) << "an array element needs its index";
    EXPECT_THROW(form.Frame2[2], std::out_of_range);

    QTest::mouseClick(form.Frame2[1].widget(), Qt::LeftButton, {}, QPoint(60, 60));
    QTest::mousePress(form.Label4[2].widget(), Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(form.log, (Lines{"Frame2_Click 1", "Label4_MouseDown 2 2"}));
}

TEST_F(DeclareTest, AContainedControlCountsFromItsFrameAndHidesAndMovesWithIt) {
    Label& label = form.Label4[2];
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    auto onForm = [&] { return label.widget()->mapTo(form.widget(), QPoint(0, 0)); };
    EXPECT_EQ(label.Left(), 120);
    EXPECT_EQ(onForm(), QPoint(int((300 + 2250 + 120) / tx), int((300 + 450 + 240) / ty)));

    form.Frame2[1].Move(150, 450);  // onto the first zone frame, as the settings panel does
    EXPECT_EQ(onForm(), QPoint(int((300 + 150 + 120) / tx), int((300 + 450 + 240) / ty)));
    EXPECT_EQ(label.Left(), 120) << "its own place does not change";

    form.Frame1.setVisible(false);
    EXPECT_TRUE(label.Visible()) << "its own setting stands";
    EXPECT_FALSE(label.widget()->isVisible());
    EXPECT_FALSE(form.Check1.widget()->isVisible());
    form.Frame1.setVisible(true);
    form.Frame2[1].setVisible(false);
    EXPECT_FALSE(label.widget()->isVisible());
    EXPECT_TRUE(form.Check1.widget()->isVisible());
}

}  // namespace
}  // namespace qor::ui
