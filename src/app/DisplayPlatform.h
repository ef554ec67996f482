#pragma once

#include <functional>

namespace galewarden {

// What the environment says about the session, read before Qt starts.
struct DisplaySession {
    bool platformAsked = false;  // QT_QPA_PLATFORM names one: the user's choice wins
    bool wayland = false;        // WAYLAND_DISPLAY, or XDG_SESSION_TYPE=wayland
    bool x11Display = false;     // DISPLAY names an X server (Xwayland in a Wayland session)
};

enum class DisplayPlatform {
    qtChoice,     // X11, Windows, or what the user asked for
    xwayland,     // a Wayland session, run on its X server so that the icon can be placed
    waylandOnly,  // no X server: the compositor places the windows
};

// Only X11 lets a program place its own windows, so a Wayland session is left for its X server
// whenever one answers. `x11Reachable` is asked only when the answer depends on it.
DisplayPlatform chooseDisplayPlatform(const DisplaySession& session,
                                      const std::function<bool()>& x11Reachable);

// Reads the environment, decides, and asks Qt for xcb where that is the choice. Called before
// the application object exists.
DisplayPlatform preferPlaceableWindows();

}  // namespace galewarden
