#include "platform/ui/translucency.h"

#include <QWidget>
#include <algorithm>

#include "platform/ui/form.h"

namespace qor::ui {

void SetWindowTranslucency(Form& form, const QColor& colourKey, int alpha, int flags) {
    form.setLayered(true);
    if (flags & kLayeredAlpha) SetWindowAlpha(form, alpha);
    if (flags & kLayeredColourKey) form.setColourKey(colourKey);
}

void SetWindowAlpha(Form& form, int alpha) {
    form.setLayered(true);
    form.widget()->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

void ClearLayered(Form& form) {
    form.clearColourKey();
    form.widget()->setWindowOpacity(1.0);
    form.setLayered(false);
}

bool isLayered(const Form& form) { return form.layered(); }

int32_t SetWindowPos(int32_t hWnd, int32_t hWndInsertAfter, int32_t, int32_t, int32_t, int32_t,
                     int32_t) {
    Form* form = FormFromHandle(hWnd);
    if (form == nullptr) return 0;
    if (hWndInsertAfter == HWND_TOPMOST) form->setTopMost(true);
    if (hWndInsertAfter == HWND_NOTOPMOST) form->setTopMost(false);
    return 1;
}

}  // namespace qor::ui
