#include "ui/WindowGeometry.h"

#include <algorithm>

namespace galewarden {
namespace {

// X11 positions are 16-bit; far beyond any screen, well inside that.
constexpr long long kFarthest = 30000;

int coordinate(long long value) {
    return static_cast<int>(std::clamp(value, -kFarthest, kFarthest));
}

long long overlap(const WindowRect& a, const WindowRect& b) {
    const long long width = std::min<long long>(a.left + a.width, b.left + b.width) -
                            std::max<long long>(a.left, b.left);
    const long long height =
        std::min<long long>(a.top + a.height, b.top + b.height) - std::max<long long>(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Moves one coordinate so that [start, start + length) lies inside [low, low + room); the
// start wins where the window is longer than the room.
int within(int start, int length, int low, int room) {
    const int highest = low + std::max(room - length, 0);
    return std::max(std::min(start, highest), low);
}

}  // namespace

int largestSide(double devicePixelRatio) {
    if (!(devicePixelRatio > 1)) {  // NaN as well
        return kLargestSide;
    }
    return std::max(1, static_cast<int>(kLargestSide / devicePixelRatio));
}

int windowSide(int configured, int largest) {
    return std::clamp(configured, 1, std::max(largest, 1));
}

WindowRect iconRect(const WindowRect& primaryScreen, const ConfiguredIcon& configured,
                    int largest) {
    const int width = windowSide(configured.width, largest);
    const int height = windowSide(configured.height, largest);
    const long long left =
        static_cast<long long>(primaryScreen.left) + primaryScreen.width - configured.right - width;
    const long long top = static_cast<long long>(primaryScreen.top) + configured.top;
    return {coordinate(left), coordinate(top), width, height};
}

IconPlace placeOfIcon(const WindowRect& primaryScreen, const WindowRect& icon) {
    return {icon.top - primaryScreen.top,
            primaryScreen.left + primaryScreen.width - icon.left - icon.width};
}

WindowRect keepReachable(const WindowRect& window, const std::vector<WindowRect>& screens,
                         const WindowRect& primaryScreen) {
    WindowRect home = primaryScreen;
    long long best = 0;
    for (const WindowRect& screen : screens) {
        const long long shared = overlap(window, screen);
        if (shared > best) {
            best = shared;
            home = screen;
        }
    }
    return {within(window.left, window.width, home.left, home.width),
            within(window.top, window.height, home.top, home.height), window.width, window.height};
}

WindowRect labelRect(const WindowRect& icon, const ConfiguredLabel& configured, int largest) {
    const int width = windowSide(configured.width, largest);
    const int height = windowSide(configured.height, largest);
    const long long left =
        static_cast<long long>(icon.left) + icon.width / 2 + configured.posX - width / 2;
    const long long top =
        static_cast<long long>(icon.top) + icon.height / 2 + configured.posY - height / 2;
    return {coordinate(left), coordinate(top), width, height};
}

}  // namespace galewarden
