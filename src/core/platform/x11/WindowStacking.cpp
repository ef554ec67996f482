#include "core/platform/WindowStacking.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/platform/x11/XcbReplies.h"

namespace galewarden {
namespace {

using xcb::owned;

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

// Asked about every second: one connection for the run, made again when it broke or DISPLAY
// changed. Windows that place themselves (our own label, menus) are remembered, so that a
// usual look costs one round trip to the server.
class Stacking {
  public:
    ~Stacking() { close(); }

    std::optional<bool> covered(xcb_window_t window) {
        xcb_connection_t* connection = connected();
        if (connection == nullptr) {
            return std::nullopt;
        }
        const auto geometryQuestion = xcb_get_geometry(connection, window);
        const auto treeQuestion = xcb_query_tree(connection, root_);
        const auto ours = owned(xcb_get_geometry_reply(connection, geometryQuestion, nullptr));
        const auto tree = owned(xcb_query_tree_reply(connection, treeQuestion, nullptr));
        if (!ours) {
            return false;  // not (or no longer) a window: nothing to raise
        }
        if (!tree || ours->root != root_) {
            return std::nullopt;
        }
        // Bottom to top: only the windows after ours lie above it.
        const xcb_window_t* windows = xcb_query_tree_children(tree.get());
        const xcb_window_t* end = windows + xcb_query_tree_children_length(tree.get());
        const xcb_window_t* at = std::find(windows, end, window);
        if (at == end) {
            return std::nullopt;  // kept by a window manager after all
        }
        return coveredFrom(connection, Area(*ours), std::vector<xcb_window_t>(at + 1, end));
    }

  private:
    bool coveredFrom(xcb_connection_t* connection, const Area& ours,
                     const std::vector<xcb_window_t>& above) {
        std::unordered_set<xcb_window_t> stillSelfPlacing;
        std::vector<xcb_window_t> asked;
        std::vector<std::pair<xcb_get_window_attributes_cookie_t, xcb_get_geometry_cookie_t>>
            questions;
        for (const xcb_window_t other : above) {
            if (selfPlacing_.contains(other)) {
                stillSelfPlacing.insert(other);
                continue;
            }
            asked.push_back(other);
            questions.emplace_back(xcb_get_window_attributes(connection, other),
                                   xcb_get_geometry(connection, other));
        }
        bool covered = false;
        for (std::size_t i = 0; i < questions.size(); ++i) {
            // Every answer is taken, so that none is left waiting on the connection.
            const auto attributes =
                owned(xcb_get_window_attributes_reply(connection, questions[i].first, nullptr));
            const auto geometry =
                owned(xcb_get_geometry_reply(connection, questions[i].second, nullptr));
            if (!attributes || !geometry) {
                continue;  // gone meanwhile
            }
            if (attributes->override_redirect != 0) {
                stillSelfPlacing.insert(asked[i]);
            } else if (attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
                       Area(*geometry).overlaps(ours)) {
                covered = true;
            }
        }
        selfPlacing_ = std::move(stillSelfPlacing);
        return covered;
    }

    xcb_connection_t* connected() {
        const char* display = std::getenv("DISPLAY");
        const std::string name = display != nullptr ? display : "";
        if (connection_ != nullptr &&
            (xcb_connection_has_error(connection_) != 0 || name != name_)) {
            close();
        }
        if (connection_ == nullptr) {
            int screen = 0;
            connection_ = xcb_connect(nullptr, &screen);
            name_ = name;
            root_ = rootOf(screen);
        }
        return xcb_connection_has_error(connection_) == 0 && root_ != 0 ? connection_ : nullptr;
    }

    xcb_window_t rootOf(int number) const {
        if (xcb_connection_has_error(connection_) != 0) {
            return 0;
        }
        const xcb_screen_t* screen = xcb::screenNumbered(connection_, number);
        return screen != nullptr ? screen->root : 0;
    }

    void close() {
        if (connection_ != nullptr) {
            xcb_disconnect(connection_);  // a failed connection is freed like a good one
            connection_ = nullptr;
        }
        selfPlacing_.clear();
        root_ = 0;
    }

    xcb_connection_t* connection_ = nullptr;
    std::string name_;
    xcb_window_t root_ = 0;
    std::unordered_set<xcb_window_t> selfPlacing_;
};

}  // namespace

bool coveredByManagedWindow(std::uintptr_t window) {
    static Stacking stacking;
    return stacking.covered(static_cast<xcb_window_t>(window)).value_or(true);
}

}  // namespace galewarden
