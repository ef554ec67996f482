#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include "core/platform/WindowStacking.h"
#include "support/Xvfb.h"

namespace galewarden {
namespace {

// The icon: a window that places itself, 100 x 82 at 600,100.
class WindowStacking : public test::XvfbTest {
  protected:
    void SetUp() override {
        XvfbTest::SetUp();
        if (connection_ != nullptr) {
            icon_ = create(
                {.left = 600, .top = 100, .width = 100, .height = 82, .overrideRedirect = true});
        }
    }

    bool covered() { return coveredByManagedWindows({icon_})[0]; }
    void raiseIcon() {
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(connection_, icon_, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        sync();
    }

    xcb_window_t icon_ = 0;
};

struct CoverCase {
    const char* what;
    WindowStacking::NewWindow window;
    bool covers;
};

TEST_F(WindowStacking, OnlyAnApplicationsWindowOverTheIconCovers) {
    const CoverCase cases[] = {
        {"an application's window over it", {.left = 650, .top = 150, .width = 300}, true},
        {"one whose border reaches it", {.left = 500, .top = 100, .width = 99, .border = 1}, true},
        {"a menu over it", {.left = 650, .top = 150, .overrideRedirect = true}, false},
        {"a window beside it", {.left = 700, .top = 100}, false},
        {"a window not shown", {.left = 600, .top = 100, .mapped = false}, false},
    };
    EXPECT_FALSE(covered()) << "alone on the screen";
    for (const CoverCase& c : cases) {
        const xcb_window_t other = create(c.window);
        EXPECT_EQ(covered(), c.covers) << c.what;
        raiseIcon();
        EXPECT_FALSE(covered()) << c.what << ", the icon raised";
        xcb_destroy_window(connection_, other);
        sync();
    }
}

// Below the icon nothing counts, and an application's window counts again once it is raised.
TEST_F(WindowStacking, TheOrderDecides) {
    const xcb_window_t below = create({.left = 550, .top = 50, .width = 400, .height = 400});
    raiseIcon();
    EXPECT_FALSE(covered());
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(connection_, below, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    sync();
    EXPECT_TRUE(covered());
}

// The icon and its label in one look: each answer is its own window's, and the label, which
// places itself too, covers nothing.
TEST_F(WindowStacking, OneLookAnswersForEachWindow) {
    const xcb_window_t label =
        create({.left = 600, .top = 150, .width = 100, .height = 40, .overrideRedirect = true});
    EXPECT_EQ(coveredByManagedWindows({icon_, label}), std::vector<bool>({false, false}));
    const xcb_window_t over = create({.left = 650, .top = 185, .width = 300});
    EXPECT_EQ(coveredByManagedWindows({icon_, label}), std::vector<bool>({false, true}));
    xcb_destroy_window(connection_, over);
    sync();
    EXPECT_EQ(coveredByManagedWindows({icon_, label}), std::vector<bool>({false, false}));
}

TEST(WindowStackingWithoutDisplay, AWindowCountsAsCovered) {
    ::setenv("DISPLAY", ":65000", 1);
    EXPECT_EQ(coveredByManagedWindows({0x400001, 0x400002}), std::vector<bool>({true, true}));
    ::unsetenv("DISPLAY");
}

}  // namespace
}  // namespace galewarden
