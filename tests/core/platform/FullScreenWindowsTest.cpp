#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/platform/FullScreenWindows.h"
#include "support/Xvfb.h"

namespace galewarden {
namespace {

constexpr int kScreenWidth = test::XvfbTest::kScreenWidth;
constexpr int kScreenHeight = test::XvfbTest::kScreenHeight;

struct Window {
    const char* what;
    int width;
    int height;
    int border;
    bool mapped;
    bool overrideRedirect;
    bool childOfPrevious;
};

// Three of these count.
const Window kWindows[] = {
    {"full screen", kScreenWidth, kScreenHeight, 0, true, false, false},
    {"override-redirect full screen", kScreenWidth, kScreenHeight, 0, true, true, false},
    {"border making it screen-sized", kScreenWidth - 2, kScreenHeight - 2, 1, true, false, false},
    {"border making it larger", kScreenWidth, kScreenHeight, 1, true, false, false},
    {"maximised beside a panel", kScreenWidth, kScreenHeight - 28, 0, true, false, false},
    {"small", 300, 200, 0, true, false, false},
    {"screen-sized child of a small one", kScreenWidth, kScreenHeight, 0, true, false, true},
    {"screen-sized but never mapped", kScreenWidth, kScreenHeight, 0, false, false, false},
};

class FullScreenWindows : public test::XvfbTest {
  protected:
    xcb_window_t create(const Window& window, xcb_window_t parent) {
        return XvfbTest::create({.width = window.width,
                                 .height = window.height,
                                 .border = window.border,
                                 .mapped = window.mapped,
                                 .overrideRedirect = window.overrideRedirect},
                                parent);
    }
};

TEST_F(FullScreenWindows, ShownTopLevelWindowsOfTheScreensOuterSizeCount) {
    xcb_window_t previous = root_;
    for (const Window& window : kWindows) {
        previous = create(window, window.childOfPrevious ? previous : root_);
    }
    for (const auto& [base, expected] : {std::pair{0, 3}, {3, 0}, {5, -2}}) {
        EXPECT_EQ(countFullScreenWindows(base), expected) << "base " << base;
    }
}

TEST_F(FullScreenWindows, TheCountFollowsAWindowThatComesAndGoes) {
    const xcb_window_t video = create(kWindows[0], root_);
    EXPECT_EQ(countFullScreenWindows(1), 0);
    xcb_unmap_window(connection_, video);
    sync();
    EXPECT_EQ(countFullScreenWindows(1), -1);
    xcb_map_window(connection_, video);
    sync();
    EXPECT_EQ(countFullScreenWindows(1), 0);
    xcb_destroy_window(connection_, video);
    sync();
    EXPECT_EQ(countFullScreenWindows(1), -1);
}

// Two monitors side by side on one screen: a player full screen on either counts, a window as
// large as a monitor elsewhere does not.
TEST_F(FullScreenWindows, AWindowCoveringOneMonitorCounts) {
    const std::vector<MonitorArea> monitors = {{0, 0, 512, 768}, {512, 0, 512, 768}};
    const auto place = [&](int left, int top, int width, int height) {
        XvfbTest::create({.left = left, .top = top, .width = width, .height = height});
    };
    place(512, 0, 512, 768);
    EXPECT_EQ(countFullScreenWindows(0, monitors), 1);
    EXPECT_EQ(countFullScreenWindows(0), 0) << "without the monitors only the whole screen counts";
    place(0, 0, 512, 768);
    place(100, 0, 512, 768);
    EXPECT_EQ(countFullScreenWindows(0, monitors), 2);
}

TEST(FullScreenWindowsWithoutDisplay, NothingIsFullScreen) {
    for (const char* display :
         {static_cast<const char*>(nullptr), "", "no-such-display", ":65000"}) {
        SCOPED_TRACE(display != nullptr ? display : "(unset)");
        if (display != nullptr) {
            ::setenv("DISPLAY", display, 1);
        } else {
            ::unsetenv("DISPLAY");
        }
        EXPECT_EQ(countFullScreenWindows(3), -3);
        EXPECT_EQ(countFullScreenWindows(0), 0);
    }
    ::unsetenv("DISPLAY");
}

}  // namespace
}  // namespace galewarden
