#pragma once

#include "ui/DisplayState.h"

namespace galewarden {

inline constexpr int kFadeTickMs = 25;
inline constexpr int kFullFadeStep = 10;

// What one tick of the fade between two pictures asks of the windows.
struct FadeTick {
    bool stopTimer = false;
    bool applyAlpha = false;  // the step moved: the visible windows take the new opacity
    bool changePicture = false;
};

// A switch that arrives during a fade starts it again at the bottom, so the next tick changes
// the picture at once.
void interruptFade(DisplayState& state);

// One tick: with animation and several pictures the opacity falls to 1 tenth, the picture
// changes there and the opacity rises to 10 tenths, 18 ticks in all; otherwise the picture
// changes at once at full opacity.
FadeTick nextFadeTick(DisplayState& state);

// The opacity applied for a configured alpha at a fade step: ⌊alpha × step ÷ 10⌋, both held
// to their ranges; 0 is raised to 1, since the windows are never wholly transparent.
int fadedAlpha(int configuredAlpha, int fadeStep);

}  // namespace galewarden
