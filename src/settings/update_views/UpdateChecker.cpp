#include "settings/update_views/UpdateChecker.h"

#include <QDesktopServices>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <thread>

#include "core/config/ConfigStore.h"
#include "core/config/ServiceHosts.h"
#include "core/net/HttpClient.h"
#include "core/platform/FileSystem.h"
#include "core/platform/ProgramPaths.h"
#include "core/platform/RevealInFileManager.h"
#include "settings/update_model/UpdateArchive.h"
#include "settings/update_views/UpdateWorker.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

// The system's tick count: milliseconds since it started, as the steady clock counts them.
std::int64_t tickCount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

MessageAnswer ask(const UpdateMessage& message, MessageIcon icon, MessageButtons buttons,
                  MessageAnswer defaultAnswer = MessageAnswer::ok) {
    return MessageBox::ask(
        {shownText(message.title), shownText(message.text), icon, buttons, defaultAnswer, nullptr});
}

std::string folderUrl() {
    return updateFolderUrl(webHostBase());
}

std::string savedArchivePath() {
    return dataDirectory() + "/Galewarden.zip";
}

// Only a complete archive replaces an earlier one; an error page is never stored.
bool downloadArchive(const HttpClient& http, const std::string& url, const std::string& target,
                     std::stop_token stop) {
    HttpRequestOptions options;
    options.url = url;
    options.addDefaultHeaders = false;
    options.extraHeaders = "Accept: */*";
    options.stop = stop;
    const HttpResponse response = http.request(options);
    return !stop.stop_requested() && isArchiveAnswer(response.headers, response.body) &&
           replaceFile(target, response.body);
}

// The file manager may take seconds to answer; nothing waits for it.
void revealLater(std::string path) {
    std::thread([path = std::move(path)] { (void)revealInFileManager(path); }).detach();
}

}  // namespace

struct UpdateChecker::State {
    State(UpdateChecker& owner, ConfigStore& configuration, const HttpClient& client,
          std::string runningVersion, QTimer& checkTimer)
        : store(configuration),
          http(client),
          versionText(std::move(runningVersion)),
          timer(checkTimer),
          worker(owner) {}

    ConfigStore& store;
    const HttpClient& http;
    const std::string versionText;
    QTimer& timer;
    std::function<bool()> trayShown;
    int retryCount = 0;
    bool running = false;
    UpdateWorker worker;
};

UpdateChecker::UpdateChecker(ConfigStore& store, const HttpClient& http, std::string versionText,
                             QTimer& updateTimer, QObject* parent)
    : QObject(parent),
      state_(std::make_unique<State>(*this, store, http, std::move(versionText), updateTimer)) {
    connect(&updateTimer, &QTimer::timeout, this, &UpdateChecker::timerTick);
}

UpdateChecker::~UpdateChecker() = default;

void UpdateChecker::checkNow() {
    if (state_->running) {
        return;
    }
    state_->timer.stop();
    state_->retryCount = kSettledRetryCount;
    start(CheckKind::userRequested);
}

void UpdateChecker::startAutomatic() {
    if (state_->running) {
        return;
    }
    state_->timer.stop();
    start(CheckKind::automatic);
}

bool UpdateChecker::running() const {
    return state_->running;
}

void UpdateChecker::checkUnlessSettled(bool autoCheck) {
    if (checksWhenSettingsOpen(autoCheck, state_->retryCount)) {
        checkNow();
    }
}

int UpdateChecker::retryCount() const {
    return state_->retryCount;
}

void UpdateChecker::setTrayShownQuery(std::function<bool()> trayShown) {
    state_->trayShown = std::move(trayShown);
}

void UpdateChecker::timerTick() {
    if (state_->trayShown && !state_->trayShown()) {
        state_->timer.start();  // a single-shot timer would not come back on its own
        return;
    }
    startAutomatic();
}

void UpdateChecker::start(CheckKind kind) {
    const std::string url = versionFileUrl(folderUrl(), state_->versionText, tickCount());
    const HttpClient* http = &state_->http;
    const bool started = state_->worker.start(
        [http, url](std::stop_token stop) { return parseVersionFile(http->fetch(url, stop)); },
        [this, kind](std::optional<PublishedVersion> published) {
            finishCheck(kind, std::move(published));
        });
    if (!started) {
        return;  // the last download's thread has not let go yet; the next request will do
    }
    state_->running = true;
    emit versionLineChanged(shownText(checkingLine()));
}

void UpdateChecker::finishCheck(CheckKind kind, std::optional<PublishedVersion> published) {
    const CheckDecision decision =
        decideCheck({kind, std::move(published), state_->versionText,
                     state_->store.read(keys::kLastCheck), state_->retryCount},
                    archiveUrl(folderUrl()));
    state_->retryCount = decision.retryCount;
    state_->store.writeQuoted(keys::kLastCheck.section, keys::kLastCheck.name, decision.lastCheck);
    emit versionLineChanged(shownText(decision.versionLine));
    if (decision.retryAfter) {
        state_->timer.start(static_cast<int>(decision.retryAfter->count()));
    }
    if (decision.balloon) {
        emit announce(shownText(decision.balloon->title), shownText(decision.balloon->text));
    }
    if (decision.offer) {
        offerDownload(*decision.offer);
        return;
    }
    endCheck();
}

void UpdateChecker::offerDownload(const UpdateMessage& offer) {
    // The boxes run an event loop of their own, in which the checker may go.
    const QPointer<UpdateChecker> self(this);
    if (ask(offer, MessageIcon::information, MessageButtons::okCancel) != MessageAnswer::ok) {
        if (self) {
            endCheck();
        }
        return;
    }
    if (!self) {
        return;
    }
    const MessageAnswer choice = ask(downloadChoice(), MessageIcon::question,
                                     MessageButtons::yesNoCancel, MessageAnswer::no);
    if (!self) {
        return;
    }
    if (choice == MessageAnswer::yes) {
        QDesktopServices::openUrl(QUrl(toQString(archiveUrl(folderUrl()))));
    } else if (choice == MessageAnswer::no) {
        startDownload();
        return;
    }
    endCheck();
}

void UpdateChecker::startDownload() {
    const std::string url = archiveUrl(folderUrl());
    const std::string target = savedArchivePath();
    const HttpClient* http = &state_->http;
    const bool started = state_->worker.start(
        [http, url, target](std::stop_token stop) {
            return downloadArchive(*http, url, target, stop);
        },
        [this](bool saved) { finishDownload(saved); });
    if (!started) {
        finishDownload(false);
    }
}

void UpdateChecker::finishDownload(bool saved) {
    const QPointer<UpdateChecker> self(this);
    if (saved) {
        const std::string path = savedArchivePath();
        ask(downloadDone(path), MessageIcon::information, MessageButtons::ok);
        revealLater(path);
    } else {
        ask(downloadFailed(archiveUrl(folderUrl())), MessageIcon::exclamation, MessageButtons::ok);
    }
    if (self) {
        endCheck();
    }
}

void UpdateChecker::endCheck() {
    state_->running = false;
}

}  // namespace galewarden
