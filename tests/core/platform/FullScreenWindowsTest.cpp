#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/platform/FullScreenWindows.h"

extern char** environ;

namespace galewarden {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

std::optional<std::filesystem::path> findXvfb() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / "Xvfb";
        if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

// An X server of our own: it picks a free display number and writes it to the pipe once it
// accepts connections, so tests in parallel never share one.
class Xvfb {
  public:
    explicit Xvfb(const std::filesystem::path& program) {
        int ready[2];
        if (::pipe(ready) != 0) {
            return;
        }
        const std::string size =
            std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
        const std::string fd = std::to_string(ready[1]);
        std::vector<std::string> args = {program.string(), "-screen", "0",          size,
                                         "-nolisten",      "tcp",     "-displayfd", fd};
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        const bool started =
            ::posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) == 0;
        ::close(ready[1]);
        std::string number;
        char c = 0;
        while (started && ::read(ready[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        ::close(ready[0]);
        if (!started) {
            pid_ = 0;
        } else if (!number.empty()) {
            display_ = ":" + number;
        }
    }
    ~Xvfb() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    // Empty when the server did not come up.
    const std::string& display() const { return display_; }

  private:
    pid_t pid_ = 0;
    std::string display_;
};

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

class FullScreenWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::optional<std::filesystem::path> program = findXvfb();
        if (!program) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        server_.emplace(*program);
        ASSERT_FALSE(server_->display().empty()) << "Xvfb did not start";
        ::setenv("DISPLAY", server_->display().c_str(), 1);
        connection_ = xcb_connect(nullptr, nullptr);
        ASSERT_EQ(xcb_connection_has_error(connection_), 0);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    void TearDown() override {
        if (connection_ != nullptr) {
            xcb_disconnect(connection_);
        }
        ::unsetenv("DISPLAY");
    }

    xcb_window_t create(const Window& window, xcb_window_t parent) {
        const xcb_window_t id = xcb_generate_id(connection_);
        const uint32_t overrideRedirect = window.overrideRedirect ? 1 : 0;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, id, parent, 0, 0,
                          static_cast<uint16_t>(window.width), static_cast<uint16_t>(window.height),
                          static_cast<uint16_t>(window.border), XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
        if (window.mapped) {
            xcb_map_window(connection_, id);
        }
        sync();
        return id;
    }
    // Once the server has answered, it has carried out every earlier request of ours.
    void sync() {
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

    std::optional<Xvfb> server_;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
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
        const xcb_window_t id = create({"", width, height, 0, true, false, false}, root_);
        const uint32_t where[] = {static_cast<uint32_t>(left), static_cast<uint32_t>(top)};
        xcb_configure_window(connection_, id, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, where);
        sync();
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
