#include "core/alerts/RefreshCycle.h"

#include "core/alerts/LabelSettings.h"
#include "core/alerts/PassConfiguration.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/RefreshView.h"
#include "core/alerts/ResultsPublisher.h"
#include "core/alerts/classify/AlertClassifier.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/AfterRefreshOutputs.h"
#include "core/alerts/outputs/HtmlPage.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/alerts/pictures/IconPack.h"
#include "core/alerts/source/AlertExtraction.h"
#include "core/config/ConfigStore.h"
#include "core/json/JsonDocument.h"
#include "core/net/HttpClient.h"
#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

constexpr int kStageProcessed = 0;
constexpr int kStageFailed = -1;

std::string gb(const char* utf8) {
    return gbFromUtf8(utf8);
}

int milliseconds(int seconds) {
    return seconds * 1000;
}

std::string withoutLineBreaks(std::string_view text) {
    return replaceAll(replaceAll(text, "\r", ""), "\n", "");
}

}  // namespace

RefreshCycle::RefreshCycle(const ConfigStore& store, const HttpClient& http, RefreshState& state,
                           RefreshView& view, RefreshPlugin& plugin)
    : store_(store), http_(http), state_(state), view_(view), plugin_(plugin) {}

void RefreshCycle::setStatus(std::string text, bool error) {
    StatusLine status{std::move(text), error};
    state_.setStatus(status);
    view_.showStatus(status);
}

// Stops the refresh timer and keeps the status text unless it shows an error.
std::string RefreshCycle::beginPass() {
    view_.setRefreshInterval(0);
    const StatusLine current = state_.status();
    setStatus(gb("正在读取配置文件 .."));
    return current.error ? std::string() : current.text;
}

RefreshCycle::Outcome RefreshCycle::run(std::stop_token stop) {
    const std::string savedStatus = beginPass();
    const PassConfiguration config = readPassConfiguration(store_);
    state_.animate = config.animate;
    setStatus(gb("正在下载预警数据 .."));
    std::string bytes = http_.get(listUrl(config.rules, config.districtsText), stop);
    if (stop.stop_requested()) {
        return Outcome::stopped;
    }
    if (config.rules.jsonStartPos > 0) {
        bytes.erase(0, static_cast<std::size_t>(config.rules.jsonStartPos));
    }
    offline_ = false;
    return process(std::make_shared<const std::string>(std::move(bytes)), config, savedStatus,
                   stop);
}

RefreshCycle::Outcome RefreshCycle::check(std::string_view answerBytes) {
    const std::string savedStatus = beginPass();
    const PassConfiguration config = readPassConfiguration(store_);
    offline_ = true;
    return process(std::make_shared<const std::string>(answerBytes), config, savedStatus, {});
}

RefreshCycle::Outcome RefreshCycle::process(std::shared_ptr<const std::string> answer,
                                            const PassConfiguration& config,
                                            const std::string& savedStatus, std::stop_token stop) {
    const std::string& bytes = *answer;
    state_.setResponseBytes(answer);
    JsonDocument list;
    if (!list.parse(bytes)) {
        return fail(config, savedStatus);
    }
    state_.setUnexpectedDataText({});
    if (state_.previousResponse && bytes == *state_.previousResponse && !state_.settingsChanged) {
        return unchanged(config, savedStatus);
    }
    state_.previousResponse = answer;
    state_.settingsChanged = false;
    setStatus(gb("正在解析预警数据 .."));
    if (!offline_) {
        saveJson(store_, bytes);
    }
    clearDisplay();

    const IconPack iconPack(store_, http_);
    PictureSource pictures;
    DetailFetcher fetchDetail;
    if (!offline_) {
        pictures = [&](std::string_view name) { return iconPack.pictureFor(name, stop); };
        fetchDetail = [&](const std::string& url) { return http_.get(url, stop); };
    }
    AlertClassifier classifier(config.words, state_, pictures, guidanceFileExists());
    // The plug-in sees only warnings classified while its file was there.
    const bool pluginWanted = !offline_ && config.dllOn && plugin_.fileExists();
    extractAlerts(list, config.rules, config.districts, classifier, fetchDetail, stop);
    list.reset();
    if (stop.stop_requested()) {
        return Outcome::stopped;
    }
    publish(config, classifier.accumulators(), pluginWanted);
    return Outcome::processed;
}

void RefreshCycle::clearDisplay() {
    std::lock_guard lock(state_.displayLock);
    state_.display.icons.clear();
    state_.display.titles.clear();
    const LabelSettings label = loadLabelSettings(store_);
    state_.labelText = label.text;
    state_.labelUsesName = label.usesName;
    state_.display.placeNames.clear();
    state_.highestColour = 0;
    state_.tornadoCount = 0;
}

void RefreshCycle::publish(const PassConfiguration& config, PassAccumulators& acc,
                           bool pluginWanted) {
    std::size_t displayEntries = 0;
    bool labelUsesName = false;
    {
        std::lock_guard lock(state_.displayLock);
        displayEntries = state_.display.icons.size();
        labelUsesName = state_.labelUsesName;
    }
    setStatus(summaryText(acc, state_.tornadoCount, labelUsesName, displayEntries));
    const RefreshResult result = publishResults(acc, state_, store_.readNumber(keys::kInterval),
                                                store_.readFlag(keys::kNotice));
    view_.presentResult(result);
    if (pluginWanted && plugin_.fileExists()) {
        callRefreshDll(plugin_, result.kept);
    }
    if (config.htmlOn && !offline_) {
        writeHtmlPage(config.htmlPath, result.alertList, true, kStageProcessed, true, acc.pageText,
                      true);
    }
    view_.updateIconWindowVisibility();
    view_.setRefreshInterval(milliseconds(config.refreshSeconds));
    view_.applyIconWindowSettings();
    state_.firstCycleDone = true;
}

RefreshCycle::Outcome RefreshCycle::unchanged(const PassConfiguration& config,
                                              const std::string& savedStatus) {
    view_.setRefreshInterval(milliseconds(config.refreshSeconds));
    setStatus(savedStatus);
    return Outcome::unchanged;
}

RefreshCycle::Outcome RefreshCycle::fail(const PassConfiguration& config,
                                         const std::string& savedStatus) {
    if (config.htmlOn && !offline_) {
        writeHtmlPage(config.htmlPath, "", false, kStageFailed, true, "", false);
    }
    view_.setRefreshInterval(milliseconds(config.retrySeconds));
    const std::string response = state_.responseText();
    if (!response.empty()) {
        state_.setUnexpectedDataText(withoutLineBreaks(response));
        setStatus(response, true);
    } else {
        setStatus(gb("【网络错误】") + savedStatus, true);
    }
    return Outcome::failed;
}

}  // namespace galewarden
