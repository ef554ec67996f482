#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "AlertService.h"
#include "app/Program.h"
#include "core/alerts/AlertEngine.h"
#include "core/alerts/RefreshState.h"
#include "core/config/ConfigStore.h"
#include "settings/services/SettingsServices.h"
#include "settings/window/SettingsWindow.h"
#include "settings/wizard/SetupWizard.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "ui/DetailsWindow.h"
#include "ui/MessageBox.h"
#include "ui/ModalSession.h"

namespace galewarden {

// The program on a fresh directory against the stand-in service, started, used and ended as
// its user would, with restarts recorded instead of made.
class ProgramTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<alertservice::AlertService> service_;
    std::unique_ptr<Program> program_;
    std::vector<QStringList> startedAnew_;

    Program& start(QStringList arguments = {}) {
        program_ = std::make_unique<Program>(std::move(arguments), [this](const QStringList& args) {
            startedAnew_.push_back(args);
        });
        program_->start();
        return *program_;
    }

    QPushButton* wizardButton(const char* name) {
        return program_->setupWizard()->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    void finishWizard() {
        for (int page = 0; page < 6; ++page) {
            QTest::mouseClick(wizardButton("forwardButton"), Qt::LeftButton);
        }
    }

    QString detailsText() {
        return program_->detailsWindow().findChild<QPlainTextEdit*>("detailsText")->toPlainText();
    }

    QString statusText() {
        return program_->detailsWindow().findChild<QLabel*>("statusLine")->text();
    }

    std::string page() const { return home_->read("page.html"); }

    void usePage() {
        home_->write("page.html", "/* Stage Start *//* Stage End */");
        ConfigStore store;
        store.writeQuoted("HTML", "Location", home_->text() + "/page.html");
        store.writeText("HTML", "Start", "1");
    }

  private slots:
    void init() {
        home_ = std::make_unique<test::TestHome>();
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home_->path().string() + "/config"));
        service_ = std::make_unique<alertservice::AlertService>(
            alertservice::ServiceSettings{GALEWARDEN_ALERT_SERVICE_DATA, {}, false});
        const std::string base = "http://127.0.0.1:" + std::to_string(service_->start(0));
        qputenv("GALEWARDEN_ALERT_SERVICE", QByteArray::fromStdString(base));
        qputenv("GALEWARDEN_FEED_HOST", QByteArray::fromStdString(base));
        qputenv("GALEWARDEN_WEB_HOST", QByteArray::fromStdString(base));
        startedAnew_.clear();
        MessageBox::scriptAnswers({});
    }

    void cleanup() {
        program_.reset();
        service_.reset();
        home_.reset();
        MessageBox::stopScripting();
    }

    // A new user: the wizard, and nothing runs or is written until its finish, which starts
    // monitoring the national warning map.
    void aFirstRunOpensTheWizardWhoseFinishStartsMonitoring() {
        start();
        QVERIFY(program_->setupWizard() != nullptr);
        QVERIFY(program_->setupWizard()->isVisible());
        QVERIFY(!std::filesystem::exists(home_->file("Galewarden.ini")));
        QVERIFY(!program_->engine().refreshing());
        finishWizard();
        ConfigStore store;
        QCOMPARE(store.readText("General", "AutoRun", ""), std::string("1"));
        QCOMPARE(store.readText("Source", "UseKVX", ""), std::string("0"));
        QVERIFY(std::filesystem::exists(home_->path() / "config/autostart/galewarden.desktop"));
        QTRY_VERIFY_WITH_TIMEOUT(detailsText().startsWith(QStringLiteral("▲【")), 10000);
        QVERIFY(detailsText().contains(QStringLiteral("台风橙色预警")));  // 中央气象台, the feed's
    }

    // A first run left without the finish would watch nothing.
    void abandoningTheFirstRunEndsTheProgram_data() {
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("\"&U.放弃\"") << false;
        QTest::newRow("the close box") << true;
    }
    void abandoningTheFirstRunEndsTheProgram() {
        QFETCH(bool, byCloseBox);
        start();
        if (byCloseBox) {
            program_->setupWizard()->close();
        } else {
            QTest::mouseClick(wizardButton("abandonButton"), Qt::LeftButton);
        }
        QVERIFY(program_->ending());
        QTRY_VERIFY(program_->setupWizard() == nullptr);
        QVERIFY(!program_->detailsWindow().isVisible());
        QVERIFY(!std::filesystem::exists(home_->file("Galewarden.ini")));
    }

    void anotherStartBringsAMinimizedWizardBack() {
        start();
        program_->setupWizard()->showMinimized();
        program_->comeForward();
        QVERIFY(!program_->setupWizard()->isMinimized());
        QVERIFY(program_->setupWizard()->isVisible());
    }

    void resetAsFirstArgumentInAnyCaseStartsAFirstRun() {
        home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
        start({QStringLiteral("~RESET")});
        QCOMPARE(home_->read("Galewarden.ini.bak"), std::string("[General]\r\nAutoRun=0\r\n"));
        QVERIFY(program_->setupWizard() != nullptr);
    }

    void resetAsSecondArgumentDoesNothing() {
        home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
        start({QStringLiteral("x"), QStringLiteral("~reset")});
        QVERIFY(!std::filesystem::exists(home_->path() / "Galewarden.ini.bak"));
        QCOMPARE(ConfigStore().readText("CheckNew", "Current", ""), std::string("1.0.9.4"));
        QVERIFY(!std::filesystem::exists(home_->path() / "config/autostart/galewarden.desktop"));
    }

    void theStartAndAnOrderlyEndMarkThePage() {
        home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
        usePage();
        start();
        QCOMPARE(page().find("var Stage ="), page().find("var Stage = -1;"));
        QTRY_VERIFY_WITH_TIMEOUT(page().find("var Stage = 0;") != std::string::npos, 10000);
        program_->exitProgram();
        QTRY_VERIFY(page().find("var Stage = -3;") != std::string::npos);
        QVERIFY(program_->endedCleanly());
        QVERIFY(!program_->detailsWindow().isVisible());
        QVERIFY(startedAnew_.empty());
    }

    void theCloseBoxOnlyHides() {
        home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
        start();
        program_->detailsWindow().show();
        program_->detailsWindow().close();
        QVERIFY(!program_->detailsWindow().isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(program_->engine().state().firstCycleDone, 10000);
    }

    void restartsStartTheProgramAnewAfterTheEnd() {
        home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
        start();
        program_->restartProgram();
        QTRY_COMPARE(startedAnew_.size(), std::size_t{1});
        QCOMPARE(startedAnew_[0], QStringList{});
    }

    void resetAndRestartAsksFirst() {
        home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
        start();
        MessageBox::scriptAnswers({MessageAnswer::no, MessageAnswer::yes});
        program_->resetAndRestart(nullptr);
        QTest::qWait(50);
        QVERIFY(startedAnew_.empty());
        program_->resetAndRestart(nullptr);
        QTRY_COMPARE(startedAnew_.size(), std::size_t{1});
        QCOMPARE(startedAnew_[0], QStringList{QStringLiteral("~reset")});
        const MessageRequest& asked = MessageBox::asked().front();
        QCOMPARE(asked.title, QStringLiteral("重置所有配置"));
        QCOMPARE(asked.icon, MessageIcon::exclamation);
        QCOMPARE(asked.defaultAnswer, MessageAnswer::no);
        QVERIFY(asked.text.contains(QStringLiteral("Galewarden.ini.bak")));
    }

    // Offscreen there is no notification area: the window takes the tray's place.
    void withoutATrayTheWindowShowsAndTheStatusLineSaysSo() {
        home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
        start();
        QVERIFY(program_->detailsWindow().isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(statusText().contains(QStringLiteral("预警正生效中")), 10000);
        QVERIFY(statusText().startsWith(QStringLiteral("【无托盘】")));
    }

    void aFailingServiceOnlyChangesTheStatusLine() {
        home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
        start();
        QTRY_VERIFY_WITH_TIMEOUT(program_->engine().state().firstCycleDone, 10000);
        QTRY_VERIFY(detailsText().startsWith(QStringLiteral("▲【")));
        const QString details = detailsText();
        QVERIFY(service_->selectScenario("html-error"));
        QVERIFY(program_->engine().refreshNow());
        QTRY_VERIFY_WITH_TIMEOUT(statusText().contains(QStringLiteral("网页")), 10000);
        QCOMPARE(detailsText(), details);
    }

    // A stop (here SIGTERM) while a modal window runs its own event loop: the loop returns
    // first, with its windows still there; the program then ends in order, as from its menu.
    void aStopWhileAModalWindowIsOpenEndsInOrder_data() {
        QTest::addColumn<QString>("modal");
        for (const char* modal : {"source options", "JSON rules", "HTML marker", "district picker",
                                  "position picker", "message box", "file dialog"}) {
            QTest::newRow(modal) << QString::fromLatin1(modal);
        }
    }
    void aStopWhileAModalWindowIsOpenEndsInOrder() {
        QFETCH(QString, modal);
        const bool fromWizard = modal == QStringLiteral("district picker");
        if (!fromWizard) {
            home_->write("Galewarden.ini", "[General]\r\nAutoRun=0\r\n");
            usePage();
        }
        start();
        if (fromWizard) {
            usePage();  // the first start's wizard is open: only the page is configured
        }
        MessageBox::stopScripting();
        QPointer<QWidget> owner;
        if (fromWizard) {
            owner = program_->setupWizard();
        } else {
            program_->openSettingsWindow();
            owner = program_->settingsWindow();
        }
        QVERIFY(owner != nullptr);
        const SettingsServices services = program_->settingsServices();
        const std::map<QString, std::function<void()>> open{
            {"source options", [&] { services.editSourceOptions(owner); }},
            {"JSON rules", [&] { services.editJsonRules(owner); }},
            {"HTML marker", [&] { services.editHtmlMarker(); }},
            {"district picker", [&] { (void)services.pickDistricts(owner, {}); }},
            {"position picker",
             [&] {
                 (void)services.pickPosition(owner, {100, 82, 60, 80});
             }},
            {"message box",
             [&] {
                 QCOMPARE(MessageBox::ask({QStringLiteral("保存"), QStringLiteral("是否保存？"),
                                           MessageIcon::question, MessageButtons::okCancel,
                                           MessageAnswer::ok, owner}),
                          MessageAnswer::cancel);
             }},
            {"file dialog",
             [&] {
                 FileRequest request;
                 request.title = QStringLiteral("导入");
                 request.owner = owner;
                 QVERIFY(!MessageBox::chooseFile(request).has_value());
             }},
        };
        // Everything below runs inside the modal window's own loop until it returns.
        QTimer stopOnceOpen;
        connect(&stopOnceOpen, &QTimer::timeout, [&] {
            if (ModalSession::depth() > 0 && QApplication::activeModalWidget() != nullptr) {
                stopOnceOpen.stop();
                ::kill(::getpid(), SIGTERM);
            }
        });
        bool returned = false;
        bool ownerAliveOnReturn = false;
        QTimer::singleShot(0, [&] {
            stopOnceOpen.start(20);
            open.at(modal)();
            returned = true;
            ownerAliveOnReturn = owner != nullptr;
        });
        QTRY_VERIFY_WITH_TIMEOUT(returned, 10000);
        QVERIFY(ownerAliveOnReturn);
        QTRY_VERIFY(page().find("var Stage = -3;") != std::string::npos);
        QTRY_VERIFY(owner == nullptr);
        QVERIFY(program_->endedCleanly());
        QVERIFY(startedAnew_.empty());
        QCOMPARE(ModalSession::depth(), 0);
    }

    void outOfRangeSettingsNeitherCrashNorFreeze() {
        home_->write("Galewarden.ini",
                     "[General]\r\nAutoRun=0\r\nWidth=-5\r\nHeight=100000\r\nTop=x\r\n"
                     "Right=99999999999\r\nInterval=0\r\nRefreshTime=-1\r\nReshowTime=0\r\n"
                     "[Red]\r\nAlpha=9999\r\n[Blue]\r\nAlpha=-3\r\n[Label]\r\nShow=1\r\n"
                     "Size=10000\r\nWidth=0\r\nHeight=-1\r\nColor=#zz\r\nBgColor=#\r\n");
        start();
        QTRY_VERIFY_WITH_TIMEOUT(program_->engine().state().firstCycleDone, 10000);
        QTest::qWait(1500);  // two passes of the once-a-second visibility pass
        QCOMPARE(ConfigStore().readText("General", "Width", ""), std::string("-5"));
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredProgramTest =
    galewarden::test::registerQtTest<galewarden::ProgramTest>("ProgramTest");
}  // namespace

#include "ProgramTest.moc"
