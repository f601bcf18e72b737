#include "platform/ui/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <stdexcept>

#include "platform/ui/runtime.h"
#include "platform/ui/translucency.h"

namespace qor::ui {

namespace {

// The program's active window, to tell a real change of window from a return to the same one.
Form* g_activeForm = nullptr;

// Every window by its handle.
std::unordered_map<int32_t, Form*>& Handles() {
    static std::unordered_map<int32_t, Form*> handles;
    return handles;
}
int32_t g_nextHandle = 0x10010;

// The windows whose handlers run now, the innermost last.
std::vector<Form*>& Running() {
    static std::vector<Form*> running;
    return running;
}

}  // namespace

namespace detail {

void RunInForm(Form& form, void (*call)(void*), void* context) {
    QPointer<QWidget> alive(form.widget());
    struct Scope {
        Form& form;
        QPointer<QWidget>& alive;
        explicit Scope(Form& f, QPointer<QWidget>& a) : form(f), alive(a) {
            ++form.busy_;
            Running().push_back(&form);
        }
        ~Scope() {
            Running().pop_back();
            if (alive) --form.busy_;
        }
    } scope(form, alive);
    try {
        call(context);
    } catch (const Form::Retired&) {
        // The window was unloaded while this handler waited at a yield: it ends here.
    }
}

Form* AskingForm() { return Running().empty() ? nullptr : Running().back(); }

YieldGuard::YieldGuard() : form_(AskingForm()), wasLive_(form_ && !form_->isUnloaded()) {
    if (form_) window_ = form_->widget();
}

void YieldGuard::check() const {
    if (wasLive_ && (!window_ || form_->isUnloaded())) throw Form::Retired{};
}

}  // namespace detail

namespace detail {

class FormWidget : public QWidget {
  public:
    explicit FormWidget(Form& form) : form_(form) {}

  protected:
    bool event(QEvent* event) override {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::WindowActivate) form_.activated();
        return handled;
    }

    void closeEvent(QCloseEvent* event) override {
        if (form_.closeRequested()) {
            event->accept();
        } else {
            event->ignore();
        }
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        remaskAll();
        if (form_.state_ == Form::State::Loaded) form_.dispatch([this] { form_.Form_Resize(); });
    }

    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        remaskAll();
    }

  private:
    void remaskAll() { form_.colourKey_->changedAll(); }

    Form& form_;
};

}  // namespace detail

