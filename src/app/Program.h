#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "app/ProgramInfo.h"
#include "app/ProgramTimers.h"
#include "core/config/ConfigStore.h"
#include "settings/services/SettingsServices.h"
#include "ui/IconDisplay.h"

namespace galewarden {

class AlertEngine;
class AlertIconWindow;
class DetailsWindow;
class HistoryWindow;
class QtRefreshView;
class RefreshPresenter;
class SettingsWindow;
class SetupWizard;
class TrayIcon;
class UpdateChecker;
class WarningSoundPlayer;

// The running program: its windows, timers and engine, from the start-up sequence to the
// shutdown, and every way it ends or restarts.
// Set in the environment of a program started anew.
inline constexpr char kRestartVariable[] = "GALEWARDEN_RESTARTING";

// A start with "~reset" as its first argument, in any case.
bool asksForReset(const QStringList& arguments);

class Program : public QObject {
    Q_OBJECT

  public:
    // Starts the program anew with these arguments, not waiting for it.
    using StartAnew = std::function<void(const QStringList& arguments)>;

    // `startAnew` defaults to starting this executable, told that it is a restart
    // (kRestartVariable), so that it waits for this one to end.
    explicit Program(QStringList arguments, StartAnew startAnew = {});
    ~Program() override;

    // The start-up sequence; monitoring runs when it returns.
    void start();

    // Ends the program in order once the caller's code has finished.
    void exitProgram();
    // Ends it in order and starts it again.
    void restartProgram();
    // Ends the process at once, without the shutdown sequence.
    [[noreturn]] void forceExit();
    // Asks first; then ends it in order and starts it again with "~reset".
    void resetAndRestart(QWidget* owner);

    // True from the first request to end the program.
    bool ending() const { return ending_; }
    // False when a refresh pass did not stop in time at shutdown: the process must then end
    // without waiting for it.
    bool endedCleanly() const { return endedCleanly_; }

    const ProgramInfo& info() const { return info_; }
    DetailsWindow& detailsWindow() { return *details_; }
    AlertEngine& engine() { return *engine_; }
    // The first-start wizard or one opened from the settings window; null when none is open.
    SetupWizard* setupWizard() const;
    SettingsWindow* settingsWindow() const;
    // Another start of the program asked for it: the wizard when it is open, else the details.
    void comeForward();
    // The tray's "&S.设置": one settings window, never while the wizard is open.
    void openSettingsWindow();
    // The tray's "&H.历史预警" and the details window's: one history window, read anew.
    void openHistoryWindow();
    // What the settings windows and the wizard reach of the program.
    SettingsServices settingsServices();

  private:
    void watchTerminationRequests();
    void refreshErrorReport();
    void sayWhenTheIconCannotBePlaced();
    void startMonitoring();
    void openSetupWizard(bool firstStart);
    void createIconWindow();
    void applyAutoRun();
    void shutdown();
    void endProgram(std::optional<QStringList> startAgainWith);
    void finishOnceUnwound();
    void endThenStart(QStringList arguments);
    void showDetailsWindow();

    QStringList arguments_;
    StartAnew startAnew_;
    ProgramInfo info_;
    ConfigStore store_;
    ProgramTimers timers_;
    IconDisplay display_;
    std::unique_ptr<DetailsWindow> details_;
    std::unique_ptr<TrayIcon> tray_;
    AlertIconWindow* icon_ = nullptr;
    std::unique_ptr<AlertIconWindow> ownedIcon_;
    std::unique_ptr<WarningSoundPlayer> sound_;
    std::unique_ptr<RefreshPresenter> presenter_;
    std::unique_ptr<QtRefreshView> view_;
    std::unique_ptr<AlertEngine> engine_;
    std::unique_ptr<UpdateChecker> updates_;
    QPointer<SetupWizard> wizard_;
    QPointer<SettingsWindow> settings_;
    QPointer<HistoryWindow> history_;
    bool ending_ = false;
    std::optional<QStringList> startAgainWith_;
    bool shutDown_ = false;
    bool endedCleanly_ = true;
};

}  // namespace galewarden
