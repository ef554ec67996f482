#include "core/platform/DisplayServer.h"

namespace galewarden {

bool x11DisplayReachable() {
    return false;
}

}  // namespace galewarden
