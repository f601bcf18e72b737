// The whole program on a desktop with a window manager, used with the real mouse and keys: the
// start-up's question answered with a click, the port list opened by its arrow and an entry
// chosen, the tuner's stay-on-top question above the tuner kept on top, and the main window
// closed by the window manager.
#include "support/desktop.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "app/program.h"
#include "support/menu_fixture.h"
#include "tuner/frm_tuner.h"

namespace qor::test {
namespace {

using ui::test::RunUntil;

// The top-level windows as the window manager stacks them, lowest first.
std::vector<WId> Stacking() {
    QProcess xprop;
    xprop.start("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
    RunUntil([&] { return xprop.state() == QProcess::NotRunning; });
    std::vector<WId> windows;
    const QString out = QString::fromLatin1(xprop.readAllStandardOutput());
    for (const QString& part : out.section('#', 1).split(',', Qt::SkipEmptyParts))
        windows.push_back(part.trimmed().toULongLong(nullptr, 16));
    return windows;
}

// The X window of the top-level window with this title, as the window manager knows it.
WId XWindowNamed(const std::string& title) {
    QProcess xdotool;
    xdotool.start("xdotool", {"search", "--name", QString::fromStdString("^" + title + "$")});
    RunUntil([&] { return xdotool.state() == QProcess::NotRunning; });
    return QString::fromLatin1(xdotool.readAllStandardOutput()).section('\n', 0, 0).toULongLong();
}

int StackPlace(WId window) {
    const std::vector<WId> order = Stacking();
    const auto it = std::find(order.begin(), order.end(), window);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

class ProgramOnDesktop : public DesktopTest {
  protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_FALSE(dir.path().empty());
        CopyAssets(QOR_ASSETS_DIR, dir.path());
        WriteBytes(dir / "user.ini", kUserIni);
        ASSERT_TRUE(amp.start());
        ProgramOptions options;
        options.programDir = dir.path();
        options.portMapper = [this](int port) {
            return port == 2 ? amp.devicePath()
                             : (dir / ("no-such-port-" + std::to_string(port))).string();
        };
        options.pollTime = kTestPoll;
        options.quit = [this] { ++quits; };
        program = std::make_unique<Program>(options);
    }

    // The next message box is answered with a click on `button`, from inside the box's own
    // loop; `seen` looks at the box first.
    void AnswerNextBox(QMessageBox::StandardButton button,
                       std::function<void(QMessageBox&)> seen = {}) {
        auto* watch = new QTimer;
        watches.emplace_back(watch);
        watch->setInterval(50);
        QObject::connect(watch, &QTimer::timeout, [this, watch, button, seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            // Shown on the screen, so placed by the window manager: where its button is.
            if (!box || !box->windowHandle() || !box->windowHandle()->isExposed() ||
                !box->button(button))
                return;
            watch->stop();
            asked.push_back(box->text().toStdString());
            if (seen) seen(*box);
            ClickAt(MiddleOf(box->button(button)));
        });
        watch->start();
    }
    // True when the device receives nothing more within a short while.
    bool StaysQuiet() const { return !amp.waitForLog(amp.log().size() + 1, 300); }

    TempFolder dir;
    sim::SimAmp amp;
    int quits = 0;
    std::vector<std::string> asked;
    std::vector<std::unique_ptr<QTimer>> watches;
    std::unique_ptr<Program> program;
};

TEST_F(ProgramOnDesktop, PortListChosenWithTheMouseConnects) {
    AnswerNextBox(QMessageBox::No);
    FrmMenu_1& menu = program->menu();
    ASSERT_EQ(asked.size(), 1u);
    ASSERT_TRUE(menu.Combo1.Visible());

    // Opening the list neither hides the box nor connects; the entry clicked does.
    Choose(menu.Combo1, "Com2");
    EXPECT_TRUE(RunUntil([&] { return program->state().vq.DeviceModel == "QOR 82"; }));
    EXPECT_EQ(program->state().vq.ComPortNumber, 2);
    EXPECT_FALSE(menu.Combo1.Visible());
}

TEST_F(ProgramOnDesktop, StayOnTopQuestionShowsAboveTheTunerAndTakesTheClick) {
    AnswerNextBox(QMessageBox::Yes);
    program->menu();
    ASSERT_EQ(program->state().vq.DeviceModel, "QOR 82");
    program->ShowTuner();
    FrmTuner* tuner = program->tuner();
    ASSERT_NE(tuner, nullptr);
    ASSERT_TRUE(RunUntil([&] { return QApplication::activeWindow() == tuner->widget(); }));

    AnswerNextBox(QMessageBox::Yes);
    ClickAt(MiddleOf(tuner->Image5.widget()), 1, 3);
    ASSERT_TRUE(RunUntil([&] { return tuner->TopMost(); }));

    int boxPlace = -1;
    int tunerPlace = -1;
    AnswerNextBox(QMessageBox::No, [&](QMessageBox& box) {
        boxPlace = StackPlace(box.winId());
        tunerPlace = StackPlace(XWindowNamed(tuner->Caption()));
    });
    ClickAt(MiddleOf(tuner->Image5.widget()), 1, 3);
    EXPECT_TRUE(RunUntil([&] { return !tuner->TopMost(); }));
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_GE(tunerPlace, 0);
    EXPECT_GT(boxPlace, tunerPlace);
}

TEST_F(ProgramOnDesktop, AltF4OnTheMainWindowEndsTheProgramSendingNothing) {
    AnswerNextBox(QMessageBox::Yes);
    FrmMenu_1& menu = program->menu();
    ASSERT_EQ(program->state().vq.DeviceModel, "QOR 82");
    ClickAt(MiddleOf(menu.Label7.widget()));
    ASSERT_TRUE(RunUntil([&] { return QApplication::activeWindow() == menu.widget(); }));

    amp.clearLog();
    PressKeys("alt+F4");
    EXPECT_TRUE(RunUntil([&] { return quits == 1; }));
    EXPECT_TRUE(StaysQuiet());
}

}  // namespace
}  // namespace qor::test
