#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AlertService.h"
#include "core/alerts/RefreshCycle.h"
#include "core/alerts/RefreshView.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "settings/editors_model/DryRun.h"
#include "settings/editors_model/JsonRuleFields.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

// The warnings of the default data set whose titles name 北京市 or 中央气象台, the districts
// watched by default.
constexpr std::size_t kDefaultDistrictWarnings = 15;

class KeptTitles final : public RefreshView {
  public:
    void showStatus(const StatusLine&) override {}
    void setRefreshInterval(int) override {}
    void presentResult(const RefreshResult& result) override {
        for (const KeptAlert& alert : result.kept) {
            titles.push_back(alert.title);
        }
    }
    void updateIconWindowVisibility() override {}
    void applyIconWindowSettings() override {}

    std::vector<std::string> titles;
};

class DryRunTest : public testing::Test {
  protected:
    void SetUp() override {
        service_ = std::make_unique<alertservice::AlertService>(
            alertservice::ServiceSettings{GALEWARDEN_ALERT_SERVICE_DATA, {}, false});
        const int port = service_->start(0);
        ASSERT_NE(port, 0);
        base_ = "http://127.0.0.1:" + std::to_string(port);
        ::setenv("GALEWARDEN_ALERT_SERVICE", base_.c_str(), 1);
    }
    void TearDown() override {
        service_->stop();
        ::unsetenv("GALEWARDEN_ALERT_SERVICE");
    }

    // The alert service read as a custom JSON source.
    JsonRuleFields serviceRules() const {
        JsonRuleFields fields;
        const std::pair<const char*, std::string> rules[] = {
            {"Host", base_},        {"Main", "api/alert/c?a=%s"}, {"Array", "data"},
            {"identifier", "id"},   {"headline", "title"},        {"description", "content"},
            {"publishTime", "time"}};
        for (const auto& [key, value] : rules) {
            fields.setText(ruleFieldIndex(key).value(), value);
        }
        return fields;
    }

    std::string configPath() const { return home_.text() + "/Galewarden.ini"; }
    DryRunReport dryRun(const JsonRuleFields& fields) const {
        return runDryRun(http_, configPath(), fields);
    }

    std::vector<std::string> livePassTitles() const {
        ConfigStore store(configPath());
        const Guidance guidance;
        RefreshPlugin plugin;
        RefreshState state;
        KeptTitles view;
        RefreshCycle cycle(PassServices{store, http_, guidance, plugin}, state, view);
        EXPECT_EQ(cycle.run(), RefreshCycle::Outcome::processed);
        return view.titles;
    }

    bool picturesStored() const {
        const auto pack = home_.path() / "Pack";
        return std::filesystem::exists(pack) && !std::filesystem::is_empty(pack);
    }

    test::TestHome home_;
    HttpClient http_;
    std::unique_ptr<alertservice::AlertService> service_;
    std::string base_;
};

TEST_F(DryRunTest, KeepsWhatALivePassWouldAndTouchesNothing) {
    home_.write("Galewarden.ini", "[General]\r\nRefreshTime=300\r\n");
    const std::string before = home_.read("Galewarden.ini");

    const DryRunReport report = dryRun(serviceRules());

    EXPECT_EQ(report.result, DryRunReport::Result::processed);
    EXPECT_EQ(report.walked, kDefaultDistrictWarnings);
    EXPECT_FALSE(report.keptTitles.empty());
    EXPECT_EQ(report.url.rfind(base_ + "/api/alert/c?a=%E5%8C%97%E4%BA%AC%E5%B8%82,", 0), 0u)
        << report.url;
    EXPECT_EQ(home_.read("Galewarden.ini"), before);
    EXPECT_FALSE(picturesStored());

    ConfigStore configuration(configPath());
    ASSERT_TRUE(serviceRules().saveTo(configuration));
    ASSERT_TRUE(ConfigStore(configPath()).writeText("Source", "UseKVX", "0"));
    EXPECT_EQ(report.keptTitles, livePassTitles());
}

TEST_F(DryRunTest, TriesTheRulesOfTheWindowNotThoseOfTheFile) {
    home_.write("Galewarden.ini", "[JSON]\r\nArray=\"wrong\"\r\nHost=\"http://127.0.0.1:9\"\r\n");
    const DryRunReport report = dryRun(serviceRules());
    EXPECT_EQ(report.result, DryRunReport::Result::processed);
    EXPECT_FALSE(report.keptTitles.empty());
    EXPECT_EQ(ConfigStore(configPath()).readText("JSON", "Array", ""), "wrong");
}

TEST_F(DryRunTest, RulesThatMissTheArrayWalkNothing) {
    JsonRuleFields fields = serviceRules();
    fields.setText(ruleFieldIndex("Array").value(), "result.list");
    const DryRunReport report = dryRun(fields);
    EXPECT_EQ(report.result, DryRunReport::Result::processed);
    EXPECT_EQ(report.walked, 0u);
    EXPECT_TRUE(report.keptTitles.empty());
    EXPECT_NE(dryRunReportText(report).find(gb("按规则读取到 0 条预警，没有保留任何预警")),
              std::string::npos);
}

struct FailureCase {
    const char* scenario;
    DryRunReport::Result result;
};

class DryRunFailure : public DryRunTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(DryRunFailure, SaysWhatWentWrong) {
    ASSERT_TRUE(service_->selectScenario(GetParam().scenario));
    const DryRunReport report = dryRun(serviceRules());
    EXPECT_EQ(report.result, GetParam().result);
    EXPECT_EQ(report.walked, 0u);
    EXPECT_TRUE(report.keptTitles.empty());
    const std::string text = dryRunReportText(report);
    EXPECT_EQ(text.rfind(gb("试运行失败："), 0), 0u) << test::utf8(text);
    EXPECT_NE(text.find(report.url), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, DryRunFailure,
    testing::Values(FailureCase{"html-error", DryRunReport::Result::unusableAnswer},
                    FailureCase{"waf", DryRunReport::Result::unusableAnswer},
                    FailureCase{"truncated", DryRunReport::Result::unusableAnswer},
                    FailureCase{"empty", DryRunReport::Result::noAnswer},
                    FailureCase{"drop", DryRunReport::Result::noAnswer},
                    FailureCase{"huge", DryRunReport::Result::noAnswer}),
    [](const auto& param) {
        std::string name = param.param.scenario;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST_F(DryRunTest, AStopEndsAStalledDownload) {
    ASSERT_TRUE(service_->selectScenario("stall"));
    std::stop_source stop;
    DryRunReport report;
    std::thread run(
        [&] { report = runDryRun(http_, configPath(), serviceRules(), stop.get_token()); });
    while (service_->requests().empty()) {
        std::this_thread::yield();
    }
    stop.request_stop();
    run.join();
    EXPECT_EQ(report.result, DryRunReport::Result::stopped);
    EXPECT_EQ(dryRunReportText(report), gb("试运行已停止。"));
}

TEST(DryRunText, ListsTheKeptTitlesAfterTheCount) {
    DryRunReport report;
    report.result = DryRunReport::Result::processed;
    report.url = "http://h/list";
    report.status = gb("北京市：大风蓝色预警");
    report.walked = 3;
    report.keptTitles = {gb("甲"), gb("乙")};
    EXPECT_EQ(dryRunReportText(report),
              gb("请求地址：http://h/list\r\n状态栏：北京市：大风蓝色预警\r\n"
                 "按规则读取到 3 条预警，保留 2 条：\r\n1. 甲\r\n2. 乙\r\n\r\n"
                 "试运行不保存规则，也不影响正在运行的监控。"));
}

}  // namespace
}  // namespace galewarden
