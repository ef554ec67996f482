#include "core/platform/FullScreenWindows.h"

namespace galewarden {

// No display system known to the build: no window is full screen.
int countFullScreenWindows(int base, const std::vector<MonitorArea>& /*monitors*/) {
    return -base;
}

}  // namespace galewarden
