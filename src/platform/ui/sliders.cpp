#include "platform/ui/sliders.h"

#include <QScrollBar>
#include <QSlider>
#include <algorithm>
#include <functional>

#include "platform/ui/form.h"
#include "platform/ui/widget_support.h"

namespace qor::ui {

template <class Self>
RangeControl<Self>::RangeControl(Form& form, std::string name, QAbstractSlider* widget, int min,
                                 int max)
    : ControlOf<Self>(form, std::move(name), widget), min_(min), max_(max) {
    applyRange();
    // Code sets the value with the signals blocked, so these come from the user alone.
    QObject::connect(widget, &QAbstractSlider::sliderPressed, widget,
                     [this] { pressedValue_ = Value(); });
    QObject::connect(widget, &QAbstractSlider::valueChanged, widget, [this](int) {
        this->repaint();
        if (slider()->isSliderDown()) {
            scroll_();
        } else {
            change_();
        }
    });
    QObject::connect(widget, &QAbstractSlider::sliderReleased, widget, [this] {
        if (Value() != pressedValue_) change_();
    });
    dynamic_cast<detail::FocusTracker&>(*widget).attachFocus(nullptr, &lostFocus_);
}

template <class Self>
QAbstractSlider* RangeControl<Self>::slider() const {
    return static_cast<QAbstractSlider*>(this->widget());
}

template <class Self>
void RangeControl<Self>::applyRange() {
    const QSignalBlocker block(slider());
    slider()->setRange(std::min(min_, max_), std::max(min_, max_));
    // Min lies at the top (left) whichever limit is the larger.
    slider()->setInvertedAppearance(min_ > max_);
    slider()->setInvertedControls(min_ > max_);
}

template <class Self>
Self& RangeControl<Self>::setMin(int min) {
    if (this->assign(min_, min)) applyRange();
    return this->self();
}

template <class Self>
Self& RangeControl<Self>::setMax(int max) {
    if (this->assign(max_, max)) applyRange();
    return this->self();
}

template <class Self>
int RangeControl<Self>::SmallChange() const {
    return slider()->singleStep();
}
template <class Self>
int RangeControl<Self>::LargeChange() const {
    return slider()->pageStep();
}

template <class Self>
Self& RangeControl<Self>::setSmallChange(int step) {
    this->assignVia(SmallChange(), step, [&] { slider()->setSingleStep(step); });
    return this->self();
}

template <class Self>
Self& RangeControl<Self>::setLargeChange(int step) {
    this->assignVia(LargeChange(), step, [&] { slider()->setPageStep(step); });
    return this->self();
}

template <class Self>
int RangeControl<Self>::Value() const {
    return slider()->value();
}

template <class Self>
Self& RangeControl<Self>::setValue(int value) {
    const int wanted = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    const auto store = [&] {
        const QSignalBlocker block(slider());
        slider()->setValue(wanted);
    };
    if (codeRaisesChange()) {
        this->assignVia(Value(), wanted, store, change_);
    } else {
        this->assignVia(Value(), wanted, store);
    }
    return this->self();
}

template class RangeControl<Slider>;
template class RangeControl<HScrollBar>;
template class RangeControl<VScrollBar>;

namespace {
QSlider* MakeSlider(QWidget* parent) {
    auto* slider = new detail::FocusWidget<QSlider>(Qt::Horizontal, parent);
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}
}  // namespace

Slider::Slider(ControlKey, Form& form, std::string name)
    : RangeControl(form, std::move(name), MakeSlider(home(form)), 0, 10) {
    setLargeChange(5);
}

HScrollBar::HScrollBar(ControlKey, Form& form, std::string name)
    : RangeControl(form, std::move(name),
                   new detail::FocusWidget<QScrollBar>(Qt::Horizontal, home(form)), 0, 32767) {}

VScrollBar::VScrollBar(ControlKey, Form& form, std::string name)
    : RangeControl(form, std::move(name),
                   new detail::FocusWidget<QScrollBar>(Qt::Vertical, home(form)), 0, 32767) {}

}  // namespace qor::ui
