#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "settings/editors/HtmlMarkerWindow.h"
#include "settings/editors/JsonRulesWindow.h"
#include "settings/editors/SourceOptionsWindow.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "support/WindowControls.h"
#include "ui/MessageBox.h"

namespace galewarden {
namespace {

using test::click;
using test::control;
using test::q;

}  // namespace

class OptionWindowsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TestHome> home_;
    int settingsChanged_ = 0;

    ConfigStore config() const { return ConfigStore(home_->text() + "/Galewarden.ini"); }
    void writeConfig(const char* utf8) const { home_->write("Galewarden.ini", test::gb(utf8)); }
    std::string configText() const { return test::utf8(home_->read("Galewarden.ini")); }

    std::unique_ptr<SourceOptionsWindow> openOptions() {
        auto window = std::make_unique<SourceOptionsWindow>(config());
        window->show();
        return window;
    }

    std::unique_ptr<HtmlMarkerWindow> openMarker() {
        auto window = std::make_unique<HtmlMarkerWindow>(config(), [this] { ++settingsChanged_; });
        window->show();
        return window;
    }

  private slots:
    // A save that does not reach the file says so and keeps the window with what was typed.
    void anUnwritableConfigurationKeepsTheEditorOpen_data() {
        QTest::addColumn<QString>("editor");
        QTest::newRow("source options") << QStringLiteral("source options");
        QTest::newRow("HTML marker") << QStringLiteral("HTML marker");
        QTest::newRow("JSON rules") << QStringLiteral("JSON rules");
    }
    void anUnwritableConfigurationKeepsTheEditorOpen() {
        QFETCH(QString, editor);
        // A directory where the file belongs: no write reaches it, whoever runs the test.
        std::filesystem::create_directory(home_->file("Galewarden.ini"));
        const HttpClient http;
        std::unique_ptr<QDialog> window;
        QLineEdit* typed = nullptr;
        const char* save = "save";
        if (editor == QStringLiteral("source options")) {
            window = openOptions();
            typed = control<QLineEdit>(*window, "limit");
        } else if (editor == QStringLiteral("HTML marker")) {
            window = openMarker();
            typed = control<QLineEdit>(*window, "fileName");
            save = "ok";
        } else {
            window =
                std::make_unique<JsonRulesWindow>(http, config(), [this] { ++settingsChanged_; });
            window->show();
            typed = control<QLineEdit>(*window, "Main");
            MessageBox::scriptAnswers({MessageAnswer::yes});  // "确定保存？"
        }
        typed->setText(q("12"));
        click(*window, save);
        QVERIFY(!MessageBox::asked().empty());
        const MessageRequest& failure = MessageBox::asked().back();
        QCOMPARE(failure.icon, MessageIcon::exclamation);
        QVERIFY(failure.text.startsWith(q("设置未能保存")));
        QVERIFY(failure.text.contains(QString::fromStdString(config().filePath())));
        QCOMPARE(failure.owner, window.get());
        QVERIFY(window->isVisible());
        QCOMPARE(typed->text(), q("12"));
        QCOMPARE(settingsChanged_, 0);
    }

    void init() {
        home_ = std::make_unique<test::TestHome>();
        settingsChanged_ = 0;
        MessageBox::scriptAnswers({});
        MessageBox::scriptFiles({});
    }

    void cleanup() {
        MessageBox::stopScripting();
        home_.reset();
    }

    void aFreshFileOpensAtTheDefaultsWithoutHint() {
        const auto window = openOptions();
        QCOMPARE(window->windowTitle(), q("Corvane数据源选项"));
        QCOMPARE(control<QComboBox>(*window, "matchMode")->currentText(), q("0 - 右侧匹配"));
        QCOMPARE(control<QLineEdit>(*window, "days")->text(), QString());
        QCOMPARE(control<QComboBox>(*window, "order")->currentText(), q("0 - 降序"));
        QCOMPARE(control<QLineEdit>(*window, "limit")->text(), QString());
        QCOMPARE(control<QComboBox>(*window, "nonMeteorological")->currentText(), q("0 - 不显示"));
        QVERIFY(control<QLabel>(*window, "hint")->isHidden());
    }

    void showingNonMeteorologicalWarningsShowsTheHintAndSavesInOrder() {
        const auto window = openOptions();
        auto* nonMeteorological = control<QComboBox>(*window, "nonMeteorological");
        nonMeteorological->setCurrentIndex(1);
        auto* hint = control<QLabel>(*window, "hint");
        QVERIFY(!hint->isHidden());
        QCOMPARE(hint->text(), q("← 需清除屏蔽词列表才能生效。"));
        control<QComboBox>(*window, "matchMode")->setCurrentIndex(3);
        QTest::keyClicks(control<QLineEdit>(*window, "days"), q("1.5.3x"));
        QTest::keyClicks(control<QLineEdit>(*window, "limit"), q("1a2"));
        QCOMPARE(control<QLineEdit>(*window, "days")->text(), q("1.53"));
        QCOMPARE(control<QLineEdit>(*window, "limit")->text(), q("12"));
        click(*window, "save");
        QCOMPARE(window->result(), int(QDialog::Accepted));
        QCOMPARE(configText(), "[KVXSource]\r\ni=3\r\ne=1.53\r\no=0\r\nl=12\r\nn=1\r\n");
        QVERIFY(MessageBox::asked().empty());

        nonMeteorological->setCurrentIndex(0);
        QVERIFY(hint->isHidden());
    }

