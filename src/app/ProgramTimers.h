#pragma once

#include <QTimer>

namespace galewarden {

// The program's timers, all on the interface thread. An interval of 0 stops a timer.
struct ProgramTimers {
    QTimer refresh;      // starts a refresh pass; armed by each pass at its end
    QTimer rotation;     // the next picture of the icon window, every [General] Interval
    QTimer visibility;   // the icon window's once-a-second visibility and settings pass
    QTimer trayHide;     // hides the tray icon two minutes after the last warning went
    QTimer updateCheck;  // the delayed update check after the start
    QTimer fade;         // the steps of a picture change, every 25 ms

    ProgramTimers();
    void stopAll();
};

// Starts the timer with the interval, or stops it for 0 (and less).
void setTimerInterval(QTimer& timer, int milliseconds);

}  // namespace galewarden
