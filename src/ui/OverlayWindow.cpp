#include "ui/OverlayWindow.h"

#include <QWidget>
#include <algorithm>

namespace galewarden {

void makeOverlay(QWidget& window, Qt::WindowFlags extraFlags) {
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          extraFlags);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.setAttribute(Qt::WA_X11DoNotAcceptFocus);
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.setFocusPolicy(Qt::NoFocus);
}

void setOverlayAlpha(QWidget& window, int alpha) {
    const int shown = std::clamp(alpha, 1, 255);
    if (qRound(window.windowOpacity() * 255) == shown) {
        return;
    }
    window.setWindowOpacity(shown / 255.0);
    // On X11 the new opacity reaches the server only with the next paint.
    window.update();
}

WindowRect windowRectOf(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
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
