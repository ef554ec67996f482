#include "core/platform/FullScreenWindows.h"

#include <windows.h>

#include <algorithm>

namespace galewarden {
namespace {

struct Search {
    int screenWidth = 0;
    int screenHeight = 0;
    const std::vector<MonitorArea>* monitors = nullptr;
    int found = 0;
};

bool coversAMonitor(const RECT& bounds, const std::vector<MonitorArea>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(), [&](const MonitorArea& monitor) {
        return bounds.left == monitor.left && bounds.top == monitor.top &&
               bounds.right - bounds.left == monitor.width &&
               bounds.bottom - bounds.top == monitor.height;
    });
}

BOOL CALLBACK countIfFullScreen(HWND window, LPARAM data) {
    Search& search = *reinterpret_cast<Search*>(data);
    RECT bounds{};
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) == 0 ||
        !GetWindowRect(window, &bounds)) {
        return TRUE;
    }
    if ((bounds.right - bounds.left == search.screenWidth &&
         bounds.bottom - bounds.top == search.screenHeight) ||
        coversAMonitor(bounds, *search.monitors)) {
        ++search.found;
    }
    return TRUE;
}

}  // namespace

int countFullScreenWindows(int base, const std::vector<MonitorArea>& monitors) {
    Search search{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), &monitors};
    EnumWindows(countIfFullScreen, reinterpret_cast<LPARAM>(&search));
    return search.found - base;
}

}  // namespace galewarden
