// Forms: controls by name and in design order, twips geometry, load / activate / unload.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <stdexcept>

#include "platform/ui/ui.h"
#include "support/ui_events.h"

namespace qor::ui {
namespace {

using test::RunUntil;

class CountingForm : public Form {
  public:
    explicit CountingForm(std::string name = "FrmTest") : Form(std::move(name)) {
        auto* tick = &add<Timer>("Timer1");
        tick->setInterval(1);
        tick->onTimer([this] { ++ticks; });
    }
    int loads = 0, activations = 0, unloads = 0, ticks = 0;
    bool cancelUnload = false;

  protected:
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    void Form_Unload(bool& cancel) override {
        ++unloads;
        cancel = cancelUnload;
    }
};

// A zone walk hides the shown controls and shifts them all; widgetless ones must survive it.
TEST(FormControls, AreFoundByNameInAnyCaseAndWalkedInDesignOrder) {
    Form form("FrmMenu_1");
    auto* skin = &form.add<Image>("Image1", {0, 0, 3000, 1500});
    auto* label = &form.add<Label>("Label5", {2280, 240, 2052, 372});
    auto* timer = &form.add<Timer>("Timer1");
    auto* comm = &form.addWidgetless("MSComm1");
    auto* shape = &form.add<Shape>("Shape4", {1020, 120, 255, 135});
    shape->setVisible(false);
    timer->setEnabled(true);
    EXPECT_EQ(label->Name(), "Label5");
    EXPECT_EQ(form.control("label5"), label);
    EXPECT_EQ(form.control("Image1"), skin);
    EXPECT_EQ(form.control("mscomm1"), comm);
    EXPECT_EQ(form.control("Label55"), nullptr);
    EXPECT_THROW(form.add<Label>("LABEL5"), std::invalid_argument);

    std::vector<std::string> names, wasShown;
    for (Control* c : form.controls()) {
        names.push_back(c->UpperName());
        if (c->Visible()) {
            c->setVisible(false);
            wasShown.push_back(c->UpperName());
        }
        c->Move(c->Left() + 1215, c->Top() + 600);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"IMAGE1", "LABEL5", "TIMER1", "MSCOMM1", "SHAPE4"}));
    EXPECT_EQ(wasShown, (std::vector<std::string>{"IMAGE1", "LABEL5"}));
    EXPECT_DOUBLE_EQ(label->Left(), 3495);
    EXPECT_DOUBLE_EQ(shape->Top(), 720);
    EXPECT_DOUBLE_EQ(timer->Left(), 0);
    EXPECT_DOUBLE_EQ(comm->Top(), 0);
    EXPECT_TRUE(timer->Enabled());
}

TEST(Twips, ControlsAndFormsArePlacedInTwipsAtTheScreensPixelSizeWithTheirLook) {
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    ASSERT_GT(dpi, 0);
    EXPECT_DOUBLE_EQ(TwipsPerPixelX(), 1440.0 / dpi);
    const double tpp = TwipsPerPixelX(), tppY = TwipsPerPixelY();

    Form form("FrmTest");
    form.setBorderStyle(FormBorderStyle::None);
    form.Move(300, 450, 6000, 3000);
    EXPECT_TRUE(form.widget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.widget()->width(), qRound(6000 / tpp));
    EXPECT_DOUBLE_EQ(form.Width(), form.widget()->width() * tpp);
    EXPECT_DOUBLE_EQ(form.ScaleHeight(), form.widget()->height() * tppY);
    EXPECT_DOUBLE_EQ(form.Left(), qRound(300 / tpp) * tpp);

    auto* label = &form.add<Label>("Label1", {1500, 300, 975, 255});
    const QRect px = label->widget()->geometry();
    EXPECT_EQ(px, QRect(QPoint(qRound(1500 / tpp), qRound(300 / tppY)),
                        QPoint(qRound(2475 / tpp) - 1, qRound(555 / tppY) - 1)));
    // What was set reads back unchanged, even between two pixels.
    label->setLeft(1510);
    EXPECT_DOUBLE_EQ(label->Left(), 1510);
    EXPECT_EQ(label->widget()->x(), qRound(1510 / tpp));
    label->Move(-30, 45.5);
    EXPECT_DOUBLE_EQ(label->Left(), -30);
    EXPECT_DOUBLE_EQ(label->Top(), 45.5);
    label->setWidth(-10);
    EXPECT_DOUBLE_EQ(label->Width(), 0);
    form.setMousePointer(Pointer::Hourglass);
    label->setMousePointer(Pointer::Hand);
    EXPECT_EQ(form.widget()->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(label->widget()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_DOUBLE_EQ(ScreenWidthTwips(),
                     QGuiApplication::primaryScreen()->geometry().width() * tpp);
}

TEST(Pictures, AnImageWithoutStretchTakesThePicturesSizeAndAFailedLoadKeepsIt) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("skin.gif").toStdString();
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "GIF") ||
                picture.save(QString::fromStdString(file), "PNG"));

    Form form("FrmTest");
    auto* plain = &form.add<Image>("Image1", {150, 150, 3000, 3000});
    auto* stretched = &form.add<Image>("Image2", {150, 150, 3000, 3000});
    stretched->setStretch(true);
    ASSERT_TRUE(plain->LoadPicture(file));
    ASSERT_TRUE(stretched->LoadPicture(file));
    EXPECT_DOUBLE_EQ(plain->Width(), 20 * TwipsPerPixelX());
    EXPECT_DOUBLE_EQ(plain->Height(), 10 * TwipsPerPixelY());
    EXPECT_DOUBLE_EQ(plain->Left(), 150);
    EXPECT_DOUBLE_EQ(stretched->Width(), 3000);

    EXPECT_FALSE(plain->LoadPicture(dir.filePath("missing.gif").toStdString()));
    // A FIFO under a picture's name fails at once rather than waiting for a writer.
    const std::string fifo = dir.filePath("fifo.gif").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_FALSE(plain->LoadPicture(fifo));
    EXPECT_EQ(plain->Picture().size(), QSize(20, 10));
    EXPECT_EQ(plain->PictureFile(), file);
    EXPECT_EQ(plain->PictureLoads(), 1);
}

