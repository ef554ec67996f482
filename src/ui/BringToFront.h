#pragma once

class QWidget;

namespace galewarden {

// Shows `window` as the user last had it, un-minimized, raised and active.
void bringToFront(QWidget* window);

}  // namespace galewarden
