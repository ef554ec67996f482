// The peak resident memory of a refresh pass that downloads a 30 MB answer of one kind: a web
// page, binary junk, JSON that holds nothing of use. The answer is served by a child process,
// so that only the pass's own memory counts. Run one kind per process for its own peak:
//   unusable_answer_bench --benchmark_filter=web_page
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "core/alerts/RefreshCycle.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/RefreshView.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "support/LoopbackServer.h"

namespace galewarden {
namespace {

constexpr std::size_t kAnswerBytes = 30u << 20;

class QuietView : public RefreshView {
  public:
    void showStatus(const StatusLine& status) override { statusBytes = status.text.size(); }
    void setRefreshInterval(int) override {}
    void presentResult(const RefreshResult&) override {}
    void updateIconWindowVisibility() override {}
    void applyIconWindowSettings() override {}
    std::size_t statusBytes = 0;
};

std::string repeatedTo(std::string_view head, std::string_view unit, std::string_view tail) {
    std::string text(head);
    text.reserve(kAnswerBytes + unit.size() + tail.size());
    while (text.size() + tail.size() < kAnswerBytes) {
        text += unit;
    }
    return text + std::string(tail);
}

std::string answerOfKind(const std::string& kind) {
    if (kind == "web_page") {
        return repeatedTo("<html><body>\r\n", "<p>WEB 应用防火墙：人机识别检测，请稍候。</p>\r\n",
                          "</body></html>");
    }
    if (kind == "binary") {
        std::string bytes(kAnswerBytes, '\0');
        std::mt19937 random(7);
        for (char& byte : bytes) {
            byte = static_cast<char>(random());
        }
        return bytes;
    }
    if (kind == "json_numbers") {
        return repeatedTo("[", "1,", "1]");
    }
    if (kind == "json_string") {
        return repeatedTo(R"({"data":")", "预警", R"("})");
    }
    // Warnings of a place nobody watches.
    return repeatedTo(R"({"data":[)",
                      R"({"id":"1","title":"某县气象台发布暴雨蓝色预警信号","content":"有雨。",)"
                      R"("time":"2026-07-20 20:00"},)",
                      R"({"id":"2","title":"","content":"","time":""}]})");
}

// Serves one answer from a process of its own; gone with the object.
class AnswerServer {
  public:
    explicit AnswerServer(const std::string& kind) {
        int ports[2];
        if (::pipe(ports) != 0) {
            std::abort();
        }
        child_ = ::fork();
        if (child_ == 0) {
            ::close(ports[0]);
            serve(kind, ports[1]);
        }
        ::close(ports[1]);
        int port = 0;
        if (::read(ports[0], &port, sizeof port) != sizeof port) {
            std::abort();
        }
        ::close(ports[0]);
        base_ = "http://127.0.0.1:" + std::to_string(port);
    }
    ~AnswerServer() {
        ::kill(child_, SIGKILL);
        ::waitpid(child_, nullptr, 0);
    }
    const std::string& base() const { return base_; }

  private:
    [[noreturn]] static void serve(const std::string& kind, int portPipe) {
        const std::string body = answerOfKind(kind);
        test::LoopbackServer server;
        server.server().Get(".*", [&](const httplib::Request&, httplib::Response& response) {
            response.set_content(body, "text/html");
        });
        server.start();
        const int port = server.port();
        (void)!::write(portPipe, &port, sizeof port);
        ::pause();
        std::_Exit(0);
    }

    pid_t child_ = 0;
    std::string base_;
};

void BM_UnusableAnswer(benchmark::State& bench, const std::string& kind) {
    const AnswerServer server(kind);
    const auto home = std::filesystem::temp_directory_path() / ("galewarden-answer-" + kind);
    std::filesystem::create_directories(home);
    ::setenv("GALEWARDEN_HOME", home.c_str(), 1);
    ::setenv("GALEWARDEN_ALERT_SERVICE", server.base().c_str(), 1);
    ConfigStore store;
    store.writeText("Sign", "Auto", "0");
    const HttpClient http;
    const Guidance guidance;
    RefreshPlugin plugin;
    RefreshState state;
    QuietView view;
    RefreshCycle cycle({store, http, guidance, plugin}, state, view);
    for (auto _ : bench) {
        state.settingsChanged = true;
        benchmark::DoNotOptimize(cycle.run());
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    bench.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    bench.counters["status_KiB"] = static_cast<double>(view.statusBytes) / 1024.0;
    std::filesystem::remove_all(home);
}

BENCHMARK_CAPTURE(BM_UnusableAnswer, web_page, std::string("web_page"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_UnusableAnswer, binary, std::string("binary"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_UnusableAnswer, json_numbers, std::string("json_numbers"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_UnusableAnswer, json_string, std::string("json_string"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_UnusableAnswer, json_list, std::string("json_list"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace galewarden
