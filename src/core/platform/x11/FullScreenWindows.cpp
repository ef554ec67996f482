#include "core/platform/FullScreenWindows.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "core/platform/x11/XcbReplies.h"

namespace galewarden {
namespace {

// The children of the root are what the user sees as windows: with a reparenting window
// manager they are the frames, and a full-screen client's frame covers the screen exactly
// while a maximised one leaves the panels free; without one they are the clients themselves.
// Override-redirect windows (many games and players) are among them too, though no window
// manager lists them in _NET_CLIENT_LIST. Their outer size is what GetWindowRect gives on
// Windows.

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

using xcb::owned;
using xcb::screenNumbered;

// A player made full screen on one monitor of several covers that monitor, not the screen.
bool coversScreen(const xcb_get_geometry_reply_t& geometry, const xcb_screen_t& screen,
                  const std::vector<MonitorArea>& monitors) {
    const int border = 2 * geometry.border_width;
    const int width = geometry.width + border;
    const int height = geometry.height + border;
    if (width == screen.width_in_pixels && height == screen.height_in_pixels) {
        return true;
    }
    return std::any_of(monitors.begin(), monitors.end(), [&](const MonitorArea& monitor) {
        return geometry.x == monitor.left && geometry.y == monitor.top && width == monitor.width &&
               height == monitor.height;
    });
}

int countOnDisplay(const std::vector<MonitorArea>& monitors) {
    int screenNumber = 0;
    // A failed connection is an object in an error state, freed like a good one.
    const Connection connection(xcb_connect(nullptr, &screenNumber));
    if (xcb_connection_has_error(connection.get()) != 0) {
        return 0;
    }
    const xcb_screen_t* screen = screenNumbered(connection.get(), screenNumber);
    if (screen == nullptr) {
        return 0;
    }
    const auto tree = owned(xcb_query_tree_reply(
        connection.get(), xcb_query_tree(connection.get(), screen->root), nullptr));
    if (!tree) {
        return 0;
    }
    const xcb_window_t* windows = xcb_query_tree_children(tree.get());
    const int windowCount = xcb_query_tree_children_length(tree.get());
    // Every question goes out before the first answer is awaited: one round trip in all.
    std::vector<xcb_get_window_attributes_cookie_t> attributeQuestions;
    std::vector<xcb_get_geometry_cookie_t> geometryQuestions;
    for (int i = 0; i < windowCount; ++i) {
        attributeQuestions.push_back(xcb_get_window_attributes(connection.get(), windows[i]));
        geometryQuestions.push_back(xcb_get_geometry(connection.get(), windows[i]));
    }
    int count = 0;
    for (int i = 0; i < windowCount; ++i) {
        // A window destroyed since the tree was read has no answers.
        const auto attributes = owned(
            xcb_get_window_attributes_reply(connection.get(), attributeQuestions[i], nullptr));
        const auto geometry =
            owned(xcb_get_geometry_reply(connection.get(), geometryQuestions[i], nullptr));
        if (attributes && geometry && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
            coversScreen(*geometry, *screen, monitors)) {
            ++count;
        }
    }
    return count;
}

}  // namespace

int countFullScreenWindows(int base, const std::vector<MonitorArea>& monitors) {
    return countOnDisplay(monitors) - base;
}

}  // namespace galewarden
