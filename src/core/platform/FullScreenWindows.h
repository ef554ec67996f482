#pragma once

#include <vector>

namespace galewarden {

// A monitor's place on the desktop, in the window system's pixels.
struct MonitorArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The number of full-screen windows minus `base`. A full-screen window is a top-level window
// that is shown and, borders included, either exactly as large as the whole screen (where it
// stands does not matter) or exactly covers one of `monitors`. Such windows that nobody sees
// (a desktop, a compositor's overlay) count too: `base`, found by calibration, discounts them.
// Without a display nothing is full screen.
int countFullScreenWindows(int base, const std::vector<MonitorArea>& monitors = {});

}  // namespace galewarden
