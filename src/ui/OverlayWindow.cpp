#include "ui/OverlayWindow.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

#include "core/platform/WindowStacking.h"

namespace galewarden {

namespace {

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Compositors that place windows themselves refuse a client's opacity, and say so each time.
bool opacityIsTheWindowsOwn() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

void makeOverlay(QWidget& window, Qt::WindowFlags extraFlags) {
    if (onX11()) {
        extraFlags |= Qt::X11BypassWindowManagerHint;
    }
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          extraFlags);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.setAttribute(Qt::WA_X11DoNotAcceptFocus);
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.setFocusPolicy(Qt::NoFocus);
}

void setOverlayAlpha(QWidget& window, int alpha) {
    const int shown = std::clamp(alpha, 1, 255);
    if (!opacityIsTheWindowsOwn() || qRound(window.windowOpacity() * 255) == shown) {
        return;
    }
    window.setWindowOpacity(shown / 255.0);
    // On X11 the new opacity reaches the server only with the next paint.
    window.update();
}

WindowRect windowRectOf(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

bool placesItself(const QWidget& window) {
    return window.windowFlags().testFlag(Qt::X11BypassWindowManagerHint);
}

// Raised only when an application's window covers it: raising it over an open menu or a
// tooltip would hide what the user is about to click.
void holdOnTop(std::initializer_list<QWidget*> windows) {
    std::vector<QWidget*> held;
    std::vector<std::uintptr_t> ids;
    for (QWidget* window : windows) {
        if (placesItself(*window) && staysOnTop(*window) && window->isVisible()) {
            held.push_back(window);
            ids.push_back(window->winId());
        }
    }
    if (held.empty()) {
        return;
    }
    const std::vector<bool> covered = coveredByManagedWindows(ids);
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (covered[i]) {
            held[i]->raise();
        }
    }
}

bool staysOnTop(const QWidget& window) {
    return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void setStaysOnTop(QWidget& window, bool onTop) {
    if (staysOnTop(window) == onTop) {
        return;
    }
    const bool wasVisible = window.isVisible();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        window.show();
    }
}

}  // namespace galewarden