Form::Form(std::string name)
    : name_(std::move(name)),
      widget_(new detail::FormWidget(*this)),
      inside_(new QWidget(widget_.get())),
      handle_(g_nextHandle += 0x10),
      colourKey_(std::make_unique<detail::ColourKeyMask>(*widget_)) {
    Handles().emplace(handle_, this);
    widget_->setObjectName(ToQt(name_));
    // The inside fills the window below the menu bar, when there is one.
    auto* layout = new QVBoxLayout(widget_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(inside_);
    widget_->setAutoFillBackground(true);
    setBackColor(SysColor(15));
}

Form::~Form() {
    Handles().erase(handle_);
    if (g_activeForm == this) g_activeForm = nullptr;
    menus_.clear();
    order_.clear();
    byName_.clear();
    owned_.clear();
    widget_.reset();
}

QWidget* Form::widget() const { return widget_.get(); }
QWidget* Form::inside() const { return inside_; }

// --- life -------------------------------------------------------------------------------

void Form::Load() {
    if (state_ != State::Created) return;
    state_ = State::Loaded;
    setTimersRunning(true);
    dispatch([this] { Form_Load(); });
}

void Form::Show(Mode mode) {
    if (state_ == State::Created) Load();
    if (state_ != State::Loaded) return;
    if (mode == Mode::Modal) widget_->setWindowModality(Qt::ApplicationModal);
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
    if (mode != Mode::Modal) return;
    // A loop of the window's own, as a modal box has; the owner's unload hook waits for it.
    // The wait counts as a handler of this window, so it is not freed under its own loop, and as
    // a yield of the window that asked.
    const detail::YieldGuard asking;
    QPointer<QWidget> alive(widget_.get());
    QEventLoop loop;
    QMetaObject::Connection done =
        QObject::connect(widget_.get(), &QObject::destroyed, &loop, &QEventLoop::quit);
    modalLoop_ = &loop;
    ++busy_;
    if (state_ == State::Loaded) loop.exec();
    QObject::disconnect(done);
    if (alive) {
        modalLoop_ = nullptr;
        --busy_;
    }
    asking.check();
}

void Form::Hide() { widget_->hide(); }

bool Form::Visible() const { return widget_->isVisible(); }

void Form::Unload() {
    if (closeRequested()) widget_->hide();
}

bool Form::closeRequested() {
    if (state_ == State::Unloaded) return true;
    if (state_ == State::Loaded) {
        bool cancel = false;
        dispatch([this, &cancel] { Form_Unload(cancel); });
        if (cancel) return false;
    }
    state_ = State::Unloaded;
    setTimersRunning(false);
    if (modalLoop_ != nullptr) modalLoop_->quit();
    if (g_activeForm == this) g_activeForm = nullptr;
    // The hook may destroy this form, so it runs once every handler that was under way, here
    // or further up the stack behind a yield, has returned.
    QPointer<QWidget> alive(widget_.get());
    RunWhenSettled([this, alive] {
        if (!alive || !onUnloaded) return;
        auto hook = onUnloaded;
        hook(*this);
    });
    return true;
}

void Form::activated() {
    if (g_activeForm == this) return;
    g_activeForm = this;
    if (state_ == State::Loaded) dispatch([this] { Form_Activate(); });
}

void Form::setTimersRunning(bool running) {
    for (Control* control : order_) control->formRunning(running);
}

// --- look -------------------------------------------------------------------------------

std::string Form::Caption() const { return FromQt(widget_->windowTitle()); }

void Form::setCaption(const std::string& caption) { widget_->setWindowTitle(ToQt(caption)); }

void Form::setBorderStyle(FormBorderStyle style) {
    if (style == border_) return;
    border_ = style;
    Qt::WindowFlags flags = Qt::Window;
    switch (style) {
        case FormBorderStyle::None:
            flags |= Qt::FramelessWindowHint;
            break;
        case FormBorderStyle::FixedSingle:
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
            break;
        case FormBorderStyle::Sizable:
            break;
    }
    const bool shown = widget_->isVisible();
    widget_->setWindowFlags(flags);
    if (shown) widget_->show();
}

WindowState Form::windowState() const {
    const Qt::WindowStates state = widget_->windowState();
    if (state & Qt::WindowMinimized) return WindowState::Minimized;
    if (state & Qt::WindowMaximized) return WindowState::Maximized;
    return WindowState::Normal;
}

void Form::setWindowState(WindowState state) {
    switch (state) {
        case WindowState::Normal:
            widget_->setWindowState(Qt::WindowNoState);
            break;
        case WindowState::Minimized:
            widget_->setWindowState(Qt::WindowMinimized);
            break;
        case WindowState::Maximized: {
            // Without a window manager (a bare X server) nobody acts on the request, so a
            // window without a frame is first made as large as the screen by itself.
            QScreen* screen = widget_->screen();
            if (border_ == FormBorderStyle::None && screen != nullptr) {
                widget_->setGeometry(screen->availableGeometry());
            }
            widget_->setWindowState(Qt::WindowMaximized);
            break;
        }
    }
}

void Form::setBackColor(const QColor& colour) {
    backColor_ = colour;
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Window, colour);
    widget_->setPalette(palette);
    colourKey_->changedAll();
}

void Form::setMousePointer(Pointer pointer) {
    pointer_ = pointer;
    detail::ApplyPointer(*widget_, pointer);
}

