// Forms: controls by name and in design order, twips geometry, load / activate / unload.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <stdexcept>

#include "platform/ui/ui.h"
#include "ui_test_support.h"

namespace qor::ui {
namespace {

class CountingForm : public Form {
  public:
    explicit CountingForm(std::string name = "FrmTest") : Form(std::move(name)) {
        Tick = Add<Timer>("Timer1");
        Tick->setInterval(1);
        Tick->onTimer = [this] { ++ticks; };
    }
    Timer* Tick;
    int loads = 0;
    int activations = 0;
    int unloads = 0;
    int ticks = 0;
    bool cancelUnload = false;

  protected:
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    void Form_Unload(bool& cancel) override {
        ++unloads;
        cancel = cancelUnload;
    }
};

using test::RunUntil;

TEST(FormControls, AreFoundByNameInAnyCaseAndWalkedInDesignOrder) {
    Form form("FrmMenu_1");
    auto* skin = form.Add<Image>("Image1", {0, 0, 3000, 1500});
    auto* label = form.Add<Label>("Label5", {150, 150, 900, 255});
    auto* timer = form.Add<Timer>("Timer1");
    auto* comm = form.AddWidgetless("MSComm1");
    auto* combo = form.Add<ComboBox>("Combo1", {150, 600, 1500, 315});

    std::vector<std::string> names;
    for (Control* c : form.controls()) names.push_back(c->UpperName());
    EXPECT_EQ(names, (std::vector<std::string>{"IMAGE1", "LABEL5", "TIMER1", "MSCOMM1", "COMBO1"}));
    EXPECT_EQ(label->Name(), "Label5");
    EXPECT_EQ(form.control("label5"), label);
    EXPECT_EQ(form.control("LABEL5"), label);
    EXPECT_EQ(form.control("Image1"), skin);
    EXPECT_EQ(form.control("mscomm1"), comm);
    EXPECT_EQ(form.control("Combo1"), combo);
    EXPECT_EQ(form.control("Label55"), nullptr);
    EXPECT_EQ(&label->Parent(), &form);
    EXPECT_FALSE(timer->hasWidget());
    EXPECT_FALSE(comm->hasWidget());
    EXPECT_THROW(form.Add<Label>("LABEL5"), std::invalid_argument);
    EXPECT_EQ(form.controls().size(), 5u);
}

TEST(FormControls, AWalkHidesAndShiftsTheWidgetsButNeverTheWidgetlessOnes) {
    Form form("FrmZone_1");
    auto* label = form.Add<Label>("Label1", {2280, 240, 2052, 372});
    auto* hidden = form.Add<Shape>("Shape4", {1020, 120, 255, 135});
    auto* timer = form.Add<Timer>("Timer1");
    auto* comm = form.AddWidgetless("MSComm1");
    hidden->setVisible(false);
    timer->setEnabled(true);

    std::vector<std::string> wasShown;
    for (Control* c : form.controls()) {
        if (c->Visible()) {
            c->setVisible(false);
            wasShown.push_back(c->UpperName());
        }
        c->Move(c->Left() + 1215, c->Top() + 600);
    }
    EXPECT_EQ(wasShown, std::vector<std::string>{"LABEL1"});
    EXPECT_FALSE(label->Visible());
    EXPECT_DOUBLE_EQ(label->Left(), 3495);
    EXPECT_DOUBLE_EQ(hidden->Top(), 720);
    EXPECT_DOUBLE_EQ(timer->Left(), 0);
    EXPECT_DOUBLE_EQ(comm->Top(), 0);
    EXPECT_FALSE(timer->Visible());
    EXPECT_TRUE(timer->Enabled());
}

TEST(Twips, ControlsArePlacedInTwipsAtTheScreensPixelSize) {
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    ASSERT_GT(dpi, 0);
    EXPECT_DOUBLE_EQ(TwipsPerPixelX(), 1440.0 / dpi);
    const double tpp = TwipsPerPixelX();
    const double tppY = TwipsPerPixelY();

    Form form("FrmTest");
    auto* label = form.Add<Label>("Label1", {1500, 300, 975, 255});
    const QRect px = label->widget()->geometry();
    EXPECT_EQ(px.x(), qRound(1500 / tpp));
    EXPECT_EQ(px.y(), qRound(300 / tppY));
    EXPECT_EQ(px.right() + 1, qRound(2475 / tpp));
    EXPECT_EQ(px.bottom() + 1, qRound(555 / tppY));

    // What was set reads back unchanged, even between two pixels.
    label->setLeft(1510);
    EXPECT_DOUBLE_EQ(label->Left(), 1510);
    EXPECT_EQ(label->widget()->x(), qRound(1510 / tpp));
    label->Move(-30, 45.5);
    EXPECT_DOUBLE_EQ(label->Left(), -30);
    EXPECT_DOUBLE_EQ(label->Top(), 45.5);
    label->setWidth(-10);
    EXPECT_DOUBLE_EQ(label->Width(), 0);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_DOUBLE_EQ(ScreenWidthTwips(), screen.width() * tpp);
    EXPECT_DOUBLE_EQ(ScreenHeightTwips(), screen.height() * tppY);
    EXPECT_EQ(ScreenCursorPos(), QCursor::pos());
}

TEST(Twips, AFormIsMeasuredInTwips) {
    Form form("FrmTest");
    form.setBorderStyle(FormBorderStyle::None);
    form.Move(300, 450, 6000, 3000);
    const double tpp = TwipsPerPixelX();
    EXPECT_EQ(form.widget()->width(), qRound(6000 / tpp));
    EXPECT_DOUBLE_EQ(form.Width(), form.widget()->width() * tpp);
    EXPECT_DOUBLE_EQ(form.ScaleHeight(), form.widget()->height() * TwipsPerPixelY());
    EXPECT_DOUBLE_EQ(form.Left(), qRound(300 / tpp) * tpp);
}

TEST(Pictures, AnImageWithoutStretchTakesThePicturesSize) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string file = dir.filePath("skin.gif").toStdString();
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "GIF") ||
                picture.save(QString::fromStdString(file), "PNG"));

    Form form("FrmTest");
    auto* plain = form.Add<Image>("Image1", {150, 150, 3000, 3000});
    auto* stretched = form.Add<Image>("Image2", {150, 150, 3000, 3000});
    stretched->setStretch(true);
    ASSERT_TRUE(plain->LoadPicture(file));
    ASSERT_TRUE(stretched->LoadPicture(file));
    EXPECT_DOUBLE_EQ(plain->Width(), 20 * TwipsPerPixelX());
    EXPECT_DOUBLE_EQ(plain->Height(), 10 * TwipsPerPixelY());
    EXPECT_DOUBLE_EQ(plain->Left(), 150);
    EXPECT_DOUBLE_EQ(stretched->Width(), 3000);

    // A missing file keeps what is shown.
    EXPECT_FALSE(plain->LoadPicture(dir.filePath("missing.gif").toStdString()));
    EXPECT_EQ(plain->Picture().size(), QSize(20, 10));
    EXPECT_EQ(plain->PictureFile(), file);
    EXPECT_EQ(plain->PictureLoads(), 1);
}

