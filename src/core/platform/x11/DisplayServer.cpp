#include "core/platform/DisplayServer.h"

#include <xcb/xcb.h>

namespace galewarden {

bool x11DisplayReachable() {
    // A failed connection is an object in an error state, freed like a good one.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

}  // namespace galewarden
