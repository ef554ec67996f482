#pragma once

namespace galewarden {

inline constexpr int kFadeTickMs = 25;
inline constexpr int kFullFadeStep = 10;

// What one tick of the fade between two pictures asks of the windows.
struct FadeTick {
    bool stopTimer = false;
    bool applyAlpha = false;  // the step moved: the visible windows take the new opacity
    bool changePicture = false;
};

// The opacity applied for a configured alpha at a fade step: ⌊alpha × step ÷ 10⌋, both held
// to their ranges; 0 is raised to 1, since the windows are never wholly transparent.
int fadedAlpha(int configuredAlpha, int fadeStep);

}  // namespace galewarden
