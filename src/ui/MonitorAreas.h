#pragma once

#include <vector>

#include "core/platform/FullScreenWindows.h"

namespace galewarden {

// Every monitor as the window system counts its pixels: Qt's screens keep their native top
// left corner and scale only their size.
std::vector<MonitorArea> monitorAreas();

// The full-screen count over every monitor of the moment, for the icon and the calibration.
int countFullScreenWindowsOnEveryMonitor(int base);

}  // namespace galewarden
