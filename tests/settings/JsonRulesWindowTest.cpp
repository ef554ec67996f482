#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>

#include "AlertService.h"
#include "core/alerts/AlertEngine.h"
#include "core/alerts/RefreshView.h"
#include "core/alerts/source/SourcePresets.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "core/platform/ProgramPaths.h"
#include "settings/editors/JsonRulesWindow.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "support/WindowControls.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

using test::click;
using test::control;
using test::q;

using test::kSlowMs;

bool white(const QLineEdit& edit) {
    return edit.palette().color(QPalette::Base) == QColor(Qt::white);
}

// The live program's view: it counts what reaches it.
class CountingView final : public RefreshView {
  public:
    void showStatus(const StatusLine&) override { ++calls; }
    void setRefreshInterval(int) override { ++calls; }
    void presentResult(const RefreshResult&) override { ++calls; }
    void updateIconWindowVisibility() override { ++calls; }
    void applyIconWindowSettings() override { ++calls; }

    std::atomic<int> calls{0};
};

}  // namespace

class JsonRulesWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<alertservice::AlertService> service_;
    std::string base_;
    HttpClient http_;
    int settingsChanged_ = 0;

    std::string configPath() const { return home_->text() + "/Galewarden.ini"; }
    void writeConfig(const char* utf8) const { home_->write("Galewarden.ini", test::gb(utf8)); }
    std::string configBytes() const { return home_->read("Galewarden.ini"); }
    bool keyPresent(const char* key) const {
        return ConfigStore(configPath()).readText("JSON", key, "\r\n") != "\r\n";
    }

    std::unique_ptr<JsonRulesWindow> openWindow() {
        auto window = std::make_unique<JsonRulesWindow>(http_, ConfigStore(configPath()),
                                                        [this] { ++settingsChanged_; });
        window->show();
        return window;
    }

    // The alert service as a custom source, except for `array`.
    void writeServiceRules(const std::string& array) const {
        home_->write("Galewarden.ini", "[Source]\r\nUseKVX=0\r\n[JSON]\r\nHost=\"" + base_ +
                                           "\"\r\nMain=\"api/alert/c?a=%s\"\r\nArray=\"" + array +
                                           "\"\r\nidentifier=\"id\"\r\nheadline=\"title\"\r\n"
                                           "description=\"content\"\r\npublishTime=\"time\"\r\n");
    }

    void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

  private slots:
    void initTestCase() {
        service_ = std::make_unique<alertservice::AlertService>(
            alertservice::ServiceSettings{GALEWARDEN_ALERT_SERVICE_DATA, {}, false});
        const int port = service_->start(0);
        QVERIFY(port != 0);
        base_ = "http://127.0.0.1:" + std::to_string(port);
        ::setenv("GALEWARDEN_ALERT_SERVICE", base_.c_str(), 1);
    }

    void init() {
        home_ = std::make_unique<test::TestHome>();
        QVERIFY(service_->selectScenario("default"));
        settingsChanged_ = 0;
        MessageBox::scriptAnswers({});
        MessageBox::scriptFiles({});
    }

    void cleanup() {
        MessageBox::stopScripting();
        home_.reset();
    }

    void cleanupTestCase() {
        service_->stop();
        ::unsetenv("GALEWARDEN_ALERT_SERVICE");
    }

    void theInputsShowSetAndAbsentFields() {
        writeConfig("[JSON]\r\nHost=\r\nUseDetail=7\r\nOriginalSender=abc\r\nKeyword=\"发布\"\r\n");
        const auto window = openWindow();
        QCOMPARE(window->windowTitle(), q("JSON解析规则"));
        QCOMPARE(control<QLabel>(*window, "note")->text(),
                 q("　　注意：请谨慎修改，任意修改其中一项都有可能导致无法正常获取与解析预警数据。"
                   "若需导入"
                   "其他配置文件中的参数请单击“导入”按钮。若需重置请单击“重置”按钮。\n　　重置后，"
                   "这些解析"
                   "规则将完全初始化且无法正常解析。若使用了Corvane数据源，这些设置将不会生效。"));
        auto* host = control<QLineEdit>(*window, "Host");
        QCOMPARE(host->text(), QString());
        QCOMPARE(host->placeholderText(), QString());
        QVERIFY(white(*host));
        QCOMPARE(control<QLineEdit>(*window, "Keyword")->text(), q("发布"));
        auto* main = control<QLineEdit>(*window, "Main");
        QCOMPARE(main->text(), QString());
        QCOMPARE(main->placeholderText(), q("[default]"));
        QVERIFY(!white(*main));
        QCOMPARE(control<QComboBox>(*window, "UseDetail")->currentText(), q("1"));
        QCOMPARE(control<QComboBox>(*window, "OriginalSender")->currentText(), q("0"));
    }

    void typingIntoAnAbsentFieldSetsIt() {
        const auto window = openWindow();
        auto* main = control<QLineEdit>(*window, "Main");
        QTest::keyClicks(main, q("a?%s"));
        QCOMPARE(main->text(), q("a?%s"));
        QVERIFY(white(*main));
        QCOMPARE(main->placeholderText(), QString());
        main->backspace();
        main->backspace();
        main->backspace();
        main->backspace();
        QVERIFY(window->fields().field(1).set);
        auto* startPos = control<QLineEdit>(*window, "JsonStartPos");
        QTest::keyClicks(startPos, q("1x2"));
        QCOMPARE(startPos->text(), q("12"));
    }

    void choosingDefaultMakesAChoiceAbsent() {
        writeConfig("[JSON]\r\nUseDetail=1\r\n");
        const auto window = openWindow();
        auto* useDetail = control<QComboBox>(*window, "UseDetail");
        useDetail->setCurrentIndex(0);
        emit useDetail->activated(0);
        MessageBox::scriptAnswers({MessageAnswer::yes});
        click(*window, "save");
        QVERIFY(!keyPresent("UseDetail"));
    }

    void resetThenSaveRemovesEveryKey() {
        writeConfig(
            "[JSON]\r\nHost=\"http://h\"\r\nUseDetail=1\r\nJsonStartPos=4\r\n"
            "headline=\"title\"\r\n");
        const auto window = openWindow();
        QTest::keyClicks(control<QLineEdit>(*window, "Main"), q("x"));
        MessageBox::scriptAnswers({MessageAnswer::yes, MessageAnswer::yes});
        click(*window, "reset");
        QCOMPARE(control<QLineEdit>(*window, "Host")->placeholderText(), q("[default]"));
        QCOMPARE(control<QComboBox>(*window, "UseDetail")->currentText(), q("[default]"));
        QVERIFY(keyPresent("Host"));  // nothing written before saving
        click(*window, "save");
        for (const char* key : {"Host", "Main", "UseDetail", "JsonStartPos", "headline"}) {
            QVERIFY2(!keyPresent(key), key);
        }
        QCOMPARE(settingsChanged_, 1);
        QCOMPARE(window->result(), int(QDialog::Accepted));

        QCOMPARE(MessageBox::asked().size(), std::size_t(2));
        const MessageRequest& reset = MessageBox::asked()[0];
        QCOMPARE(reset.title, q("重置"));
        QCOMPARE(reset.text, q("重置所有参数？"));
        QCOMPARE(reset.icon, MessageIcon::question);
        QCOMPARE(reset.buttons, MessageButtons::yesNo);
        QCOMPARE(reset.defaultAnswer, MessageAnswer::no);
        QCOMPARE(reset.owner, window.get());
        const MessageRequest& save = MessageBox::asked()[1];
        QCOMPARE(save.title, q("保存"));
        QCOMPARE(save.text, q("确定保存？"));
        QCOMPARE(save.icon, MessageIcon::question);
        QCOMPARE(save.buttons, MessageButtons::yesNo);
    }

    void answeringNoChangesNothing() {
        writeConfig("[JSON]\r\nHost=\"http://h\"\r\n");
        const std::string before = configBytes();
        const auto window = openWindow();
        QTest::keyClicks(control<QLineEdit>(*window, "Main"), q("x"));
        MessageBox::scriptAnswers({MessageAnswer::no, MessageAnswer::no});
        click(*window, "reset");
        QCOMPARE(control<QLineEdit>(*window, "Host")->text(), q("http://h"));
        click(*window, "save");
        QCOMPARE(configBytes(), before);
        QCOMPARE(settingsChanged_, 0);
        QVERIFY(window->isVisible());
    }

    void anImportChangesOnlyItsKeys() {
        writeConfig("[JSON]\r\nHost=\"http://h\"\r\nMain=\"old\"\r\n");
        home_->write("other.ini", "[JSON]\r\nMain=\"new?%s\"\r\n");
        const auto window = openWindow();
        MessageBox::scriptFiles({QString::fromStdString(home_->text() + "/other.ini")});
        click(*window, "import");
        QCOMPARE(control<QLineEdit>(*window, "Main")->text(), q("new?%s"));
        QCOMPARE(control<QLineEdit>(*window, "Host")->text(), q("http://h"));
        QCOMPARE(control<QLineEdit>(*window, "Array")->placeholderText(), q("[default]"));
        QCOMPARE(ConfigStore(configPath()).readText("JSON", "Main", ""), "old");

        const FileRequest& asked = MessageBox::askedFiles().front();
        QCOMPARE(asked.title, q("导入配置"));
        QCOMPARE(asked.purpose, FileRequest::Purpose::open);
        QCOMPARE(asked.defaultSuffix, q("ini"));
        QCOMPARE(asked.directory, toQString(configDirectory()));
        QCOMPARE(asked.filter, q("配置文件（*.ini）|*.ini|所有文件（*.*）|*.*|"));

        MessageBox::scriptAnswers({MessageAnswer::yes});
        click(*window, "save");
        QCOMPARE(ConfigStore(configPath()).readText("JSON", "Main", ""), "new?%s");
        QCOMPARE(ConfigStore(configPath()).readText("JSON", "Host", ""), "http://h");
    }

    void aPastedLineBreakIsRefusedWithAMessage() {
        writeConfig("[JSON]\r\nHost=\"http://h\"\r\n");
        const std::string before = configBytes();
        const auto window = openWindow();
        auto* array = control<QLineEdit>(*window, "Array");
        array->insert(q("data\n[General]"));
        QVERIFY(window->fields().field(7).set);
        MessageBox::scriptAnswers({MessageAnswer::yes});
        click(*window, "save");
        QCOMPARE(MessageBox::asked().size(), std::size_t(1));
        QCOMPARE(MessageBox::asked().front().icon, MessageIcon::exclamation);
        QVERIFY(MessageBox::asked().front().text.contains(q("Array")));
        QCOMPARE(configBytes(), before);
        QCOMPARE(settingsChanged_, 0);
        QVERIFY(window->isVisible());
    }

    // The preset replaces every field, the user's own Keyword included, and with the stand-in as
    // its host it reads the feed's answer.
    void aPresetFillsTheFieldsAndItsDryRunReadsTheFeed() {
        writeConfig("[Source]\r\nUseKVX=0\r\n[JSON]\r\nKeyword=\"发布\"\r\nMain=\"old\"\r\n");
        ::setenv("GALEWARDEN_FEED_HOST", base_.c_str(), 1);
        const auto window = openWindow();
        QMenu* presets = control<QPushButton>(*window, "presets")->menu();
        QVERIFY(presets != nullptr);
        QCOMPARE(presets->actions().size(), qsizetype(3));
        presets->actions().front()->trigger();
        ::unsetenv("GALEWARDEN_FEED_HOST");
        QCOMPARE(control<QLineEdit>(*window, "Host")->text(), QString::fromStdString(base_));
        QCOMPARE(control<QLineEdit>(*window, "Main")->text(), q("api/map/alarm?adcode="));
        QCOMPARE(control<QLineEdit>(*window, "Headers")->text(),
                 q("Referer: https://weather.cma.cn/"));
        QCOMPARE(control<QLineEdit>(*window, "Keyword")->placeholderText(), q("[default]"));

        click(*window, "dryRun");
        QTRY_VERIFY_WITH_TIMEOUT(!window->dryRunning(), kSlowMs);
        QCOMPARE(MessageBox::asked().size(), std::size_t(1));
        QVERIFY2(MessageBox::asked().front().text.contains(q("按规则读取到 ")),
                 qPrintable(MessageBox::asked().front().text));
        QVERIFY(service_->requests().back().rfind("GET /api/map/alarm", 0) == 0);

        MessageBox::scriptAnswers({MessageAnswer::yes});
        click(*window, "save");
        QCOMPARE(currentSourceId(ConfigStore(configPath())), std::string("national-map"));
        QVERIFY(!keyPresent("Keyword"));
    }

    void headerLinesThatCannotBeSentAreRefusedWithAMessage() {
        writeConfig("[JSON]\r\nHost=\"http://h\"\r\n");
        const std::string before = configBytes();
        const auto window = openWindow();
        retype(control<QLineEdit>(*window, "Headers"), q("Referer: https://a/\\nHost: b"));
        for (const char* button : {"dryRun", "save"}) {
            MessageBox::scriptAnswers({MessageAnswer::yes});
            click(*window, button);
        }
        QCOMPARE(MessageBox::asked().size(), std::size_t(2));
        for (const MessageRequest& refusal : MessageBox::asked()) {
            QCOMPARE(refusal.icon, MessageIcon::exclamation);
            QVERIFY2(refusal.text.contains(q("Host: b")), qPrintable(refusal.text));
        }
        QVERIFY(!window->dryRunning());
        QCOMPARE(configBytes(), before);
        QCOMPARE(settingsChanged_, 0);
    }

    void aDryRunShowsTheKeptWarningsAndLeavesTheProgramAlone() {
        writeServiceRules("wrong");
        CountingView liveView;
        AlertEngine engine(liveView);
        QCOMPARE(engine.runOnce(), RefreshCycle::Outcome::processed);
        const StatusLine liveStatus = engine.state().status();
        const auto liveAnswer = engine.state().previousResponse;
        const int liveCalls = liveView.calls;
        const std::string before = configBytes();

        const auto window = openWindow();
        retype(control<QLineEdit>(*window, "Array"), q("data"));
        click(*window, "dryRun");
        QVERIFY(!control<QPushButton>(*window, "dryRun")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!window->dryRunning(), kSlowMs);

        QCOMPARE(MessageBox::asked().size(), std::size_t(1));
        const MessageRequest& report = MessageBox::asked().front();
        QCOMPARE(report.title, q("试运行"));
        QCOMPARE(report.icon, MessageIcon::information);
        QCOMPARE(report.owner, window.get());
        QVERIFY2(report.text.contains(q("按规则读取到 15 条预警，保留 ")), qPrintable(report.text));
        QVERIFY(report.text.contains(q("\n1. ")));
        QVERIFY(!report.text.contains(QLatin1Char('\r')));
        QVERIFY(control<QPushButton>(*window, "dryRun")->isEnabled());

        QCOMPARE(configBytes(), before);
        QCOMPARE(settingsChanged_, 0);
        QCOMPARE(engine.state().status().text, liveStatus.text);
        QCOMPARE(engine.state().status().error, liveStatus.error);
        QCOMPARE(engine.state().previousResponse, liveAnswer);
        QVERIFY(!engine.state().settingsChanged);
        QCOMPARE(int(liveView.calls), liveCalls);
        QVERIFY(window->isVisible());
    }

    void aDryRunSaysWhenTheAnswerIsUnusable() {
        writeServiceRules("data");
        QVERIFY(service_->selectScenario("html-error"));
        const auto window = openWindow();
        click(*window, "dryRun");
        QTRY_VERIFY_WITH_TIMEOUT(!window->dryRunning(), kSlowMs);
        QCOMPARE(MessageBox::asked().size(), std::size_t(1));
        QCOMPARE(MessageBox::asked().front().icon, MessageIcon::exclamation);
        QVERIFY(MessageBox::asked().front().text.startsWith(
            q("试运行失败：返回的数据无法解析为JSON。")));
    }

    void closingDuringADryRunStopsIt() {
        writeServiceRules("data");
        QVERIFY(service_->selectScenario("stall"));
        QPointer<JsonRulesWindow> window =
            new JsonRulesWindow(http_, ConfigStore(configPath()), {});
        window->show();
        click(*window, "dryRun");
        QTRY_VERIFY(!service_->requests().empty() &&
                    service_->requests().back().rfind("GET /api/alert/c?a=", 0) == 0);
        QCOMPARE(control<QPushButton>(*window, "dryRun")->text(), q("试运行中…"));
        click(*window, "cancel");
        window->retire();
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), kSlowMs);
        QVERIFY(MessageBox::asked().empty());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredJsonRulesWindowTest =
    galewarden::test::registerQtTest<galewarden::JsonRulesWindowTest>("JsonRulesWindowTest");
}  // namespace

#include "JsonRulesWindowTest.moc"
