#include "core/alerts/AlertEngine.h"

#include "core/alerts/ClosableView.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/RefreshView.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/config/ConfigStore.h"
#include "core/history/HistoryStore.h"
#include "core/net/HttpClient.h"

namespace galewarden {

// In order of construction; destroyed in reverse, after the last pass that uses them.
struct AlertEngine::Parts {
    explicit Parts(RefreshView& target) : view(target) {}

    ConfigStore store;
    HttpClient http;
    Guidance guidance;
    RefreshPlugin plugin;
    HistoryStore history{historyPath()};
    RefreshState state;
    ClosableView view;
    RefreshCycle cycle{PassServices{.store = store,
                                    .http = http,
                                    .guidance = guidance,
                                    .plugin = plugin,
                                    .history = &history},
                       state, view};
};

AlertEngine::AlertEngine(RefreshView& view)
    : parts_(std::make_shared<Parts>(view)),
      worker_([parts = parts_](std::stop_token stop) { parts->cycle.run(std::move(stop)); }) {}

AlertEngine::~AlertEngine() {
    (void)stop();
}

bool AlertEngine::refreshNow() {
    return worker_.start();
}

bool AlertEngine::refreshing() const {
    return worker_.running();
}

RefreshCycle::Outcome AlertEngine::runOnce() {
    return parts_->cycle.run();
}

bool AlertEngine::stop(std::chrono::milliseconds limit) {
    const bool ended = worker_.stop(limit);
    parts_->view.close();
    return ended;
}

const ConfigStore& AlertEngine::config() const {
    return parts_->store;
}

const HttpClient& AlertEngine::http() const {
    return parts_->http;
}

RefreshState& AlertEngine::state() {
    return parts_->state;
}

RefreshCycle::Outcome AlertEngine::checkAnswer(std::string_view answerBytes,
                                               RefreshView& view) const {
    return checkSavedAnswer(
        PassServices{parts_->store, parts_->http, parts_->guidance, parts_->plugin}, answerBytes,
        view);
}

}  // namespace galewarden