TEST(FormLife, LoadRunsOnceAndStartsTheTimers) {
    CountingForm form;
    EXPECT_FALSE(form.isLoaded());
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

TEST(FormLife, UnloadStopsTimersClosesAndCallsTheOwnerAfterTheEvent) {
    auto form = LoadForm<CountingForm>();
    form->Show();
    bool hookRan = false;
    form->onUnloaded = [&](Form& f) {
        EXPECT_EQ(&f, form.get());
        hookRan = true;
        form.reset();  // the owner may drop the form here
    };

    form->Unload();
    EXPECT_EQ(form->unloads, 1);
    EXPECT_TRUE(form->isUnloaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(hookRan);
    const int ticks = form->ticks;
    form->Unload();
    form->Show();  // an unloaded form stays closed
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->unloads, 1);
    EXPECT_EQ(form->ticks, ticks);

    EXPECT_TRUE(RunUntil([&] { return hookRan; }));
    EXPECT_TRUE(form == nullptr);
}

TEST(FormLife, UnloadDuringAYieldWaitsUntilTheYieldingHandlerHasReturned) {
    auto form = LoadForm<CountingForm>();
    form->Show();
    bool hookRan = false;
    form->onUnloaded = [&](Form&) {
        hookRan = true;
        form.reset();
    };
    // A handler of the form yields (as the link does while RDS text scrolls) and a click that
    // runs meanwhile closes the form: the owner must not drop it under the waiting handler.
    QTimer::singleShot(0, [&] { form->Unload(); });
    for (int i = 0; i < 20; ++i) {
        DoEvents();
        ASSERT_FALSE(hookRan) << "the form was dropped while its handler still waited";
        ASSERT_TRUE(form != nullptr);
    }
    EXPECT_TRUE(form->isUnloaded());
    EXPECT_TRUE(RunUntil([&] { return hookRan; }));
    EXPECT_TRUE(form == nullptr);
}

TEST(FormLife, CancelledUnloadAndWindowClose) {
    CountingForm form;
    form.Show();
    form.cancelUnload = true;
    form.Unload();
    EXPECT_TRUE(form.isLoaded());
    EXPECT_TRUE(form.Visible());

    form.cancelUnload = false;
    form.widget()->close();  // the window system's close button
    EXPECT_TRUE(form.isUnloaded());
    EXPECT_EQ(form.unloads, 2);
    EXPECT_FALSE(form.Visible());
}

TEST(FormLife, ActivateFiresWhenTheProgramsActiveWindowChanges) {
    CountingForm a("FrmA");
    CountingForm b("FrmB");
    a.Show();
    b.Show();
    a.activations = b.activations = 0;
    QApplication::setActiveWindow(nullptr);

    QApplication::setActiveWindow(a.widget());
    QApplication::setActiveWindow(b.widget());
    QApplication::setActiveWindow(a.widget());
    EXPECT_EQ(a.activations, 2);
    EXPECT_EQ(b.activations, 1);

    // Another program in between, then back to the same window: no new activation.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(a.widget());
    EXPECT_EQ(a.activations, 2);
}

TEST(FormLook, StatePointerCaptionAndBorder) {
    Form form("FrmZone_1");
    form.setCaption("Amplification in Zone 1");
    form.setBorderStyle(FormBorderStyle::None);
    form.setBackColor(RGB(0, 0, 255));
    form.setWindowState(WindowState::Maximized);
    form.Show();
    EXPECT_EQ(form.Caption(), "Amplification in Zone 1");
    EXPECT_TRUE(form.widget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.windowState(), WindowState::Maximized);
    EXPECT_EQ(form.widget()->palette().color(QPalette::Window), QColor(0, 0, 255));
    form.setWindowState(WindowState::Minimized);
    EXPECT_EQ(form.windowState(), WindowState::Minimized);

    auto* label = form.Add<Label>("Label1", {0, 0, 300, 300});
    form.setMousePointer(Pointer::Hourglass);
    label->setMousePointer(Pointer::Hand);
    EXPECT_EQ(form.widget()->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(label->widget()->cursor().shape(), Qt::PointingHandCursor);
    form.setMousePointer(Pointer::Default);
    EXPECT_EQ(form.widget()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(label->Visible()) << "a control made after the form is shown appears at once";
    EXPECT_TRUE(label->widget()->isVisible());
}

}  // namespace
}  // namespace qor::ui
