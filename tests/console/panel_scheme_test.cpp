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
        skin = Add<ui::Image>("Image1", {0, 0, 3000, 1500});
        hint = Add<ui::Label>("Label16", {100, 100, 600, 200});
        for (int i = 1; i <= 55; ++i)
            labels.push_back(Add<ui::Label>("lbl" + std::to_string(i), {i * 30.0, 400, 300, 200}));
        timer = Add<ui::Timer>("Timer1");
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

}  // namespace
}  // namespace qor::panel
