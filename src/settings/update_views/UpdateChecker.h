#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "settings/update_model/UpdateDecision.h"

class QTimer;

namespace galewarden {

class ConfigStore;
class HttpClient;

// Whether a newer version of the program has been published: automatically some time after
// the start (announced by a balloon) or when the user asks (answered with message boxes).
// A check runs on a thread of its own, one at a time; results come back on the interface
// thread.
class UpdateChecker : public QObject {
    Q_OBJECT

  public:
    // `updateTimer` is the program's delayed-check timer: its tick starts an automatic check.
    UpdateChecker(ConfigStore& store, const HttpClient& http, std::string versionText,
                  QTimer& updateTimer, QObject* parent = nullptr);
    ~UpdateChecker() override;

    // A user-requested check, unless one is running.
    void checkNow();
    // An automatic check, unless one is running.
    void startAutomatic();
    // The settings window opened: a check unless the question is settled.
    void checkUnlessSettled(bool autoCheck);
    bool running() const;
    int retryCount() const;

    // A tick of the update timer starts a check only while this says the tray icon is shown;
    // otherwise the timer waits another interval. Without it every tick starts a check.
    void setTrayShownQuery(std::function<bool()> trayShown);

  signals:
    // The settings window's version line: "正在检查新版本 ..", "当前已是最新版本" and so on.
    void versionLineChanged(const QString& line);
    // An automatic check found a version to announce: the tray shows the balloon.
    void announce(const QString& title, const QString& body);

  private:
    struct State;

    void timerTick();
    void start(CheckKind kind);
    void finishCheck(CheckKind kind, std::optional<PublishedVersion> published);
    void offerDownload(const UpdateMessage& offer);
    void startDownload();
    void finishDownload(bool saved);
    void endCheck();

    std::unique_ptr<State> state_;
};

}  // namespace galewarden
