#include "tuner/tuner_layout.h"

#include <cmath>

namespace qor::tuner {

int ScreenDpi(double twipsPerPixel) {
    const long perPixel = std::isfinite(twipsPerPixel) ? std::lround(twipsPerPixel) : 0;
    if (perPixel <= 0 || perPixel > 1440) return 96;
    return static_cast<int>(1440 / perPixel);
}

double DpiScale(int dpi) { return dpi > 0 ? 96.0 / dpi : 1.0; }

}  // namespace qor::tuner