    void storedOptionsAreShown() {
        writeConfig("[KVXSource]\r\ni=2\r\ne=3.5\r\no=1\r\nl=20\r\nn=1\r\n");
        const auto window = openOptions();
        QCOMPARE(control<QComboBox>(*window, "matchMode")->currentIndex(), 2);
        QCOMPARE(control<QLineEdit>(*window, "days")->text(), q("3.5"));
        QCOMPARE(control<QComboBox>(*window, "order")->currentIndex(), 1);
        QCOMPARE(control<QLineEdit>(*window, "limit")->text(), q("20"));
        QVERIFY(!control<QLabel>(*window, "hint")->isHidden());
    }

    void cancellingTheOptionsWritesNothing() {
        const auto window = openOptions();
        control<QComboBox>(*window, "order")->setCurrentIndex(1);
        click(*window, "cancel");
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QCOMPARE(configText(), "");
    }

    void theMarkerWindowShowsTheStoredPageAndHasNoOwner() {
        writeConfig("[HTML]\r\nLocation=\"/网页/预警.html\"\r\n");
        const auto window = openMarker();
        QCOMPARE(window->windowTitle(), q("HTML预警标记"));
        QCOMPARE(control<QLineEdit>(*window, "fileName")->text(), q("/网页/预警.html"));
        QCOMPARE(window->parentWidget(), nullptr);
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
    }

    void deleteEmptiesTheWholeName() {
        writeConfig("[HTML]\r\nLocation=\"/a/b.html\"\r\n");
        const auto window = openMarker();
        auto* fileName = control<QLineEdit>(*window, "fileName");
        fileName->setCursorPosition(3);
        QTest::keyClick(fileName, Qt::Key_Delete);
        QCOMPARE(fileName->text(), QString());
        QTest::keyClicks(fileName, q("/c.html"));
        fileName->setCursorPosition(0);
        QTest::keyClick(fileName, Qt::Key_Delete);
        QCOMPARE(fileName->text(), QString());
    }

    void confirmingAnEmptyNameWritesAnEmptyQuotedPage() {
        writeConfig("[HTML]\r\nLocation=\"/a/b.html\"\r\n");
        const auto window = openMarker();
        control<QLineEdit>(*window, "fileName")->clear();
        click(*window, "ok");
        QCOMPARE(configText(), "[HTML]\r\nLocation=\"\"\r\n");
        QCOMPARE(settingsChanged_, 1);
        QCOMPARE(window->result(), int(QDialog::Accepted));
    }

    void browsingReplacesTheName() {
        const auto window = openMarker();
        MessageBox::scriptFiles({q("/页面/index.html")});
        click(*window, "browse");
        QCOMPARE(control<QLineEdit>(*window, "fileName")->text(), q("/页面/index.html"));
        const FileRequest& asked = MessageBox::askedFiles().front();
        QCOMPARE(asked.title, q("选择HTML文件"));
        QCOMPARE(asked.purpose, FileRequest::Purpose::open);
        MessageBox::scriptFiles({std::nullopt});
        click(*window, "browse");
        QCOMPARE(control<QLineEdit>(*window, "fileName")->text(), q("/页面/index.html"));
        click(*window, "ok");
        QCOMPARE(config().readText("HTML", "Location", ""), test::gb("/页面/index.html"));
    }

    void cancellingTheMarkerWritesNothing() {
        const auto window = openMarker();
        QTest::keyClicks(control<QLineEdit>(*window, "fileName"), q("/x.html"));
        click(*window, "cancel");
        QCOMPARE(configText(), "");
        QCOMPARE(settingsChanged_, 0);
    }

    void aNameWithALineBreakIsRefused() {
        const auto window = openMarker();
        control<QLineEdit>(*window, "fileName")->insert(q("/x.html\n[General]"));
        click(*window, "ok");
        QCOMPARE(configText(), "");
        QCOMPARE(settingsChanged_, 0);
        QCOMPARE(MessageBox::asked().size(), std::size_t(1));
        QCOMPARE(MessageBox::asked().front().icon, MessageIcon::exclamation);
        QVERIFY(window->isVisible());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredOptionWindowsTest =
    galewarden::test::registerQtTest<galewarden::OptionWindowsTest>("OptionWindowsTest");
}  // namespace

#include "OptionWindowsTest.moc"
