#pragma once

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

extern char** environ;

namespace galewarden::test {

inline std::optional<std::filesystem::path> findXvfb() {
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
    Xvfb(const std::filesystem::path& program, int width, int height) {
        int ready[2];
        if (::pipe(ready) != 0) {
            return;
        }
        const std::string size = std::to_string(width) + "x" + std::to_string(height) + "x24";
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

// A test on an X server of its own with a client connection of the test's, DISPLAY naming it.
// Skipped where Xvfb is not installed.
class XvfbTest : public ::testing::Test {
  public:
    static constexpr int kScreenWidth = 1024;
    static constexpr int kScreenHeight = 768;

    struct NewWindow {
        int left = 0;
        int top = 0;
        int width = 100;
        int height = 100;
        int border = 0;
        bool mapped = true;
        bool overrideRedirect = false;
    };

  protected:
    void SetUp() override {
        const std::optional<std::filesystem::path> program = findXvfb();
        if (!program) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        server_.emplace(*program, kScreenWidth, kScreenHeight);
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

    // A new window on top of its siblings.
    xcb_window_t create(const NewWindow& window, xcb_window_t parent = 0) {
        const xcb_window_t id = xcb_generate_id(connection_);
        const uint32_t overrideRedirect = window.overrideRedirect ? 1 : 0;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, id, parent != 0 ? parent : root_,
                          static_cast<int16_t>(window.left), static_cast<int16_t>(window.top),
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

}  // namespace galewarden::test
