#include "ui/MonitorAreas.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace galewarden {

std::vector<MonitorArea> monitorAreas() {
    std::vector<MonitorArea> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        areas.push_back({logical.left(), logical.top(),
                         static_cast<int>(std::lround(logical.width() * ratio)),
                         static_cast<int>(std::lround(logical.height() * ratio))});
    }
    return areas;
}

int countFullScreenWindowsOnEveryMonitor(int base) {
    return countFullScreenWindows(base, monitorAreas());
}

}  // namespace galewarden
