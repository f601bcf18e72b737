// The drag scheme on a plain window with more controls than the hidden list holds, and with the
// exclusion lists the panels give it.
#include "panel/panel_scheme.h"

#include <gtest/gtest.h>

#include "platform/ui/controls.h"

namespace qor::panel {
namespace {

class ManyControls : public ui::Form {
  public:
    ManyControls() : Form("ManyControls") {
        skin = &add<ui::Image>("Image1", {0, 0, 3000, 1500});
        hint = &add<ui::Label>("Label16", {100, 100, 600, 200});
        for (int i = 1; i <= 55; ++i)
            labels.push_back(&add<ui::Label>("lbl" + std::to_string(i), {i * 30.0, 400, 300, 200}));
        timer = &add<ui::Timer>("Timer1");
    }
    ui::Image* skin;
    ui::Label* hint;
    std::vector<ui::Label*> labels;
    ui::Timer* timer;
};

TEST(PanelScheme, HidesAndRestoresAtMostFiftyControlsPerDrag) {
    ManyControls form;
    SharedState state;
    state.iv.HiddenCtlNames[50] = "LEFT ALONE";
    state.iv.HiddenCtlNames[3] = "STALE";

    DragStart(form, state, *form.skin, 15, 30, {"image1", "Label16", "TIMER1"});
    EXPECT_EQ(state.vq.DragActive, 1);
    EXPECT_EQ(state.vq.DragStartX, 15);
    EXPECT_EQ(state.vq.DragStartY, 30);
    EXPECT_TRUE(form.hint->Visible());
    EXPECT_TRUE(form.skin->Visible());
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(state.iv.HiddenCtlNames[i], "LBL" + std::to_string(i + 1));
        EXPECT_FALSE(form.labels[i]->Visible());
    }
    EXPECT_EQ(state.iv.HiddenCtlNames[50], "LEFT ALONE");
    for (int i = 50; i < 55; ++i) EXPECT_TRUE(form.labels[i]->Visible()) << i;

    // The skin was dragged 90 twips right and 45 up (to an odd place in between).
    form.skin->Move(90.4, -45);
    form.labels[0]->setVisible(false);
    const Shift shift = DragEnd(form, state, *form.skin, {"IMAGE1", "TIMER1", "TIMER2"});
    EXPECT_EQ(shift.dx, 90);
    EXPECT_EQ(shift.dy, -45);
    EXPECT_EQ(state.vq.DragActive, 0);
    for (int i = 0; i < 55; ++i) {
        EXPECT_TRUE(form.labels[i]->Visible()) << i;
        EXPECT_DOUBLE_EQ(form.labels[i]->Left(), (i + 1) * 30.0 + 90) << i;
        EXPECT_DOUBLE_EQ(form.labels[i]->Top(), 355) << i;
    }
    // The hint is not exempt from the shift, and the skin stays where the pointer left it.
    EXPECT_DOUBLE_EQ(form.hint->Left(), 190);
    EXPECT_DOUBLE_EQ(form.skin->Left(), 90.4);
}

// A label off the skin is made large enough for its caption: on one line where the window has
// room, wrapped onto more lines before the window's edge otherwise; never smaller than it was.
TEST(PanelScheme, OffSkinLabelGrowsToHoldItsCaption) {
    ui::Form form("Panel");
    form.Move(0, 0, 9000, 4500);
    const std::string hint =
        "To re-locate this control panel : move mouse to the new position and release it ";
    auto* label = &form.add<ui::Label>("Label16", {0, 0, 0, 0});
    const auto look = [&](ui::TwipRect place) {
        label->Move(place);
        label->setCaption(hint);
        OffSkinLook(*label);
        return ui::TwipRect{label->Left(), label->Top(), label->Width(), label->Height()};
    };
    const ui::TwipRect wide = look({300, 600, 600, 120});
    const double line = wide.height;
    EXPECT_GT(wide.width, 600);
    EXPECT_LT(wide.left + wide.width, 9000);
    EXPECT_DOUBLE_EQ(wide.top, 600);

    const ui::TwipRect big = look({300, 0, 8400, 900});  // already large enough: left alone
    EXPECT_DOUBLE_EQ(big.width, 8400);
    EXPECT_DOUBLE_EQ(big.height, 900);

    const ui::TwipRect edge = look({6000, 0, 600, 120});  // little room left
    EXPECT_DOUBLE_EQ(edge.left + edge.width, 9000);
    EXPECT_GT(edge.height, line);  // wrapped

    EXPECT_EQ(label->backStyle(), ui::BackStyle::Opaque);
    EXPECT_NE(label->BackColor(), ColourKey());

    auto* field = &form.add<ui::TextBox>("Text1", {0, 2000, 3000, 300});
    OffSkinLook(*field);
    EXPECT_EQ(field->BackColor(), OffSkinBacking());
    EXPECT_EQ(field->ForeColor(), OffSkinText());
    EXPECT_DOUBLE_EQ(field->Width(), 3000);
}

}  // namespace
}  // namespace qor::panel
