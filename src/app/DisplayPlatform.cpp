#include "app/DisplayPlatform.h"

#include <QtGlobal>

#include "core/platform/DisplayServer.h"

namespace galewarden {
namespace {

DisplaySession sessionOfEnvironment() {
    DisplaySession session;
    session.platformAsked = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    session.wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                      qgetenv("XDG_SESSION_TYPE").toLower() == "wayland";
    session.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    return session;
}

}  // namespace

DisplayPlatform chooseDisplayPlatform(const DisplaySession& session,
                                      const std::function<bool()>& x11Reachable) {
    if (session.platformAsked || !session.wayland) {
        return DisplayPlatform::qtChoice;
    }
    if (session.x11Display && x11Reachable()) {
        return DisplayPlatform::xwayland;
    }
    return DisplayPlatform::waylandOnly;
}

DisplayPlatform preferPlaceableWindows() {
    const DisplayPlatform platform =
        chooseDisplayPlatform(sessionOfEnvironment(), [] { return x11DisplayReachable(); });
    if (platform == DisplayPlatform::xwayland) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    return platform;
}

}  // namespace galewarden
