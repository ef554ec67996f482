#include "core/platform/WindowStacking.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace galewarden {
namespace {

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPointer<Reply> owned(Reply* reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

// Asked once a second: one connection for the run, made again when it broke or DISPLAY changed.
class Display {
  public:
    ~Display() { close(); }

    xcb_connection_t* connection() {
        const char* display = std::getenv("DISPLAY");
        const std::string name = display != nullptr ? display : "";
        if (connection_ != nullptr &&
            (xcb_connection_has_error(connection_) != 0 || name != name_)) {
            close();
        }
        if (connection_ == nullptr) {
            connection_ = xcb_connect(nullptr, nullptr);
            name_ = name;
        }
        return xcb_connection_has_error(connection_) == 0 ? connection_ : nullptr;
    }

  private:
    void close() {
        if (connection_ != nullptr) {
            xcb_disconnect(connection_);  // a failed connection is freed like a good one
            connection_ = nullptr;
        }
    }

    xcb_connection_t* connection_ = nullptr;
    std::string name_;
};

struct Area {
    int left = 0, top = 0, right = 0, bottom = 0;

    explicit Area(const xcb_get_geometry_reply_t& g)
        : left(g.x),
          top(g.y),
          right(g.x + g.width + 2 * g.border_width),
          bottom(g.y + g.height + 2 * g.border_width) {}

    bool overlaps(const Area& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

bool coveredOn(xcb_connection_t* connection, xcb_window_t window) {
    const auto ours =
        owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    if (!ours) {
        return false;  // not (or no longer) a window: nothing to raise
    }
    const auto tree =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, ours->root), nullptr));
    if (!tree) {
        return true;
    }
    // Bottom to top: only the windows after ours lie above it.
    const xcb_window_t* windows = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    int first = 0;
    while (first < count && windows[first] != window) {
        ++first;
    }
    if (first == count) {
        return true;  // kept by a window manager after all: its place is unknown here
    }
    std::vector<std::pair<xcb_get_window_attributes_cookie_t, xcb_get_geometry_cookie_t>> above;
    for (int i = first + 1; i < count; ++i) {
        above.emplace_back(xcb_get_window_attributes(connection, windows[i]),
                           xcb_get_geometry(connection, windows[i]));
    }
    const Area ourArea(*ours);
    bool covered = false;
    for (const auto& [attributeQuestion, geometryQuestion] : above) {
        // Every answer is taken, so that none is left waiting on the connection.
        const auto attributes =
            owned(xcb_get_window_attributes_reply(connection, attributeQuestion, nullptr));
        const auto geometry = owned(xcb_get_geometry_reply(connection, geometryQuestion, nullptr));
        covered =
            covered || (attributes && geometry && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
                        attributes->override_redirect == 0 && Area(*geometry).overlaps(ourArea));
    }
    return covered;
}

}  // namespace

bool coveredByManagedWindow(std::uintptr_t window) {
    static Display display;
    xcb_connection_t* connection = display.connection();
    return connection == nullptr || coveredOn(connection, static_cast<xcb_window_t>(window));
}

}  // namespace galewarden
