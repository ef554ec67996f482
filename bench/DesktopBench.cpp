// The desktop program as a user runs it, against the stand-in service on loopback, on the
// display named by DISPLAY or on a virtual screen of its own (Xvfb, 1920x1080):
//   - the time from starting the executable to its icon window mapped on the screen;
//   - over two minutes of five warnings cycling: the share of one core it uses, and its
//     resident memory (all of it, and its own: RssAnon, without the shared libraries' pages),
//     read from /proc.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "AlertService.h"

extern char** environ;

namespace galewarden {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

pid_t spawn(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

void stop(pid_t pid) {
    if (pid > 0) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
}

// The display of the session, or Xvfb on a free display of its own.
class Screen {
  public:
    Screen() {
        if (const char* display = std::getenv("DISPLAY"); display != nullptr && *display != 0) {
            return;
        }
        for (int number = 150; number < 200 && xvfb_ <= 0; ++number) {
            if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)) ||
                std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock")) {
                continue;
            }
            const std::string name = ":" + std::to_string(number);
            xvfb_ = spawn({"Xvfb", name, "-screen", "0", "1920x1080x24", "-nolisten", "tcp"});
            ::setenv("DISPLAY", name.c_str(), 1);
        }
        for (int i = 0; i < 100 && !reachable(); ++i) {
            std::this_thread::sleep_for(50ms);
        }
    }
    ~Screen() { stop(xvfb_); }

    static bool reachable() {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        const bool ok = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        return ok;
    }

  private:
    pid_t xvfb_ = -1;
};

// Whether a shown top-level window of the icon's default size and place exists.
bool iconWindowMapped(xcb_connection_t* connection) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr), &std::free);
    if (!tree) {
        return false;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, children[i]), nullptr),
            &std::free);
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, children[i]), nullptr),
            &std::free);
        if (attributes && geometry && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
            geometry->width == 100 && geometry->height == 82) {
            return true;
        }
    }
    return false;
}

// A fresh program directory watching the places of five warnings of the stand-in's data.
class Home {
  public:
    Home() {
        path_ = std::filesystem::temp_directory_path() /
                ("galewarden-desktop-bench-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ / "config");
        std::ofstream(path_ / "Galewarden.ini") << "[General]\r\nAutoRun=0\r\n[CheckNew]\r\n"
                                                   "AutoCheck=0\r\n";
        ::setenv("GALEWARDEN_HOME", path_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (path_ / "config").c_str(), 1);
    }
    ~Home() { std::filesystem::remove_all(path_); }

  private:
    std::filesystem::path path_;
};

class Service {
  public:
    Service() : service_({GALEWARDEN_ALERT_SERVICE_DATA, {}, false}) {
        const std::string base = "http://127.0.0.1:" + std::to_string(service_.start(0));
        ::setenv("GALEWARDEN_ALERT_SERVICE", base.c_str(), 1);
        ::setenv("GALEWARDEN_WEB_HOST", base.c_str(), 1);
    }

  private:
    alertservice::AlertService service_;
};

// The program, started at once; ended with the object.
class Program {
  public:
    Program() : started_(Clock::now()), pid_(spawn({GALEWARDEN_PROGRAM})) {}
    ~Program() { stop(pid_); }

    // The time from the start to the icon window on the screen; zero when it never came.
    Clock::duration waitForIconWindow() const {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        Clock::duration taken{};
        while (Clock::now() - started_ < 30s) {
            if (iconWindowMapped(connection)) {
                taken = Clock::now() - started_;
                break;
            }
            std::this_thread::sleep_for(2ms);
        }
        xcb_disconnect(connection);
        return taken;
    }

    // Seconds of processor time so far, every thread alive, to the nanosecond: the clock ticks
    // of /proc/PID/stat (10 ms) are too coarse for an idle minute. A thread that ended
    // meanwhile is missing here; tickSeconds() counts it.
    double cpuSeconds() const {
        double nanoseconds = 0;
        const std::filesystem::path tasks = "/proc/" + std::to_string(pid_) + "/task";
        std::error_code error;
        for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
            std::ifstream in(task.path() / "schedstat");
            double onCpu = 0;
            if (in >> onCpu) {
                nanoseconds += onCpu;
            }
        }
        return nanoseconds / 1e9;
    }

    // Seconds of processor time so far, user and system, every thread, in clock ticks.
    double tickSeconds() const {
        std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
        std::string line;
        std::getline(in, line);
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        std::string field;
        double ticks = 0;
        for (int index = 3; fields >> field; ++index) {
            if (index == 14 || index == 15) {
                ticks += std::stod(field);
            }
        }
        return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }

    // A line of /proc/PID/status in MiB, such as VmRSS or VmHWM.
    double statusMiB(const std::string& key) const {
        std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(key + ":", 0) == 0) {
                return std::stod(line.substr(key.size() + 1)) / 1024.0;
            }
        }
        return 0;
    }

  private:
    Clock::time_point started_;
    pid_t pid_;
};

// One screen and one service for the whole run.
void setUpOnce() {
    static const Screen screen;
    static const Service service;
}

void BM_StartToIconWindow(benchmark::State& state) {
    setUpOnce();
    for (auto _ : state) {
        const Home home;
        const Program program;
        const Clock::duration taken = program.waitForIconWindow();
        if (taken == Clock::duration{}) {
            state.SkipWithError("the icon window never showed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(taken).count());
    }
}
BENCHMARK(BM_StartToIconWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Two minutes: the first still decodes each of the five pictures the first time it comes round,
// the second is the steady state a user's machine lives in.
void BM_IdleMinute(benchmark::State& state) {
    setUpOnce();
    const Home home;
    const Program program;
    if (program.waitForIconWindow() == Clock::duration{}) {
        state.SkipWithError("the icon window never showed");
        return;
    }
    std::this_thread::sleep_for(2s);  // the first pictures drawn, the balloon shown
    const auto minute = [&program] {
        const double before = program.cpuSeconds();
        const double ticksBefore = program.tickSeconds();
        std::this_thread::sleep_for(60s);
        return std::pair(program.cpuSeconds() - before, program.tickSeconds() - ticksBefore);
    };
    std::pair<double, double> first;
    std::pair<double, double> steady;
    for (auto _ : state) {
        first = minute();
        steady = minute();
    }
    state.counters["first_minute_cpu_percent"] = first.first / 60.0 * 100.0;
    state.counters["cpu_percent_of_one_core"] = steady.first / 60.0 * 100.0;
    state.counters["cpu_percent_in_ticks"] = steady.second / 60.0 * 100.0;
    state.counters["rss_MiB"] = program.statusMiB("VmRSS");
    state.counters["anon_rss_MiB"] = program.statusMiB("RssAnon");
    state.counters["peak_rss_MiB"] = program.statusMiB("VmHWM");
}
BENCHMARK(BM_IdleMinute)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace galewarden
