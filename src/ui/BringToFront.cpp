#include "ui/BringToFront.h"

#include <QWidget>

namespace galewarden {

void bringToFront(QWidget* window) {
    // show() alone leaves a minimized window in the task bar.
    if (window->isMinimized()) {
        window->showNormal();
    } else {
        window->show();
    }
    window->raise();
    window->activateWindow();
}

}  // namespace galewarden
