#include "ui/FullScreenRule.h"

namespace galewarden {

bool fullScreenClear(bool iconWanted, const FullScreenOptions& options,
                     const CountFullScreenWindows& count) {
    if (!iconWanted) {
        return false;
    }
    if (!options.autoHide || options.base >= kFullScreenCheckOff) {
        return true;
    }
    // A base of 0 or less keeps the icon hidden while auto-hide is on.
    if (options.base <= 0) {
        return false;
    }
    return !count || count(options.base) <= 0;
}

}  // namespace galewarden
