#include "platform/ui/frames.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

#include "platform/ui/form.h"
#include "platform/ui/runtime.h"

namespace qor::ui {

namespace {

class FrameWidget : public QGroupBox {
  public:
    FrameWidget(QWidget* parent, const Event<>& click) : QGroupBox(parent), click_(click) {}

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QGroupBox::mouseReleaseEvent(event);
        if (isEnabled() && rect().contains(event->position().toPoint())) click_();
    }

  private:
    const Event<>& click_;
};

// The tabs over a panel frame, as the classic strip drew them.
class TabStripWidget : public QWidget {
  public:
    explicit TabStripWidget(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
        bar_->setDrawBase(false);
        bar_->setExpanding(false);
    }
    QTabBar* bar() const { return bar_; }

  protected:
    void resizeEvent(QResizeEvent*) override {
        bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
    }
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionTabWidgetFrame frame;
        frame.initFrom(this);
        const int top = bar_->sizeHint().height();
        frame.rect = QRect(0, top - 1, width(), height() - top + 1);
        frame.tabBarSize = bar_->sizeHint();
        frame.shape = QTabBar::RoundedNorth;
        painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
    }

  private:
    QTabBar* bar_;
};

}  // namespace

Frame::Frame(ControlKey, Form& form, std::string name) : ControlOf(form, std::move(name), nullptr) {
    adoptWidget(new FrameWidget(home(form), click_));
    // Opaque, as the classic frame: one laid over another hides what the lower one holds.
    box()->setAutoFillBackground(true);
}

QGroupBox* Frame::box() const { return static_cast<QGroupBox*>(widget()); }
QWidget* Frame::inside() const { return widget(); }

std::string Frame::Caption() const { return FromQt(box()->title()); }

Frame& Frame::setCaption(const std::string& caption) {
    assignVia(Caption(), caption, [&] { box()->setTitle(ToQt(caption)); });
    return *this;
}

TabStrip::TabStrip(ControlKey, Form& form, std::string name)
    : ControlOf(form, std::move(name), new TabStripWidget(home(form))) {
    // Only the user's choices reach here: code sets the tab with the signals blocked.
    QObject::connect(bar(), &QTabBar::currentChanged, widget(), [this](int) { click_(); });
}

QTabBar* TabStrip::bar() const { return static_cast<TabStripWidget*>(widget())->bar(); }

int TabStrip::TabCount() const { return bar()->count(); }

TabStrip& TabStrip::setTabCount(int count) {
    assignVia(TabCount(), std::max(0, count), [&] {
        const QSignalBlocker block(bar());
        while (bar()->count() < count) bar()->addTab(QString());
        while (bar()->count() > std::max(0, count)) bar()->removeTab(bar()->count() - 1);
    });
    return *this;
}

std::string TabStrip::TabCaption(int tab) const {
    if (tab < 1 || tab > TabCount()) return {};
    return FromQt(bar()->tabText(tab - 1));
}

TabStrip& TabStrip::setTabCaption(int tab, const std::string& caption) {
    if (tab < 1 || tab > TabCount()) return *this;
    assignVia(TabCaption(tab), caption, [&] { bar()->setTabText(tab - 1, ToQt(caption)); });
    return *this;
}

int TabStrip::SelectedIndex() const { return bar()->currentIndex() + 1; }

TabStrip& TabStrip::setSelectedIndex(int tab) {
    if (tab < 1 || tab > TabCount()) return *this;
    assignVia(SelectedIndex(), tab, [&] {
        const QSignalBlocker block(bar());
        bar()->setCurrentIndex(tab - 1);
    });
    return *this;
}

}  // namespace qor::ui
