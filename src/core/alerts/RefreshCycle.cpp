#include "core/alerts/RefreshCycle.h"

#include "core/alerts/LabelSettings.h"
#include "core/alerts/PassConfiguration.h"
#include "core/alerts/PassHistory.h"
#include "core/alerts/RefreshResultBuilder.h"
#include "core/alerts/RefreshView.h"
#include "core/alerts/TimerInterval.h"
#include "core/alerts/classify/AlertClassifier.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/classify/WarningSelection.h"
#include "core/alerts/outputs/AfterRefreshOutputs.h"
#include "core/alerts/outputs/HtmlPage.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/alerts/pictures/IconPack.h"
#include "core/alerts/source/AlertExtraction.h"
#include "core/alerts/source/SourcePresets.h"
#include "core/alerts/source/WebPageAnswer.h"
#include "core/config/ConfigStore.h"
#include "core/config/SoundFrom.h"
#include "core/history/HistoryStore.h"
#include "core/json/JsonDocument.h"
#include "core/net/HttpClient.h"
#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

std::string withoutLineBreaks(std::string_view text) {
    return replaceAll(replaceAll(text, "\r", ""), "\n", "");
}

std::string webPageStatus(const std::string& title) {
    return gbFromUtf8("【数据源返回了网页，而不是预警数据】") +
           (title.empty() ? std::string() : gbFromUtf8("网页标题：") + title);
}

}  // namespace

RefreshCycle::RefreshCycle(const PassServices& services, RefreshState& state, RefreshView& view,
                           PassKind kind)
    : services_(services), state_(state), view_(view), kind_(kind) {}

void RefreshCycle::setStatus(std::string text, bool error) {
    StatusLine status{std::move(text), error};
    state_.setStatus(status);
    view_.showStatus(status);
}

void RefreshCycle::reportFetchHealth(bool failed) {
    if (!failed) {
        state_.lastGoodFetch = std::chrono::system_clock::now();
    }
    view_.showFetchHealth({failed, state_.lastGoodFetch});
}

// The warnings in force go into the history after the pass has shown them; a fault of the
// history is said once on the status line, after the pass's summary.
void RefreshCycle::recordHistory(const std::vector<KeptAlert>* kept) {
    if (services_.history == nullptr || !writesOutputs()) {
        return;
    }
    const int days = services_.store.readNumber(keys::kHistoryDays);
    const HistoryTime now = historyNow();
    HistoryNotice notice;
    if (kept != nullptr) {
        std::string source = currentSourceId(services_.store);
        notice = services_.history->recordInForce(
            historyWarnings(*kept, source.empty() ? "custom" : source), now, days);
    } else {
        notice = services_.history->recordUnchanged(now, days);
    }
    if (notice) {
        setStatus(state_.passSummary + "  " + historyNoticeText(notice));
    }
}

void RefreshCycle::beginPass() {
    view_.setRefreshInterval(0);
    statusBefore_ = state_.status();
    setStatus(gbFromUtf8("正在读取配置文件 .."));
}

RefreshCycle::Outcome RefreshCycle::run(std::stop_token stop) {
    // One look at the configuration file for the whole pass, and one state of it throughout.
    const ConfigStore::ReadPass configOnce(services_.store);
    beginPass();
    const PassConfiguration config = readPassConfiguration(services_.store);
    if (!config.rules.headers.problem.empty()) {
        return refuse(config, config.rules.headers.problem);
    }
    setStatus(gbFromUtf8("正在下载预警数据 .."));
    std::string bytes = services_.http.get(listUrl(config.rules, config.districtsText),
                                           config.rules.headers.lines, stop);
    if (stop.stop_requested()) {
        return abandon(config);
    }
    if (config.rules.jsonStartPos > 0) {
        bytes.erase(0, static_cast<std::size_t>(config.rules.jsonStartPos));
    }
    return process(std::make_shared<const std::string>(std::move(bytes)), config, stop);
}

RefreshCycle::Outcome RefreshCycle::runOn(std::string_view answerBytes, std::stop_token stop) {
    const ConfigStore::ReadPass configOnce(services_.store);
    beginPass();
    const PassConfiguration config = readPassConfiguration(services_.store);
    return process(std::make_shared<const std::string>(answerBytes), config, stop);
}

RefreshCycle::Outcome RefreshCycle::process(std::shared_ptr<const std::string> answer,
                                            const PassConfiguration& config, std::stop_token stop) {
    state_.setResponseBytes(answer);
    JsonDocument list;
    if (!list.parse(*answer)) {
        return fail(config, *answer);
    }
    // The flag first: comparing answers of megabytes is the dear part.
    if (!state_.settingsChanged && state_.previousResponse && *answer == *state_.previousResponse) {
        return unchanged(config);
    }
    setStatus(gbFromUtf8("正在解析预警数据 .."));
    if (writesOutputs()) {
        saveJson(services_.store, *answer);
    }
    // The plug-in sees only warnings classified while its file was there.
    const bool pluginWanted = writesOutputs() && config.pluginOn && services_.plugin.fileExists();
    const LabelSettings label = loadLabelSettings(services_.store);
    const ClassifiedWarnings classified = classify(list, config, stop);
    list.reset();
    PassAccumulators acc = select(classified, config, label, stop);
    if (stop.stop_requested()) {
        return abandon(config);
    }
    // Only a pass that hands over its result leaves a mark on the state.
    state_.previousResponse = std::move(answer);
    state_.settingsChanged = false;
    state_.animate = config.animate;
    state_.setUnexpectedDataText({});
    deliver(config, label, std::move(acc), pluginWanted);
    return Outcome::processed;
}

