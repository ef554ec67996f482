#pragma once

#include <Qt>
#include <initializer_list>

#include "ui/WindowGeometry.h"

class QRect;
class QWidget;

namespace galewarden {

// What the icon and label windows share: no frame, no focus, no task-bar button, an opacity
// and a switchable always-on-top state. On X11 they stand outside the window manager, as
// on-screen overlays do: a window manager (Xwayland's above all) would place them where it
// likes, not at their configured place.
void makeOverlay(QWidget& window, Qt::WindowFlags extraFlags = {});

// Whether the window stands outside the window manager: it then moves itself when dragged.
bool placesItself(const QWidget& window);

// No window manager keeps an overlay on top; each of `windows` is raised again, while it should
// stay there, whenever an application's window has come over it.
void holdOnTop(std::initializer_list<QWidget*> windows);

// Opacity 0..255 (held to that range); 0 is shown as 1, never wholly transparent.
void setOverlayAlpha(QWidget& window, int alpha);

WindowRect windowRectOf(const QRect& rect);

bool staysOnTop(const QWidget& window);
// Changing the flag re-creates the window on some systems, which hides it: it is shown again.
void setStaysOnTop(QWidget& window, bool onTop);

}  // namespace galewarden
