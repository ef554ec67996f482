#pragma once

#include <functional>

namespace galewarden {

// The number of screen-sized visible top-level windows minus `base`; the platform layer
// provides it.
using CountFullScreenWindows = std::function<int(int base)>;

// [Screen] Basic from this value on switches the full-screen check off.
inline constexpr int kFullScreenCheckOff = 99;

struct FullScreenOptions {
    bool autoHide = false;  // [Screen] AutoHide
    int base = 3;           // [Screen] Basic
};

// Whether full-screen windows leave the icon alone. `iconWanted` is whether the other
// conditions would show it; the windows are counted only when the answer depends on them.
// Without a counter no window counts as full-screen.
bool fullScreenClear(bool iconWanted, const FullScreenOptions& options,
                     const CountFullScreenWindows& count);

}  // namespace galewarden
