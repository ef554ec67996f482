#include "app/Program.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdlib>

#include <galewarden/UpdateCheck.h>

#include "app/ErrorReport.h"
#include "app/QtRefreshView.h"
#include "app/RefreshPresenter.h"
#include "app/WarningSoundPlayer.h"
#include "core/alerts/AlertEngine.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/outputs/HtmlPage.h"
#include "core/history/HistoryStore.h"
#include "core/platform/Autostart.h"
#include "core/platform/ProgramPaths.h"
#include "core/platform/TerminationRequests.h"
#include "core/text/CodePage.h"
#include "settings/editors/DistrictPicker.h"
#include "settings/editors/HtmlMarkerWindow.h"
#include "settings/editors/JsonRulesWindow.h"
#include "settings/editors/SourceOptionsWindow.h"
#include "settings/update_views/IconPackPage.h"
#include "settings/update_views/UpdateChecker.h"
#include "settings/window/SettingsWindow.h"
#include "settings/wizard/SetupWizard.h"
#include "ui/AlertIconWindow.h"
#include "ui/BringToFront.h"
#include "ui/DetailsWindow.h"
#include "ui/FullScreenCalibration.h"
#include "ui/HistoryWindow.h"
#include "ui/MessageBox.h"
#include "ui/ModalSession.h"
#include "ui/MonitorAreas.h"
#include "ui/PositionPicker.h"
#include "ui/TrayIcon.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

constexpr int kVisibilityPassMs = 1000;
constexpr int kUpdateCheckDelayMs = 15000;
constexpr int kFadeStepMs = 25;
constexpr QSize kDetailsClientSize{450, 400};
// How often an ending program looks whether the modal dialogs it closed have returned.
constexpr int kUnwindPollMs = 10;

void centreOnScreen(QWidget& window, QSize clientSize) {
    window.resize(clientSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window.move(available.center() - QPoint(clientSize.width() / 2, clientSize.height() / 2));
    }
}

}  // namespace

bool asksForReset(const QStringList& arguments) {
    return !arguments.isEmpty() && arguments.front().toLower() == QStringLiteral("~reset");
}

Program::Program(QStringList arguments, StartAnew startAnew)
    : arguments_(std::move(arguments)),
      startAnew_(std::move(startAnew)),
      info_(ProgramInfo::current()) {
    if (!startAnew_) {
        startAnew_ = [](const QStringList& commandLine) {
            QProcess process;
            process.setProgram(QCoreApplication::applicationFilePath());
            process.setArguments(commandLine);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QLatin1String(kRestartVariable), QStringLiteral("1"));
            process.setProcessEnvironment(environment);
            process.startDetached();
        };
    }
    ModalSession::resume();
    installErrorReport(info_, executablePath(), dataDirectory());
    // The details window comes first: it carries the status line from the start on.
    details_ = std::make_unique<DetailsWindow>(display_, [this] {
        return engine_ ? engine_->state().unexpectedDataText() : std::string();
    });
    sayWhenTheIconCannotBePlaced();
    tray_ = std::make_unique<TrayIcon>(toQString(info_.titleText), timers_.trayHide);
    sound_ = std::make_unique<WarningSoundPlayer>();
    presenter_ = std::make_unique<RefreshPresenter>(
        RefreshPresenter::Windows{*details_, *tray_, icon_}, display_, timers_, *sound_,
        [this] { refreshErrorReport(); });
    view_ = std::make_unique<QtRefreshView>(*presenter_);
    engine_ = std::make_unique<AlertEngine>(*view_);
    if (kUpdateCheckBuiltIn) {
        updates_ = std::make_unique<UpdateChecker>(store_, engine_->http(), info_.versionText,
                                                   timers_.updateCheck);
        updates_->setTrayShownQuery([this] { return tray_->isVisible(); });
        connect(updates_.get(), &UpdateChecker::announce, tray_.get(), &TrayIcon::showInformation);
    }

    timers_.fade.setInterval(kFadeStepMs);
    connect(&timers_.visibility, &QTimer::timeout, this, [this] { refreshErrorReport(); });
    connect(&timers_.refresh, &QTimer::timeout, this, [this] { engine_->refreshNow(); });
    connect(tray_.get(), &TrayIcon::viewRequested, this, [this] { showDetailsWindow(); });
    connect(tray_.get(), &TrayIcon::exitRequested, this, [this] { exitProgram(); });
    connect(tray_.get(), &TrayIcon::settingsRequested, this, [this] { openSettingsWindow(); });
    connect(tray_.get(), &TrayIcon::historyRequested, this, [this] { openHistoryWindow(); });
    tray_->setHistoryShown(store_.readNumber(keys::kHistoryDays) > 0);
    connect(details_.get(), &DetailsWindow::historyRequested, this,
            [this] { openHistoryWindow(); });
    connect(details_.get(), &DetailsWindow::switchRequested, this, [this] {
        if (icon_ != nullptr) {
            icon_->switchByHand();
        }
    });
}

