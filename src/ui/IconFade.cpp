#include "ui/IconFade.h"

#include <algorithm>

namespace galewarden {

void interruptFade(DisplayState& state) {
    state.fadeStep = 0;
}

FadeTick nextFadeTick(DisplayState& state) {
    FadeTick tick;
    const bool fading = state.animate && state.entryCount() > 1;
    if (!fading) {
        // A fade cut short shows full opacity at once rather than at the next settings pass.
        tick.applyAlpha = state.fadeStep != kFullFadeStep;
        state.fadeStep = kFullFadeStep;
        tick.stopTimer = true;
        tick.changePicture = true;
        return tick;
    }
    state.fadeStep += state.fadeDirection ? 1 : -1;
    if (state.fadeStep <= 1) {
        state.fadeDirection = true;
        state.fadeStep = 1;
    }
    if (state.fadeStep >= kFullFadeStep) {
        state.fadeDirection = false;
        state.fadeStep = kFullFadeStep;
        tick.stopTimer = true;
    }
    tick.applyAlpha = true;
    tick.changePicture = state.fadeStep == 1;
    return tick;
}

int fadedAlpha(int configuredAlpha, int fadeStep) {
    const int alpha = std::clamp(configuredAlpha, 0, 255);
    const int step = std::clamp(fadeStep, 0, kFullFadeStep);
    return std::max(alpha * step / kFullFadeStep, 1);
}

}  // namespace galewarden
