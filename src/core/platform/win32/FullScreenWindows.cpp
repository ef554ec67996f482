#include "core/platform/FullScreenWindows.h"

#include <windows.h>

namespace galewarden {
namespace {

struct Search {
    int screenWidth = 0;
    int screenHeight = 0;
    int found = 0;
};

BOOL CALLBACK countIfFullScreen(HWND window, LPARAM data) {
    Search& search = *reinterpret_cast<Search*>(data);
    RECT bounds{};
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0 &&
        GetWindowRect(window, &bounds) && bounds.right - bounds.left == search.screenWidth &&
        bounds.bottom - bounds.top == search.screenHeight) {
        ++search.found;
    }
    return TRUE;
}

}  // namespace

int countFullScreenWindows(int base) {
    Search search{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EnumWindows(countIfFullScreen, reinterpret_cast<LPARAM>(&search));
    return search.found - base;
}

}  // namespace galewarden