Program::~Program() {
    shutdown();
}

// Log-out and service managers ask with a signal; the program then ends as from its menu.
void Program::watchTerminationRequests() {
    const int requests = galewarden::watchTerminationRequests();
    if (requests == -1) {
        return;
    }
    auto* notifier = new QSocketNotifier(requests, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        drainTerminationRequests();
        exitProgram();
    });
}

// A compositor places the windows itself: said once, since the settings cannot help.
void Program::sayWhenTheIconCannotBePlaced() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        details_->setStatus(
            {fromQString(QStringLiteral("图标窗口由桌面摆放：要放到设定的位置，需要Xwayland。")),
             true});
    }
}

// What a crash report tells of the running program, made beforehand.
void Program::refreshErrorReport() {
    const RefreshState& state = engine_->state();
    updateErrorReport({display_.currentIndex(), display_.entryCount(), display_.fadeStep(),
                       state.firstCycleDone.load(), state.responseText()});
}

void Program::start() {
    watchTerminationRequests();
    if (asksForReset(arguments_)) {
        resetConfiguration(store_);
    }
    if (!store_.exists()) {
        openSetupWizard(true);
        return;
    }
    migrateConfiguration(store_);
    writeHtmlStage(store_, kStageStartedOrFailed);
    startMonitoring();
}

// The wizard's finish starts the monitoring; at the first start its "&U.放弃" ends the program.
void Program::openSetupWizard(bool firstStart) {
    if (wizard_ != nullptr) {
        bringToFront(wizard_);
        return;
    }
    wizard_ = new SetupWizard(settingsServices(),
                              firstStart ? WizardOpening::firstStart : WizardOpening::fromSettings,
                              store_);
    wizard_->setAttribute(Qt::WA_DeleteOnClose);
    wizard_->show();
}

SetupWizard* Program::setupWizard() const {
    return wizard_;
}

SettingsWindow* Program::settingsWindow() const {
    return settings_;
}

void Program::openSettingsWindow() {
    if (wizard_ != nullptr) {
        return;
    }
    if (settings_ == nullptr) {
        settings_ = new SettingsWindow(store_, settingsServices());
        settings_->setAttribute(Qt::WA_DeleteOnClose);
    }
    settings_->show();
    settings_->raise();
    settings_->activateWindow();
}

void Program::openHistoryWindow() {
    if (history_ == nullptr) {
        history_ = new HistoryWindow(historyPath());
        history_->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        history_->reload();
    }
    bringToFront(history_);
}

SettingsServices Program::settingsServices() {
    SettingsServices services;
    services.settingsSaved = [this] {
        engine_->state().settingsChanged = true;
        tray_->setHistoryShown(store_.readNumber(keys::kHistoryDays) > 0);
        if (icon_ != nullptr) {
            icon_->applyIconWindowSettings();
        }
    };
    services.exitProgram = [this] { exitProgram(); };
    services.restartProgram = [this] { restartProgram(); };
    services.forceExit = [this] { forceExit(); };
    services.resetAndRestart = [this](QWidget* owner) { resetAndRestart(owner); };
    services.openSetupWizard = [this] { openSetupWizard(false); };
    services.pickDistricts = [this](QWidget* owner, const DistrictSelection& chosenBefore) {
        return pickDistricts(owner, engine_->http(), chosenBefore);
    };
    services.editJsonRules = [this, saved = services.settingsSaved](QWidget* owner) {
        editJsonRules(owner, engine_->http(), saved);
    };
    services.editSourceOptions = &editSourceOptions;
    services.editHtmlMarker = [saved = services.settingsSaved] { editHtmlMarker(saved); };
    services.makeIconPackPage = [this](QWidget* parent) -> QWidget* {
        return new IconPackPage(store_, engine_->http(), parent);
    };
    services.startMonitoring = [this] { startMonitoring(); };
    services.abandonFirstRun = [this] { exitProgram(); };
    services.pickPosition = [](QWidget* owner, IconPlacement current) {
        return pickPosition(owner, current);
    };
    services.calibrateFullScreenBase = [](QWidget* owner) {
        return galewarden::calibrateFullScreenBase(&countFullScreenWindowsOnEveryMonitor, owner);
    };
    services.playWarningSound = [this] { sound_->play(); };
    services.http = &engine_->http();
    services.updates = updates_.get();
    services.updatesFromPackages = !kUpdateCheckBuiltIn;
    return services;
}

