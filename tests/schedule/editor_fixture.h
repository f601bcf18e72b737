// The schedule editor in a fresh program folder with scripted dialogs, for the offscreen tests of
// its cells, files and transfers: opened on a model, cells double-clicked and read as the grid
// holds them.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "link/commands.h"
#include "platform/ui/runtime.h"
#include "schedule/frm_events.h"
#include "support/menu_fixture.h"

namespace qor::test {

// What a grid without a single day writes: the clear line and the no-day line of each event.
inline std::string EmptyGridFile() {
    std::string text;
    for (int n = 1; n <= 16; ++n)
        text += cmd::EvtClr(Pad2(n)) + "\r\n*EVT,SET," + std::to_string(n) +
                ",0000000,00,00,0,0,1,00,0;\r\n";
    return text;
}

class EditorTest : public MenuTest {
  protected:
    FrmEvents& Open(const char* model = "QOR 82") {
        state.vq.DeviceModel = model;
        editor = std::make_unique<FrmEvents>(ctx);
        editor->Load();
        return *editor;
    }
    // Double-clicks cell (row, col) as the grid reports one.
    void DblClick(int row, int col) {
        editor->MSFlexGrid1.setRow(row).setCol(col);
        editor->MSFlexGrid1_DblClick();
    }
    std::string Cell(int row, int col) { return editor->MSFlexGrid1.TextMatrix(row, col); }
    // Time, zone, On/Off, source and volume of an event row.
    std::array<std::string, 5> Event(int row) {
        return {Cell(row, 8), Cell(row, 9), Cell(row, 10), Cell(row, 11), Cell(row, 12)};
    }
    std::string LastMessage() {
        return dialogs.msgBoxes().empty() ? "" : dialogs.msgBoxes().back().text;
    }
    void Activate(ui::Form& form) {
        form.widget()->activateWindow();
        ui::DoEvents();
    }

    std::unique_ptr<FrmEvents> editor;
};

}  // namespace qor::test
