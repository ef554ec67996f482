#pragma once

namespace galewarden {

// The number of full-screen windows minus `base`. A full-screen window is a top-level window
// that is shown and exactly as large as the primary screen, borders included; where it stands
// does not matter. Such windows that nobody sees (a desktop, a compositor's overlay) count
// too: `base`, found by calibration, discounts them. Without a display nothing is full screen.
int countFullScreenWindows(int base);

}  // namespace galewarden