// Also run by a wizard opened from the settings window, in a program that monitors already.
void Program::startMonitoring() {
    engine_->state().settingsChanged = true;
    // The first pass fetches while the windows are made; its result waits for the event loop.
    engine_->refreshNow();
    createIconWindow();
    applyAutoRun();
    display_.startMonitoring();
    centreOnScreen(*details_, kDetailsClientSize);
    tray_->showAtStart();
    if (!tray_->available()) {
        // Without a tray the window is the program's only presence.
        showDetailsWindow();
    }
    timers_.visibility.start(kVisibilityPassMs);
    if (updates_ && store_.readFlag(keys::kAutoCheck)) {
        timers_.updateCheck.start(kUpdateCheckDelayMs);
    }
}

void Program::createIconWindow() {
    if (icon_ != nullptr) {
        return;
    }
    // The icon window runs the switch and fade timers itself.
    ownedIcon_ = std::make_unique<AlertIconWindow>(store_, display_, timers_.rotation, timers_.fade,
                                                   &countFullScreenWindowsOnEveryMonitor);
    icon_ = ownedIcon_.get();
    connect(&timers_.visibility, &QTimer::timeout, icon_,
            &AlertIconWindow::updateIconWindowVisibility);
    connect(icon_, &AlertIconWindow::pictureChanged, details_.get(),
            &DetailsWindow::showDetailPictures);
    connect(icon_, &AlertIconWindow::detailsRequested, this, [this] { showDetailsWindow(); });
}

void Program::applyAutoRun() {
    if (store_.readFlag(keys::kAutoRun)) {
        registerAutostart(fromQString(QCoreApplication::applicationFilePath()));
    } else {
        removeAutostart();
    }
}

void Program::showDetailsWindow() {
    details_->showDetailsWindow();
}

void Program::comeForward() {
    if (wizard_ != nullptr) {
        bringToFront(wizard_);
        return;
    }
    showDetailsWindow();
}

void Program::exitProgram() {
    endProgram(std::nullopt);
}

void Program::endThenStart(QStringList arguments) {
    endProgram(std::move(arguments));
}

// The first request to end wins. Nothing new starts, every modal dialog is closed, and only
// once their nested loops have returned are the windows destroyed.
void Program::endProgram(std::optional<QStringList> startAgainWith) {
    if (ending_) {
        return;
    }
    ending_ = true;
    startAgainWith_ = std::move(startAgainWith);
    timers_.stopAll();
    ModalSession::endAll();
    finishOnceUnwound();
}

void Program::finishOnceUnwound() {
    const int wait = ModalSession::depth() == 0 ? 0 : kUnwindPollMs;
    QTimer::singleShot(wait, this, [this] {
        if (ModalSession::depth() > 0) {
            finishOnceUnwound();
            return;
        }
        shutdown();
        if (startAgainWith_) {
            startAnew_(*startAgainWith_);
        }
        QCoreApplication::quit();
    });
}

void Program::restartProgram() {
    endThenStart({});
}

void Program::forceExit() {
    std::_Exit(0);
}

void Program::resetAndRestart(QWidget* owner) {
    const MessageAnswer answer = MessageBox::ask(
        {QStringLiteral("重置所有配置"),
         QStringLiteral(
             "重置后会清除当前的所有配置，并重新启动程序。\r\n原先的配置文件名将会被重命名为 "
             "Galewarden.ini.bak。\r\n是否继续？"),
         MessageIcon::exclamation, MessageButtons::yesNo, MessageAnswer::no, owner});
    if (answer == MessageAnswer::yes) {
        endThenStart({QStringLiteral("~reset")});
    }
}

// Timers first, so nothing starts anew; then the pass, given a little while; then the page's
// stage; the windows last.
void Program::shutdown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    timers_.stopAll();
    endedCleanly_ = engine_->stop();
    updates_.reset();
    delete wizard_;
    delete settings_;
    delete history_;
    applyAutoRun();
    writeHtmlStage(store_, kStageExited);
    ownedIcon_.reset();
    icon_ = nullptr;
    tray_->hideTrayIcon();
    details_->closeForGood();
}

}  // namespace galewarden
