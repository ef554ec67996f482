#pragma once

#include <Qt>

#include "ui/WindowGeometry.h"

class QRect;
class QWidget;

namespace galewarden {

// What the icon and label windows share: no frame, no focus, no task-bar button, an opacity
// and a switchable always-on-top state.
void makeOverlay(QWidget& window, Qt::WindowFlags extraFlags = {});

// Opacity 0..255 (held to that range); 0 is shown as 1, never wholly transparent.
void setOverlayAlpha(QWidget& window, int alpha);

WindowRect windowRectOf(const QRect& rect);

bool staysOnTop(const QWidget& window);
// Changing the flag re-creates the window on some systems, which hides it: it is shown again.
void setStaysOnTop(QWidget& window, bool onTop);

}  // namespace galewarden