TEST(FormLife, LoadRunsOnceAndStartsTheTimers) {
    CountingForm form;
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(form.ticks, 0) << "a timer ticks only once its form is loaded";

    form.Show();  // loads first
    form.Load();
    form.Show();
    EXPECT_EQ(form.loads, 1);
    EXPECT_TRUE(form.isLoaded());
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(RunUntil([&] { return form.ticks >= 2; }));
}

// A shown form whose owner drops it when told it has unloaded.
struct Owner {
    Owner() {
        form->Show();
        form->onUnloaded = [this](Form& f) {
            EXPECT_EQ(&f, form.get());
            dropped = true;
            form.reset();
        };
    }
    std::unique_ptr<CountingForm> form = LoadForm<CountingForm>();
    bool dropped = false;
};

TEST(FormLife, CancelledUnloadThenWindowCloseStopsTimersAndCallsTheOwnerAfterTheEvent) {
    Owner owner;
    auto& form = owner.form;
    form->cancelUnload = true;
    form->Unload();
    EXPECT_TRUE(form->isLoaded());
    EXPECT_TRUE(form->Visible());

    form->cancelUnload = false;
    form->widget()->close();  // the window system's close button
    EXPECT_TRUE(form->isUnloaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(owner.dropped);
    const int ticks = form->ticks;
    form->Unload();
    form->Show();  // an unloaded form stays closed
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->unloads, 2);
    EXPECT_EQ(form->ticks, ticks);
    EXPECT_TRUE(RunUntil([&] { return owner.dropped; }));
    EXPECT_TRUE(form == nullptr);
}

TEST(FormLife, UnloadDuringAYieldWaitsUntilTheYieldingHandlerHasReturned) {
    Owner owner;
    // A handler of the form yields (as the link does while RDS text scrolls) and a click that
    // runs meanwhile closes the form: the owner must not drop it under the waiting handler.
    QTimer::singleShot(0, [&] { owner.form->Unload(); });
    for (int i = 0; i < 20; ++i) {
        DoEvents();
        ASSERT_FALSE(owner.dropped) << "the form was dropped while its handler still waited";
        ASSERT_TRUE(owner.form != nullptr);
    }
    EXPECT_TRUE(owner.form->isUnloaded());
    EXPECT_TRUE(RunUntil([&] { return owner.dropped; }));
    EXPECT_TRUE(owner.form == nullptr);
}

TEST(FormLife, ActivateFiresWhenTheProgramsActiveWindowChanges) {
    CountingForm a("FrmA"), b("FrmB");
    a.Show();
    b.Show();
    a.activations = b.activations = 0;
    for (QWidget* w : {(QWidget*)nullptr, a.widget(), b.widget(), a.widget()})
        QApplication::setActiveWindow(w);
    EXPECT_EQ(a.activations, 2);
    EXPECT_EQ(b.activations, 1);
    // Another program in between, then back to the same window: no new activation.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(a.widget());
    EXPECT_EQ(a.activations, 2);
}

}  // namespace
}  // namespace qor::ui
