#include "settings/editors_model/DryRun.h"

#include "core/alerts/PassConfiguration.h"
#include "core/alerts/RefreshCycle.h"
#include "core/alerts/RefreshView.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/config/ConfigStore.h"
#include "core/json/JsonDocument.h"
#include "core/text/CodePage.h"
#include "settings/editors_model/DryRunConfiguration.h"

namespace galewarden {
namespace {

// Keeps what the pass shows instead of showing it; used on the pass's own thread only.
class DryRunView final : public RefreshView {
  public:
    void showStatus(const StatusLine& status) override { status_ = status.text; }
    void setRefreshInterval(int) override {}
    void presentResult(const RefreshResult& result) override {
        for (const KeptAlert& alert : result.kept) {
            keptTitles_.push_back(alert.title);
        }
    }
    void updateIconWindowVisibility() override {}
    void applyIconWindowSettings() override {}

    const std::string& status() const { return status_; }
    std::vector<std::string> takeKeptTitles() { return std::move(keptTitles_); }

  private:
    std::string status_;
    std::vector<std::string> keptTitles_;
};

std::size_t walkedWarnings(const std::string& answer, const JsonRules& rules) {
    JsonDocument list;
    if (!list.parse(answer)) {
        return 0;
    }
    std::size_t count = 0;
    while (!list.getText(rules.array + "[" + std::to_string(count) + "]." + rules.identifier)
                .empty()) {
        ++count;
    }
    return count;
}

DryRunReport::Result resultOf(RefreshCycle::Outcome outcome, const RefreshState& state) {
    if (outcome == RefreshCycle::Outcome::processed) {
        return DryRunReport::Result::processed;
    }
    if (outcome == RefreshCycle::Outcome::stopped) {
        return DryRunReport::Result::stopped;
    }
    return state.responseText().empty() ? DryRunReport::Result::noAnswer
                                        : DryRunReport::Result::unusableAnswer;
}

std::string keptText(const DryRunReport& report) {
    std::string text =
        gbFromUtf8("按规则读取到 ") + std::to_string(report.walked) + gbFromUtf8(" 条预警，");
    if (report.keptTitles.empty()) {
        return text + gbFromUtf8("没有保留任何预警（只保留标题中含有所监控地区名称的预警）。");
    }
    text += gbFromUtf8("保留 ") + std::to_string(report.keptTitles.size()) + gbFromUtf8(" 条：");
    for (std::size_t i = 0; i < report.keptTitles.size(); ++i) {
        text += "\r\n" + std::to_string(i + 1) + ". " + report.keptTitles[i];
    }
    return text;
}

}  // namespace

DryRunReport runDryRun(const HttpClient& http, const std::string& configPath,
                       const JsonRuleFields& rules, std::stop_token stop) {
    DryRunReport report;
    const DryRunConfiguration copy(configPath, rules);
    if (!copy.ready()) {
        return report;
    }
    const ConfigStore store(copy.path());
    const PassConfiguration config = readPassConfiguration(store);
    report.url = listUrl(config.rules, config.districtsText);

    const Guidance guidance;
    RefreshPlugin plugin;
    RefreshState state;
    DryRunView view;
    RefreshCycle cycle(PassServices{store, http, guidance, plugin}, state, view, PassKind::preview);
    const RefreshCycle::Outcome outcome = cycle.run(std::move(stop));

    report.result = resultOf(outcome, state);
    report.status = view.status();
    report.keptTitles = view.takeKeptTitles();
    if (state.previousResponse) {
        report.walked = walkedWarnings(*state.previousResponse, config.rules);
    }
    return report;
}

std::string dryRunReportText(const DryRunReport& report) {
    const std::string request = gbFromUtf8("请求地址：") + report.url;
    switch (report.result) {
        case DryRunReport::Result::processed:
            return request + "\r\n" + gbFromUtf8("状态栏：") + report.status + "\r\n" +
                   keptText(report) + "\r\n\r\n" +
                   gbFromUtf8("试运行不保存规则，也不影响正在运行的监控。");
        case DryRunReport::Result::noAnswer:
            return gbFromUtf8("试运行失败：未能下载数据（无法连接、超时或服务器没有返回内容）。") +
                   "\r\n" + request + "\r\n" + gbFromUtf8("状态栏：") + report.status;
        case DryRunReport::Result::unusableAnswer:
            return gbFromUtf8("试运行失败：返回的数据无法解析为JSON。") + "\r\n" + request +
                   "\r\n" + gbFromUtf8("状态栏：") + report.status;
        case DryRunReport::Result::stopped:
            return gbFromUtf8("试运行已停止。");
        case DryRunReport::Result::noCopy:
            break;
    }
    return gbFromUtf8("试运行失败：无法在临时文件夹中准备配置文件。");
}

}  // namespace galewarden
