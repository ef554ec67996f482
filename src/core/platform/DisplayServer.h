#pragma once

namespace galewarden {

// Whether an X server (Xwayland in a Wayland session) accepts a connection on $DISPLAY.
// Where the build knows no X11 the answer is no.
bool x11DisplayReachable();

}  // namespace galewarden
