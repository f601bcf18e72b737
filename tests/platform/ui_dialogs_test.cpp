// The dialog service: the scripted one for tests, and the mapping of the Qt one.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "platform/ui/ui.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

TEST(ScriptedDialogs, RecordEveryBoxAndAnswerFromTheScript) {
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(MsgAnswer::No);
    dialogs.queueAnswer(MsgAnswer::Yes);
    EXPECT_EQ(dialogs.MsgBox("Automatic detection ? \n", MsgButtons::YesNo, MsgIcon::Question,
                             "Qor PC Manager"),
              MsgAnswer::No);
    EXPECT_EQ(dialogs.MsgBox("again", MsgButtons::YesNo), MsgAnswer::Yes);
    // Queue empty: the first button.
    EXPECT_EQ(dialogs.MsgBox("third", MsgButtons::YesNoCancel), MsgAnswer::Yes);
    EXPECT_EQ(dialogs.MsgBox("fourth", MsgButtons::OKCancel), MsgAnswer::OK);
    dialogs.setDefaultAnswer(MsgAnswer::Cancel);
    EXPECT_EQ(dialogs.MsgBox("fifth", MsgButtons::OKCancel), MsgAnswer::Cancel);

    ASSERT_EQ(dialogs.msgBoxes().size(), 5u);
    const auto& first = dialogs.msgBoxes()[0];
    EXPECT_EQ(first.text, "Automatic detection ? \n");
    EXPECT_EQ(first.buttons, MsgButtons::YesNo);
    EXPECT_EQ(first.icon, MsgIcon::Question);
    EXPECT_EQ(first.title, "Qor PC Manager");
    EXPECT_EQ(dialogs.msgBoxes()[1].icon, MsgIcon::None);

    dialogs.queueInput("Kitchen");
    EXPECT_EQ(dialogs.InputBox("Name ?", "Zone", "Zone 2"), "Kitchen");
    EXPECT_EQ(dialogs.InputBox("Name ?", "Zone", "Zone 2"), "Zone 2");
    dialogs.setDefaultInput("");
    EXPECT_EQ(dialogs.InputBox("Name ?", "Zone", "Zone 2"), "");
    ASSERT_EQ(dialogs.inputBoxes().size(), 3u);
    EXPECT_EQ(dialogs.inputBoxes()[0].prompt, "Name ?");
    EXPECT_EQ(dialogs.inputBoxes()[0].defaultText, "Zone 2");

    // Like a modal box, a scripted one lets pending events run unless told not to.
    int ran = 0;
    QTimer::singleShot(0, [&] { ++ran; });
    dialogs.setYields(false);
    dialogs.MsgBox("quiet");
    EXPECT_EQ(ran, 0);
    dialogs.setYields(true);
    dialogs.MsgBox("yields");
    EXPECT_EQ(ran, 1);
}

// A window whose button asks a question, then writes the answer into its own label.
class FrmAsk : public Form {
  public:
    explicit FrmAsk(Dialogs& dialogs) : Form("FrmAsk"), dialogs_(dialogs) {}
    Label& Label1 = add<Label>("Label1", {120, 120, 1500, 255});
    CommandButton& Command1 = add<CommandButton>("Command1", {120, 600, 1500, 375})
                                  .onClick(this, &FrmAsk::Command1_Click);
    void Command1_Click() {
        const MsgAnswer answer = dialogs_.MsgBox("Store ?", MsgButtons::YesNo);
        Label1.setCaption(answer == MsgAnswer::Yes ? "stored" : "kept");
    }

  private:
    Dialogs& dialogs_;
};

TEST(ScriptedDialogs, AWindowClosedWhileAMessageBoxIsOpenIsLetGoOnlyAfterTheHandlerReturns) {
    ScriptedDialogs dialogs;
    auto form = std::make_unique<FrmAsk>(dialogs);
    form->Show();
    bool dropped = false;
    form->onUnloaded = [&](Form&) {
        dropped = true;
        form.reset();
    };
    // While the box is up, the user closes the window through the window system.
    QTimer::singleShot(0, [&] { form->widget()->close(); });
    form->Command1_Click();
    ASSERT_NE(form, nullptr) << "the window was let go under the handler that showed the box";
    EXPECT_FALSE(dropped);
    EXPECT_TRUE(form->isUnloaded());
    EXPECT_EQ(form->Label1.Caption(), "stored");
    EXPECT_TRUE(test::RunUntil([&] { return dropped; }));
    EXPECT_EQ(form, nullptr);
}

TEST(QtDialogs, ButtonsAndAnswersMapToTheMessageBox) {
    QtDialogs dialogs("Qor PC Manager");
    QString seenTitle, seenText;
    QMessageBox::StandardButtons seenButtons;
    auto answerWith = [&](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenButtons = box->standardButtons();
            box->button(button)->click();
        });
    };
    answerWith(QMessageBox::No);
    EXPECT_EQ(dialogs.MsgBox("<b>Connect</b> ?", MsgButtons::YesNoCancel, MsgIcon::Question, ""),
              MsgAnswer::No);
    EXPECT_EQ(seenTitle, "Qor PC Manager");
    EXPECT_EQ(seenText, "<b>Connect</b> ?");
    EXPECT_EQ(seenButtons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    answerWith(QMessageBox::Ok);
    EXPECT_EQ(dialogs.MsgBox("Done", MsgButtons::OKCancel, MsgIcon::Information, "Title"),
              MsgAnswer::OK);
    EXPECT_EQ(seenTitle, "Title");

    for (bool accept : {true, false}) {
        QTimer::singleShot(0, [accept] {
            auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(input, nullptr);
            input->setTextValue("Kitchen");
            accept ? input->accept() : input->reject();
        });
        EXPECT_EQ(dialogs.InputBox("Name ?", "", "Zone 2"), accept ? "Kitchen" : "");
    }
}

}  // namespace
}  // namespace qor::ui
