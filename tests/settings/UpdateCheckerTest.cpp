#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "AlertService.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "settings/update_views/UpdateChecker.h"
#include "support/LoopbackServer.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "support/WindowControls.h"
#include "ui/MessageBox.h"

namespace galewarden {

using namespace std::chrono_literals;

namespace {

using test::q;

constexpr char kRunning[] = "1.0.9.4";

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

// The checker against the stand-in web host on loopback, with the message boxes scripted and
// the file manager replaced by a recorder on PATH.
class UpdateCheckerTest : public QObject {
    Q_OBJECT

  public slots:
    void openedInBrowser(const QUrl& url) { browserUrls_.push_back(url); }

  private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<alertservice::AlertService> service_;
    std::unique_ptr<ConfigStore> store_;
    std::unique_ptr<HttpClient> http_;
    std::unique_ptr<QTimer> timer_;
    std::unique_ptr<UpdateChecker> checker_;
    std::string base_;
    std::string oldPath_;
    std::vector<QUrl> browserUrls_;

    std::filesystem::path dataDirectory() const { return home_->path() / "service"; }
    std::filesystem::path revealRecord() const { return home_->path() / "tools" / "reveal.args"; }
    std::string archiveBytes() const {
        return readBytes(dataDirectory() / "download/Galewarden.zip");
    }
    std::string savedArchive() const { return (home_->path() / "Galewarden.zip").string(); }

    void publish(const std::string& latest) {
        writeBytes(dataDirectory() / "download/latest.ini", latest);
    }

    // The stand-in on a data folder of the test's own, so that each test publishes its own
    // version file.
    void startService() {
        std::filesystem::copy(GALEWARDEN_ALERT_SERVICE_DATA, dataDirectory(),
                              std::filesystem::copy_options::recursive);
        service_ = std::make_unique<alertservice::AlertService>(
            alertservice::ServiceSettings{dataDirectory(), {}, false});
        base_ = "http://127.0.0.1:" + std::to_string(service_->start(0));
        useWebHost(base_);
    }

    void useWebHost(const std::string& base) {
        qputenv("GALEWARDEN_WEB_HOST", QByteArray::fromStdString(base));
    }

    // dbus-send answers for a file manager: it writes down what it was asked.
    void installRevealRecorder() {
        const std::filesystem::path tools = home_->path() / "tools";
        const std::filesystem::path script = tools / "dbus-send";
        writeBytes(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                               revealRecord().string() + ".part'\n/bin/mv '" +
                               revealRecord().string() + ".part' '" + revealRecord().string() +
                               "'\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        ::setenv("PATH", tools.c_str(), 1);
    }

    void makeChecker(HttpTimeouts timeouts = {2000ms, 1000ms, 20000ms}) {
        checker_.reset();
        http_ = std::make_unique<HttpClient>(timeouts);
        checker_ = std::make_unique<UpdateChecker>(*store_, *http_, kRunning, *timer_);
    }

    std::string storedLastCheck() const {
        const std::string ini = home_->read("Galewarden.ini");
        const auto at = ini.find("LastCheck=");
        return at == std::string::npos
                   ? std::string("<none>")
                   : ini.substr(at + 10, ini.find_first_of("\r\n", at) - at - 10);
    }

    int versionFileRequests() const {
        int count = 0;
        for (const std::string& line : service_->requests()) {
            count += line.starts_with("GET /Download/Galewarden/latest.ini") ? 1 : 0;
        }
        return count;
    }

    void checkAutomatically() {
        checker_->startAutomatic();
        QVERIFY(checker_->running());
        QTRY_VERIFY_WITH_TIMEOUT(!checker_->running(), 20000);
    }

    void checkOnRequest() {
        checker_->checkNow();
        QTRY_VERIFY_WITH_TIMEOUT(!checker_->running(), 20000);
    }

  private slots:
    void init() {
        home_ = std::make_unique<test::TestHome>();
        oldPath_ = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        installRevealRecorder();
        startService();
        store_ = std::make_unique<ConfigStore>();
        timer_ = std::make_unique<QTimer>();
        timer_->setSingleShot(true);
        makeChecker();
        browserUrls_.clear();
        MessageBox::scriptAnswers({});
    }

    void cleanup() {
        checker_.reset();
        service_.reset();
        timer_.reset();
        http_.reset();
        store_.reset();
        ::setenv("PATH", oldPath_.c_str(), 1);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        MessageBox::stopScripting();
        home_.reset();
    }

    void automaticCheckAnnouncesANewVersionOnce() {
        QSignalSpy lines(checker_.get(), &UpdateChecker::versionLineChanged);
        QSignalSpy announced(checker_.get(), &UpdateChecker::announce);
        checkAutomatically();
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.at(0).at(0).toString(), q("新版本可用：1.0.9.5"));
        QCOMPARE(announced.at(0).at(1).toString(),
                 q("新版本 1.0.9.5 已于 2026-10-08 发布，可前往官网下载更新。"));
        QCOMPARE(lines.count(), 2);
        QCOMPARE(lines.at(0).at(0).toString(), q("正在检查新版本 .."));
        QCOMPARE(lines.at(1).at(0).toString(), q("存在新版本：1.0.9.5"));
        QCOMPARE(storedLastCheck(), std::string("\"1.0.9.5\""));
        QCOMPARE(checker_->retryCount(), 0);
        QVERIFY(!timer_->isActive());
        QVERIFY(MessageBox::asked().empty());

        const std::string request = service_->requests().back();
        QVERIFY2(request.starts_with("GET /Download/Galewarden/latest.ini?v=1.0.9.4&_="),
                 request.c_str());

        checkAutomatically();
        QCOMPARE(announced.count(), 1);
        QCOMPARE(versionFileRequests(), 2);
    }

