#include "app/ProgramTimers.h"

namespace galewarden {

ProgramTimers::ProgramTimers() {
    trayHide.setSingleShot(true);
    updateCheck.setSingleShot(true);
}

void ProgramTimers::stopAll() {
    for (QTimer* timer : {&refresh, &rotation, &visibility, &trayHide, &updateCheck, &fade}) {
        timer->stop();
    }
}

void setTimerInterval(QTimer& timer, int milliseconds) {
    if (milliseconds <= 0) {
        timer.stop();
    } else {
        timer.start(milliseconds);
    }
}

}  // namespace galewarden
