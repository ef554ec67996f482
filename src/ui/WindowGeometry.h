#pragma once

#include <vector>

namespace galewarden {

// Where the icon and label windows go, in screen pixels.
struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowRect&) const = default;
};

// The sides a window takes: the configured value held to 1..largest, so that a 0 gives an
// (almost) empty window and a huge value no giant one. kLargestSide counts pixels; on a scaled
// screen largestSide gives fewer points, so that the window's memory stays the same.
inline constexpr int kLargestSide = 4096;
int largestSide(double devicePixelRatio);
int windowSide(int configured, int largest = kLargestSide);

// [General] Width, Height, Top and Right as read.
struct ConfiguredIcon {
    int width = 100;
    int height = 82;
    int top = 60;
    int right = 80;
};

// Right is counted from the right edge of the primary screen, Top from its top.
WindowRect iconRect(const WindowRect& primaryScreen, const ConfiguredIcon& configured,
                    int largest = kLargestSide);

// Top and Right that keep an icon at `icon`, for the configuration.
struct IconPlace {
    int top = 0;
    int right = 0;
};
IconPlace placeOfIcon(const WindowRect& primaryScreen, const WindowRect& icon);

// The icon must stay where the user can take hold of it: a window that overlaps a screen is
// moved wholly onto the screen it overlaps most, one that overlaps none onto the primary
// screen. A window larger than its screen keeps its top left corner on it.
WindowRect keepReachable(const WindowRect& window, const std::vector<WindowRect>& screens,
                         const WindowRect& primaryScreen);

// [Label] PosX, PosY, Width and Height as read.
struct ConfiguredLabel {
    int posX = 0;
    int posY = 60;
    int width = 360;
    int height = 30;
};

// The label's centre lies PosX, PosY from the icon's centre; halves drop their remainder.
// Coordinates are held to what every window system takes.
WindowRect labelRect(const WindowRect& icon, const ConfiguredLabel& configured,
                     int largest = kLargestSide);

}  // namespace galewarden
