#include "core/platform/TerminationRequests.h"

namespace galewarden {

// Windows ends a windowed program through its windows (WM_ENDSESSION), which Qt handles.
int watchTerminationRequests() {
    return -1;
}

void drainTerminationRequests() {}

}  // namespace galewarden
