// The INI manager in a fresh program folder holding the shipped key list, with scripted dialogs
// and simulated amplifiers on real pseudo-terminals (the main window's fixture), drawn offscreen.
#pragma once

#include <QAction>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "inimanager/frm_file.h"
#include "support/menu_fixture.h"

namespace qor::test {

class FileWindowTest : public MenuTest {
  protected:
    // A line the device does not answer costs the whole answer wait; the upload has dozens.
    explicit FileWindowTest(std::chrono::nanoseconds pollTime = kTestPoll) : MenuTest(pollTime) {}
    void SetUp() override {
        MenuTest::SetUp();
        std::filesystem::copy_file(std::filesystem::path(QOR_ASSETS_DIR) / "lookforinini.txt",
                                   dir / "lookforinini.txt");
    }

    FrmFile& Open() {
        window = std::make_unique<FrmFile>(ctx);
        window->Load();
        return *window;
    }
    static void Choose(ui::Menu& entry) { entry.action()->trigger(); }
    // The user types `name` into the save-as box and presses its Save button.
    void SaveAs(const std::string& name) {
        Choose(window->MnuSaveAsIni);
        window->Text1.setText("");
        QTest::keyClicks(window->Text1.widget(), QString::fromLatin1(name.c_str()));
        QTest::mouseClick(window->Command1.widget(), Qt::LeftButton);
    }
    // How many message boxes held `text`.
    int Told(const std::string& text) const {
        int n = 0;
        for (const auto& box : dialogs.msgBoxes()) n += box.text.find(text) != std::string::npos;
        return n;
    }

    std::unique_ptr<FrmFile> window;
};

}  // namespace qor::test
