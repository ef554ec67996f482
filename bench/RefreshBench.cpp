// One full refresh pass over a local answer of 3,000 warnings for 200 watched districts, with
// Guidance.html present and the HTML page on. Reports the peak resident memory as well.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/alerts/RefreshCycle.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/RefreshView.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/alerts/pictures/BuiltinPictures.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "core/platform/FileSystem.h"
#include "core/platform/ProcessMemory.h"
#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "support/LoopbackServer.h"

namespace galewarden {
namespace {

constexpr int kWarnings = 3000;
constexpr int kDistricts = 200;

class QuietView : public RefreshView {
  public:
    void showStatus(const StatusLine&) override {}
    void setRefreshInterval(int) override {}
    void presentResult(const RefreshResult& result) override { kept = result.kept.size(); }
    void updateIconWindowVisibility() override {}
    void applyIconWindowSettings() override {}
    std::size_t kept = 0;
};

std::vector<std::string> districtNames() {
    const std::vector<std::string> first{"东", "西", "南", "北", "平", "安", "长",
                                         "新", "青", "河", "宁", "广", "江", "山",
                                         "金", "龙", "云", "华", "清", "永"};
    const std::vector<std::string> second{"城", "阳", "州", "林", "川",
                                          "原", "泉", "丰", "台", "溪"};
    std::vector<std::string> names;
    for (const std::string& a : first) {
        for (const std::string& b : second) {
            names.push_back(a + b + "县");
        }
    }
    names.resize(kDistricts);
    return names;
}

std::string answer(const std::vector<std::string>& districts) {
    const std::vector<std::string> types{"暴雨", "大风", "高温", "寒潮",
                                         "大雾", "雷电", "冰雹", "霾"};
    const std::vector<std::string> colours{"蓝", "黄", "橙", "红"};
    std::string content;
    while (content.size() < 560) {
        content += "预计未来12小时内将出现明显天气过程，请有关单位和人员做好防范准备。";
    }
    std::string json = R"({"data":[)";
    for (int i = 0; i < kWarnings; ++i) {
        const std::string& district = districts[static_cast<std::size_t>(i % kDistricts)];
        const std::string signal = types[static_cast<std::size_t>(i / kDistricts % types.size())] +
                                   colours[static_cast<std::size_t>(i % colours.size())];
        json += (i > 0 ? "," : "") + std::string(R"({"id":"5100000041600000_2026120910)") +
                std::to_string(10000 + i) + R"(","title":")" + district + "气象台发布" + signal +
                R"(色预警信号","content":")" + content + R"(","time":"2026-12-09 10:)" +
                std::to_string(10 + i % 50) + R"(:00"})";
    }
    return json + "]}";
}

class Environment {
  public:
    Environment() {
        home_ = std::filesystem::temp_directory_path() / "galewarden-refresh-bench";
        std::filesystem::remove_all(home_);
        std::filesystem::create_directories(home_);
        ::setenv("GALEWARDEN_HOME", home_.c_str(), 1);
        std::filesystem::copy_file(GUIDANCE_HTML, home_ / "Guidance.html");
        std::ofstream(home_ / "page.html")
            << "<script>/* Alert Start *//* Alert End */\n/* Stage Start *//* Stage End */\n"
               "/* Content Start *//* Content End */</script>\n";

        const std::vector<std::string> districts = districtNames();
        body_ = answer(districts);
        service_.server().Get(".*", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(body_, "application/json");
        });
        service_.start();
        ::setenv("GALEWARDEN_ALERT_SERVICE", service_.base().c_str(), 1);

        ConfigStore store;
        store.writeQuoted("Source", "Districts", gbFromUtf8(joinText(districts, " ")));
        store.writeText("Sign", "Auto", "0");
        store.writeQuoted("HTML", "Location", pathText(home_ / "page.html"));
        store.writeText("HTML", "Start", "1");
    }
    ~Environment() {
        service_.stop();
        std::filesystem::remove_all(home_);
    }

  private:
    std::filesystem::path home_;
    std::string body_;
    test::LoopbackServer service_;
};

void BM_RefreshPass(benchmark::State& bench) {
    reuseLargeBuffers();  // as the programs do at their start
    const Environment environment;
    ConfigStore store;
    const HttpClient http;
    RefreshState state;
    QuietView view;
    RefreshPlugin plugin;
    const Guidance guidance;
    RefreshCycle cycle({store, http, guidance, plugin}, state, view);
    builtinPicture(0);  // drawn once per process, not per pass
    for (auto _ : bench) {
        state.settingsChanged = true;
        benchmark::DoNotOptimize(cycle.run());
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    bench.counters["kept"] = static_cast<double>(view.kept);
    bench.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_RefreshPass)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
}  // namespace galewarden
