#include "core/platform/WindowStacking.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
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
// usual look costs one round trip to the server for all the windows asked about.
class Stacking {
  public:
    ~Stacking() { close(); }

    // Per window: covered, not, or nullopt where the server could not tell.
    std::vector<std::optional<bool>> covered(const std::vector<xcb_window_t>& windows) {
        xcb_connection_t* connection = connected();
        if (connection == nullptr) {
            return std::vector<std::optional<bool>>(windows.size());
        }
        std::vector<xcb_get_geometry_cookie_t> geometryQuestions;
        for (const xcb_window_t window : windows) {
            geometryQuestions.push_back(xcb_get_geometry(connection, window));
        }
        const auto treeQuestion = xcb_query_tree(connection, root_);
        std::vector<xcb::ReplyPointer<xcb_get_geometry_reply_t>> ours;
        for (const auto question : geometryQuestions) {
            ours.push_back(owned(xcb_get_geometry_reply(connection, question, nullptr)));
        }
        const auto tree = owned(xcb_query_tree_reply(connection, treeQuestion, nullptr));
        // Bottom to top: only the windows after one lie above it.
        const xcb_window_t* children = tree ? xcb_query_tree_children(tree.get()) : nullptr;
        const std::vector<xcb_window_t> stack(
            children, children + (tree ? xcb_query_tree_children_length(tree.get()) : 0));
        learnAbout(connection, stack, lowestOf(stack, windows));
        std::vector<std::optional<bool>> answers;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            answers.push_back(coveredIn(stack, windows[i], ours[i].get(), tree != nullptr));
        }
        return answers;
    }

  private:
    // What shows over the others: a managed window's place, none for one that places itself
    // or is not shown.
    struct Known {
        bool selfPlacing = false;
        std::optional<Area> shownArea;
    };

    std::optional<bool> coveredIn(const std::vector<xcb_window_t>& stack, xcb_window_t window,
                                  const xcb_get_geometry_reply_t* ours, bool treeRead) const {
        if (ours == nullptr) {
            return false;  // not (or no longer) a window: nothing to raise
        }
        if (!treeRead || ours->root != root_) {
            return std::nullopt;
        }
        const auto at = std::find(stack.begin(), stack.end(), window);
        if (at == stack.end()) {
            return std::nullopt;  // kept by a window manager after all
        }
        const Area area(*ours);
        return std::any_of(at + 1, stack.end(), [&](xcb_window_t other) {
            const auto known = known_.find(other);
            return known != known_.end() && known->second.shownArea &&
                   known->second.shownArea->overlaps(area);
        });
    }

    // Where the lowest of `windows` stands in the stack; its end when none is there.
    static std::size_t lowestOf(const std::vector<xcb_window_t>& stack,
                                const std::vector<xcb_window_t>& windows) {
        const auto at =
            std::find_first_of(stack.begin(), stack.end(), windows.begin(), windows.end());
        return static_cast<std::size_t>(at - stack.begin());
    }

    // Asks about every window above `from` not known to place itself, all in one round trip;
    // forgets the others.
    void learnAbout(xcb_connection_t* connection, const std::vector<xcb_window_t>& stack,
                    std::size_t from) {
        std::unordered_map<xcb_window_t, Known> known;
        std::vector<xcb_window_t> asked;
        std::vector<std::pair<xcb_get_window_attributes_cookie_t, xcb_get_geometry_cookie_t>>
            questions;
        for (std::size_t i = from; i < stack.size(); ++i) {
            const xcb_window_t window = stack[i];
            const auto before = known_.find(window);
            if (before != known_.end() && before->second.selfPlacing) {
                known.emplace(window, before->second);
                continue;
            }
            asked.push_back(window);
            questions.emplace_back(xcb_get_window_attributes(connection, window),
                                   xcb_get_geometry(connection, window));
        }
        for (std::size_t i = 0; i < questions.size(); ++i) {
            // Every answer is taken, so that none is left waiting on the connection.
            const auto attributes =
                owned(xcb_get_window_attributes_reply(connection, questions[i].first, nullptr));
            const auto geometry =
                owned(xcb_get_geometry_reply(connection, questions[i].second, nullptr));
            if (!attributes || !geometry) {
                continue;  // gone meanwhile
            }
            Known entry;
            entry.selfPlacing = attributes->override_redirect != 0;
            if (!entry.selfPlacing && attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
                entry.shownArea = Area(*geometry);
            }
            known.emplace(asked[i], entry);
        }
        known_ = std::move(known);
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
        known_.clear();
        root_ = 0;
    }

    xcb_connection_t* connection_ = nullptr;
    std::string name_;
    xcb_window_t root_ = 0;
    std::unordered_map<xcb_window_t, Known> known_;
};

}  // namespace

std::vector<bool> coveredByManagedWindows(const std::vector<std::uintptr_t>& windows) {
    static Stacking stacking;
    const std::vector<std::optional<bool>> answers =
        stacking.covered(std::vector<xcb_window_t>(windows.begin(), windows.end()));
    std::vector<bool> covered;
    for (const std::optional<bool>& answer : answers) {
        covered.push_back(answer.value_or(true));
    }
    return covered;
}

}  // namespace galewarden