ClassifiedWarnings RefreshCycle::classify(const JsonDocument& list, const PassConfiguration& config,
                                          std::stop_token stop) const {
    AlertClassifier classifier(config.words, services_.guidance);
    DetailFetcher fetchDetail;
    if (networked()) {
        fetchDetail = [&](const std::string& url) {
            return services_.http.get(url, config.rules.headers.lines, stop);
        };
    }
    extractAlerts(list, config.rules, config.districts, classifier, fetchDetail, stop);
    return classifier.take();
}

PassAccumulators RefreshCycle::select(const ClassifiedWarnings& classified,
                                      const PassConfiguration& config, const LabelSettings& label,
                                      std::stop_token stop) const {
    const IconPack iconPack(services_.store, services_.http);
    const DownloadBudget budget(stop, services_.pictureBudget);
    PictureSource pictures;
    if (networked()) {
        pictures = [&](std::string_view name) { return iconPack.pictureFor(name, budget.token()); };
    }
    const SelectionOptions options{label.usesName, services_.guidance.fileExists(),
                                   config.listOrder};
    return selectWarnings(classified, options, pictures, stop);
}

void RefreshCycle::deliver(const PassConfiguration& config, const LabelSettings& label,
                           PassAccumulators acc, bool pluginWanted) {
    state_.passSummary = summaryText(acc, label.usesName);
    setStatus(state_.passSummary);
    const std::string pageText = std::move(acc.pageText);
    const ResultSettings settings{services_.store.readNumber(keys::kInterval),
                                  services_.store.readFlag(keys::kNotice),
                                  soundFromText(services_.store.read(keys::kSoundFrom))};
    RefreshResult result = buildRefreshResult(std::move(acc), label, settings);
    result.animate = config.animate;
    result.newColour = state_.knownWarnings.takePass(result.kept);
    view_.presentResult(result);
    recordHistory(&result.kept);
    if (pluginWanted && services_.plugin.fileExists()) {
        callRefreshDll(services_.plugin, result.kept);
    }
    if (config.htmlOn && writesOutputs()) {
        writeHtmlPage(
            config.htmlPath,
            {.alertList = result.alertList, .stage = kStageProcessed, .details = pageText});
    }
    view_.updateIconWindowVisibility();
    view_.setRefreshInterval(timerMilliseconds(config.refreshSeconds));
    view_.applyIconWindowSettings();
    state_.firstCycleDone = true;
    reportFetchHealth(false);
}

RefreshCycle::Outcome RefreshCycle::unchanged(const PassConfiguration& config) {
    state_.animate = config.animate;
    state_.setUnexpectedDataText({});
    view_.setRefreshInterval(timerMilliseconds(config.refreshSeconds));
    setStatus(state_.passSummary);
    recordHistory(nullptr);
    reportFetchHealth(false);
    return Outcome::unchanged;
}

RefreshCycle::Outcome RefreshCycle::fail(const PassConfiguration& config, std::string_view answer) {
    if (config.htmlOn && writesOutputs()) {
        writeHtmlPage(config.htmlPath, {.stage = kStageStartedOrFailed});
    }
    view_.setRefreshInterval(timerMilliseconds(config.retrySeconds));
    const std::string response = state_.answerText();
    if (!response.empty()) {
        state_.setUnexpectedDataText(withoutLineBreaks(response));
        const std::optional<std::string> page = webPageTitle(answer);
        setStatus(page ? webPageStatus(*page) : response, true);
    } else {
        setStatus(gbFromUtf8("【网络错误】") + state_.passSummary, true);
    }
    reportFetchHealth(true);
    return Outcome::failed;
}

// A source that cannot be asked as configured: nothing goes out, and the status line says why.
RefreshCycle::Outcome RefreshCycle::refuse(const PassConfiguration& config,
                                           const std::string& problem) {
    view_.setRefreshInterval(timerMilliseconds(config.retrySeconds));
    setStatus(gbFromUtf8("【数据源设置有误】") + problem, true);
    reportFetchHealth(true);
    return Outcome::failed;
}

// Back to the status line the pass found, and the next try soon.
RefreshCycle::Outcome RefreshCycle::abandon(const PassConfiguration& config) {
    view_.setRefreshInterval(timerMilliseconds(config.retrySeconds));
    setStatus(statusBefore_.text, statusBefore_.error);
    return Outcome::stopped;
}

RefreshCycle::Outcome checkSavedAnswer(const PassServices& services, std::string_view answerBytes,
                                       RefreshView& view) {
    RefreshState state;
    RefreshCycle cycle(services, state, view, PassKind::savedAnswer);
    return cycle.runOn(answerBytes);
}

}  // namespace galewarden