double Form::Left() const { return PixelsToTwipsX(widget_->frameGeometry().x()); }
double Form::Top() const { return PixelsToTwipsY(widget_->frameGeometry().y()); }
double Form::Width() const { return PixelsToTwipsX(widget_->frameGeometry().width()); }
double Form::Height() const { return PixelsToTwipsY(widget_->frameGeometry().height()); }
// The inside, below the menu bar; laid out afresh first, as the window may not be shown yet.
double Form::ScaleWidth() const {
    widget_->layout()->activate();
    return PixelsToTwipsX(inside_->width());
}
double Form::ScaleHeight() const {
    widget_->layout()->activate();
    return PixelsToTwipsY(inside_->height());
}

void Form::setLeft(double twips) { Move(twips, Top()); }
void Form::setTop(double twips) { Move(Left(), twips); }
void Form::setWidth(double twips) { Move(Left(), Top(), twips, Height()); }
void Form::setHeight(double twips) { Move(Left(), Top(), Width(), twips); }

void Form::Move(double left, double top) {
    widget_->move(TwipsToPixelsX(left), TwipsToPixelsY(top));
}

void Form::Move(double left, double top, double width, double height) {
    Move(left, top);
    // Width and Height take the frame in; Qt sizes the inside.
    const int frameW = widget_->frameGeometry().width() - widget_->width();
    const int frameH = widget_->frameGeometry().height() - widget_->height();
    widget_->resize(std::max(0, TwipsToPixelsX(width) - frameW),
                    std::max(0, TwipsToPixelsY(height) - frameH));
}

// --- controls ---------------------------------------------------------------------------

namespace {
std::string Key(std::string_view name, int index) {
    std::string key = detail::UpperAscii(name);
    if (index >= 0) key += "(" + std::to_string(index) + ")";
    return key;
}
}  // namespace

void Form::adopt(std::unique_ptr<Control> control, int index, const TwipRect& rect) {
    control->index_ = index;
    const std::string key = Key(control->Name(), index);
    if (byName_.count(key) != 0) {
        throw std::invalid_argument("a control named " + key + " exists already");
    }
    byName_.emplace(key, control.get());
    order_.push_back(control.get());
    control->declare(rect);
    control->formRunning(isLoaded());
    owned_.push_back(std::move(control));
}

Control* Form::control(std::string_view name, int index) const {
    const auto it = byName_.find(Key(name, index));
    return it == byName_.end() ? nullptr : it->second;
}

// --- menu bar ---------------------------------------------------------------------------

QMenuBar* Form::menuBar() {
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(widget_.get());
        // The window's own bar, also where the desktop would take it to a global menu.
        menuBar_->setNativeMenuBar(false);
        static_cast<QVBoxLayout*>(widget_->layout())->setMenuBar(menuBar_);
    }
    return menuBar_;
}

Menu& Form::addMenu(std::string name, const std::string& caption) {
    if (menu(name) != nullptr) {
        throw std::invalid_argument("a menu entry named " + name + " exists already");
    }
    menus_.push_back(std::make_unique<Menu>(ControlKey{}, *this, std::move(name), caption));
    return *menus_.back();
}

Menu* Form::menu(std::string_view name) const {
    const std::string key = detail::UpperAscii(name);
    for (const auto& entry : menus_) {
        if (detail::UpperAscii(entry->Name()) == key) return entry.get();
    }
    return nullptr;
}

// --- the window system ------------------------------------------------------------------

bool Form::TopMost() const { return widget_->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void Form::setTopMost(bool topMost) {
    if (TopMost() == topMost) return;
    const bool shown = widget_->isVisible();
    widget_->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    // Changing the flags hides the window; a shown one comes back at once.
    if (shown) widget_->show();
}

Form* FormFromHandle(int32_t hWnd) {
    const auto it = Handles().find(hWnd);
    return it == Handles().end() ? nullptr : it->second;
}

// --- colour key -------------------------------------------------------------------------

void Form::setColourKey(const QColor& key) {
    layered_ = true;
    colourKey_->setKey(key);
}
void Form::clearColourKey() { colourKey_->clear(); }
bool Form::hasColourKey() const { return colourKey_->active(); }
QColor Form::colourKey() const { return colourKey_->key(); }
void Form::refreshColourKey() { colourKey_->refresh(); }
void Form::contentChanged(const QRect& area) { colourKey_->changed(area); }

}  // namespace qor::ui