    void importantVersionIsAnnouncedAtEveryCheck() {
        publish("[NewVer]\r\nVer=1.0.9.5\r\nImportant=1.0.9.5\r\nUpdated=2026-10-08\r\n");
        QSignalSpy announced(checker_.get(), &UpdateChecker::announce);
        checkAutomatically();
        checkAutomatically();
        QCOMPARE(announced.count(), 2);
        QVERIFY(
            announced.at(1).at(1).toString().endsWith(q("\n近期版本存在重大变化，请及时更新。")));
    }

    void upToDateSettlesTheRetryCount() {
        publish("[NewVer]\r\nVer=1.0.9.4\r\nImportant=1.0.9.9\r\n");
        QSignalSpy lines(checker_.get(), &UpdateChecker::versionLineChanged);
        QSignalSpy announced(checker_.get(), &UpdateChecker::announce);
        checkAutomatically();
        QCOMPARE(checker_->retryCount(), 3);
        QCOMPARE(announced.count(), 0);
        QCOMPARE(lines.last().at(0).toString(), q("当前已是最新版本"));
        QCOMPARE(storedLastCheck(), std::string("\"1.0.9.4\""));
        QVERIFY(!timer_->isActive());
    }

    void failedAutomaticChecksBackOff_data() {
        QTest::addColumn<QString>("scenario");
        for (const char* name :
             {"http500", "html-error", "empty", "stall", "drop", "waf", "truncated", "huge"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
        QTest::newRow("no NewVer") << QString();
    }

    void failedAutomaticChecksBackOff() {
        QFETCH(QString, scenario);
        if (scenario.isEmpty()) {
            publish("[Other]\r\nVer=1.0.9.5\r\n");
        } else {
            QVERIFY(service_->selectScenario(scenario.toStdString()));
        }
        store_->writeQuoted("CheckNew", "LastCheck", "1.0.9.5");
        QSignalSpy lines(checker_.get(), &UpdateChecker::versionLineChanged);
        QSignalSpy announced(checker_.get(), &UpdateChecker::announce);
        for (int failures = 1; failures <= 2; ++failures) {
            checkAutomatically();
            QCOMPARE(checker_->retryCount(), failures);
            QVERIFY(timer_->isActive());
            QCOMPARE(timer_->interval(), failures * 30000);
        }
        QCOMPARE(lines.last().at(0).toString(), q("获取最新版本信息失败"));
        QCOMPARE(storedLastCheck(), std::string("\"\""));
        QCOMPARE(announced.count(), 0);
        QVERIFY(MessageBox::asked().empty());
    }

    void failedCheckOnRequestSchedulesNothing() {
        QVERIFY(service_->selectScenario("html-error"));
        checkOnRequest();
        QCOMPARE(checker_->retryCount(), 3);
        QVERIFY(!timer_->isActive());
        QVERIFY(MessageBox::asked().empty());
    }

    void afterAFailureTheSameVersionIsAnnouncedAgain() {
        QSignalSpy announced(checker_.get(), &UpdateChecker::announce);
        checkAutomatically();
        QVERIFY(service_->selectScenario("drop"));
        checkAutomatically();
        QVERIFY(service_->selectScenario("default"));
        checkAutomatically();
        QCOMPARE(announced.count(), 2);
    }

    void userDownloadsTheArchiveThroughTheProgram() {
        MessageBox::scriptAnswers({MessageAnswer::ok, MessageAnswer::no, MessageAnswer::ok});
        checkOnRequest();
        const auto& asked = MessageBox::asked();
        QCOMPARE(asked.size(), std::size_t{3});
        const QString archive =
            QString::fromStdString(base_) + QStringLiteral("/Download/Galewarden/Galewarden.zip");
        QCOMPARE(asked[0].title, q("检查新版本"));
        QCOMPARE(asked[0].text,
                 q("检查到新版本：1.0.9.5（2026-10-08）\n单击“确定”可进行下载：\n") + archive);
        QCOMPARE(asked[0].buttons, MessageButtons::okCancel);
        QCOMPARE(asked[0].icon, MessageIcon::information);
        QCOMPARE(asked[1].title, q("选择下载方式"));
        QCOMPARE(asked[1].buttons, MessageButtons::yesNoCancel);
        QCOMPARE(asked[1].defaultAnswer, MessageAnswer::no);
        QCOMPARE(asked[2].title, q("下载完成"));
        QCOMPARE(asked[2].icon, MessageIcon::information);
        QCOMPARE(asked[2].text, q("下载完成，请退出此程序后解压文件：\n") +
                                    QString::fromStdString(savedArchive()));
        QCOMPARE(readBytes(savedArchive()), archiveBytes());

        // The folder opens with the archive selected.
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(revealRecord()), 10000);
        const std::string asksFor = readBytes(revealRecord());
        QVERIFY2(asksFor.find("org.freedesktop.FileManager1.ShowItems\n") != std::string::npos,
                 asksFor.c_str());
        QVERIFY2(asksFor.find("array:string:file://" + savedArchive() + "\n") != std::string::npos,
                 asksFor.c_str());
        QCOMPARE(checker_->retryCount(), 3);
    }

    void failingArchiveDownloadSavesNothing_data() {
        QTest::addColumn<QString>("scenario");
        for (const char* name : {"html-error", "waf", "empty", "truncated", "http500", "drop"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

    void failingArchiveDownloadSavesNothing() {
        QFETCH(QString, scenario);
        const std::string earlier = "an earlier download";
        writeBytes(savedArchive(), earlier);
        // The version file arrives; then the host fails.
        connect(checker_.get(), &UpdateChecker::versionLineChanged, this,
                [this, scenario](const QString& line) {
                    if (line.startsWith(q("存在新版本"))) {
                        service_->selectScenario(scenario.toStdString());
                    }
                });
        MessageBox::scriptAnswers({MessageAnswer::ok, MessageAnswer::no, MessageAnswer::ok});
        checkOnRequest();
        const auto& asked = MessageBox::asked();
        QCOMPARE(asked.size(), std::size_t{3});
        QCOMPARE(asked[2].title, q("下载失败"));
        QCOMPARE(asked[2].icon, MessageIcon::exclamation);
        QCOMPARE(asked[2].text, q("下载失败，请前往浏览器进行下载：\n") +
                                    QString::fromStdString(base_) +
                                    QStringLiteral("/Download/Galewarden/Galewarden.zip"));
        QCOMPARE(readBytes(savedArchive()), earlier);
        QVERIFY(!std::filesystem::exists(revealRecord()));
    }

    // A server that announces the whole archive and sends part of it.
    void archiveCutShortIsNotSaved() {
        const std::string archive = archiveBytes();
        test::LoopbackServer host;
        host.server().Get("/Download/Galewarden/latest.ini", [](const auto&, auto& response) {
            response.set_content("[NewVer]\r\nVer=1.0.9.5\r\nUpdated=x\r\n", "text/plain");
        });
        host.server().Get(
            "/Download/Galewarden/Galewarden.zip", [archive](const auto&, auto& response) {
                response.set_content_provider(
                    archive.size(), "application/zip",
                    [archive](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                        if (offset == 0) {
                            sink.write(archive.data(), archive.size() / 2);
                        }
                        return offset == 0;
                    });
            });
        host.start();
        useWebHost(host.base());
        MessageBox::scriptAnswers({MessageAnswer::ok, MessageAnswer::no, MessageAnswer::ok});
        checkOnRequest();
        QCOMPARE(MessageBox::asked().size(), std::size_t{3});
        QCOMPARE(MessageBox::asked()[2].title, q("下载失败"));
        QVERIFY(!std::filesystem::exists(savedArchive()));
    }

    void yesOpensTheArchiveInTheBrowser() {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openedInBrowser");
        MessageBox::scriptAnswers({MessageAnswer::ok, MessageAnswer::yes});
        checkOnRequest();
        QCOMPARE(MessageBox::asked().size(), std::size_t{2});
        QCOMPARE(browserUrls_.size(), std::size_t{1});
        QCOMPARE(
            browserUrls_[0].toString(),
            QString::fromStdString(base_) + QStringLiteral("/Download/Galewarden/Galewarden.zip"));
        QVERIFY(!std::filesystem::exists(savedArchive()));
    }

    void cancelDownloadsNothing_data() {
        QTest::addColumn<int>("answers");
        QTest::newRow("cancel the offer") << 1;
        QTest::newRow("cancel the choice") << 2;
    }

    void cancelDownloadsNothing() {
        QFETCH(int, answers);
        MessageBox::scriptAnswers(answers == 1
                                      ? std::deque{MessageAnswer::cancel}
                                      : std::deque{MessageAnswer::ok, MessageAnswer::cancel});
        checkOnRequest();
        QCOMPARE(MessageBox::asked().size(), std::size_t(answers));
        QVERIFY(!std::filesystem::exists(savedArchive()));
        QCOMPARE(storedLastCheck(), std::string("\"1.0.9.5\""));
    }

    void theInterfaceStaysLiveWhileTheHostStalls() {
        QVERIFY(service_->selectScenario("stall"));
        makeChecker({});  // waits as long as the program does
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(5);
        checker_->startAutomatic();
        QTRY_VERIFY(ticks >= 20);
        QVERIFY(checker_->running());

        // A second request while one runs changes nothing.
        checker_->checkNow();
        checker_->startAutomatic();
        QTRY_COMPARE(versionFileRequests(), 1);
        QVERIFY(MessageBox::asked().empty());

        // Going away stops the check instead of waiting for the host.
        checker_.reset();
    }

    void timerTicksCheckOnlyWhileTheTrayIsShown() {
        bool trayShown = false;
        checker_->setTrayShownQuery([&trayShown] { return trayShown; });
        QSignalSpy ticks(timer_.get(), &QTimer::timeout);
        QSignalSpy announced(checker_.get(), &UpdateChecker::announce);
        timer_->start(5);
        QTRY_VERIFY(ticks.count() >= 3);
        QCOMPARE(versionFileRequests(), 0);
        QVERIFY(!checker_->running());

        trayShown = true;
        QTRY_COMPARE_WITH_TIMEOUT(announced.count(), 1, 20000);
        QVERIFY(!timer_->isActive());
        QCOMPARE(versionFileRequests(), 1);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredUpdateCheckerTest =
    galewarden::test::registerQtTest<galewarden::UpdateCheckerTest>("UpdateCheckerTest");
}  // namespace

#include "UpdateCheckerTest.moc"
