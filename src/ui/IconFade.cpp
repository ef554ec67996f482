#include "ui/IconFade.h"

#include <algorithm>

namespace galewarden {

int fadedAlpha(int configuredAlpha, int fadeStep) {
    const int alpha = std::clamp(configuredAlpha, 0, 255);
    const int step = std::clamp(fadeStep, 0, kFullFadeStep);
    return std::max(alpha * step / kFullFadeStep, 1);
}

}  // namespace galewarden
