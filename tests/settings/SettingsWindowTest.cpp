#include <sys/stat.h>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include "SettingsWindowRig.h"
#include "core/net/HttpClient.h"
#include "settings/update_views/UpdateChecker.h"
#include "support/QtTestRegistry.h"

namespace galewarden {

using test::gb;
using test::SettingsWindowRig;

class SettingsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { MessageBox::scriptAnswers({}); }
    void cleanup() { MessageBox::stopScripting(); }

    void frameAndPageSelector() {
        SettingsWindowRig rig;
        SettingsWindow& window = rig.open();
        QCOMPARE(window.windowTitle(), QStringLiteral("设置"));
        QCOMPARE(window.size(), QSize(320, 368));
        QVERIFY(window.parentWidget() == nullptr);
        QVERIFY(!window.isModal());
        auto* selector = rig.control<QComboBox>("pageSelector");
        auto* pages = rig.control<QStackedWidget>("pages");
        const QStringList titles{QStringLiteral("1. 基本设置"), QStringLiteral("2. 级别设置"),
                                 QStringLiteral("3. 解析设置"), QStringLiteral("4. 标签设置"),
                                 QStringLiteral("5. 图标下载"), QStringLiteral("6. 高级设置")};
        QCOMPARE(selector->count(), titles.size());
        for (int item = 0; item < titles.size(); ++item) {
            QCOMPARE(selector->itemText(item), titles[item]);
        }
        QCOMPARE(selector->currentIndex(), 0);
        QCOMPARE(pages->currentIndex(), 0);
        for (int item : {3, 5, 1, 0}) {
            selector->setCurrentIndex(item);
            QCOMPARE(pages->currentIndex(), item);
        }
        QTest::mouseClick(rig.control<QPushButton>("editDistrictsButton"), Qt::LeftButton);
        QCOMPARE(pages->currentIndex(), 2);
        QCOMPARE(selector->currentIndex(), 2);
    }

    void showsTheStoredValues() {
        SettingsWindowRig rig;
        rig.home.write("Galewarden.ini",
                       gb("[General]\r\nWidth=１２０\r\nMouseOver=0\r\n[Source]\r\n"
                          "Districts=\"上海市\"\r\n[Label]\r\nText=\"一\\n二\"\r\nAlign=2\r\n"));
        rig.open();
        QCOMPARE(rig.control<QLineEdit>("iconWidth")->text(), QStringLiteral("１２０"));
        QVERIFY(!rig.control<QCheckBox>("mouseOver")->isChecked());
        QCOMPARE(rig.control<QLineEdit>("districtSummary")->text(), QStringLiteral("上海市"));
        QCOMPARE(rig.control<QLabel>("districtCount")->text(), QStringLiteral("当前共 1 个项目。"));
        QCOMPARE(rig.control<QPlainTextEdit>("labelText")->toPlainText(), QStringLiteral("一\n二"));
        QCOMPARE(rig.control<QComboBox>("labelAlign")->currentIndex(), 2);
        const char* labels[] = {"blueAlphaLabel", "yellowAlphaLabel", "orangeAlphaLabel",
                                "redAlphaLabel"};
        const QStringList expected{QStringLiteral("63(24.7%)"), QStringLiteral("95(37.3%)"),
                                   QStringLiteral("127(49.8%)"), QStringLiteral("159(62.4%)")};
        for (int level = 0; level < 4; ++level) {
            QCOMPARE(rig.control<QLabel>(labels[level])->text(), expected[level]);
        }
        rig.control<QSlider>("blueAlpha")->setValue(255);
        QCOMPARE(rig.control<QLabel>("blueAlphaLabel")->text(), QStringLiteral("255(100%)"));
        QCOMPARE(rig.control<QLabel>("versionLine")->text(), QStringLiteral("当前版本：1.0.9.4"));
        QVERIFY(MessageBox::asked().empty());
    }

    void saveAnsweredNoWritesNothing() {
        SettingsWindowRig rig;
        rig.open();
        MessageBox::scriptAnswers({MessageAnswer::no});
        QTest::mouseClick(rig.control<QPushButton>("saveButton"), Qt::LeftButton);
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        const MessageRequest& question = MessageBox::asked().front();
        QCOMPARE(question.title, QStringLiteral("设置"));
        QCOMPARE(question.text, QStringLiteral("确定保存所做的更改？"));
        QCOMPARE(question.buttons, MessageButtons::yesNo);
        QCOMPARE(question.icon, MessageIcon::question);
        QCOMPARE(question.owner, rig.window.get());
        QVERIFY(!rig.store.exists());
        QVERIFY(rig.calls.empty());
        QVERIFY(rig.control<QPushButton>("saveButton")->isEnabled());
    }

    void saveWritesWhatTheControlsHold() {
        SettingsWindowRig rig;
        rig.open();
        rig.control<QLineEdit>("iconWidth")->setText(QStringLiteral("１２０"));
        rig.control<QCheckBox>("mouseOver")->setChecked(false);
        rig.control<QSlider>("redAlpha")->setValue(200);
        rig.control<QPlainTextEdit>("labelText")->setPlainText(QStringLiteral("一\"\n二\\"));
        rig.control<QComboBox>("labelAlign")->setCurrentIndex(0);
        rig.control<QLineEdit>("skip")->setText(QStringLiteral(" 试,险 "));
        MessageBox::scriptAnswers({MessageAnswer::yes});
        QTest::mouseClick(rig.control<QPushButton>("saveButton"), Qt::LeftButton);

        QCOMPARE(rig.calls, std::vector<std::string>{"settingsSaved"});
        QCOMPARE(rig.saveEnabledWhenSaved, std::vector<bool>{false});
        QVERIFY(rig.control<QPushButton>("saveButton")->isEnabled());
        QCOMPARE(MessageBox::asked().size(), std::size_t{2});
        const MessageRequest& done = MessageBox::asked().back();
        QCOMPARE(done.title, QStringLiteral("设置"));
        QCOMPARE(
            done.text,
            QStringLiteral("设置已保存。\n部分配置会在下次预警刷新时生效，或需要重新启动程序。"));
        QCOMPARE(done.icon, MessageIcon::none);
        QVERIFY(rig.window->isVisible());

        QCOMPARE(rig.stored("General", "Width"), gb("１２０"));
        QCOMPARE(rig.stored("General", "MouseOver"), std::string("0"));
        QCOMPARE(rig.stored("Red", "Alpha"), std::string("200"));
        QCOMPARE(rig.stored("Label", "Text"), gb("一\\~\\n二\\\\"));
        QCOMPARE(rig.stored("Label", "Align"), std::string("0"));
        QCOMPARE(rig.stored("Source", "Skip"), gb(" 试,险 "));
        QCOMPARE(rig.stored("Source", "Districts"), gb("北京市 中央气象台"));
    }

    void unwritableConfigurationKeepsTheWindowAndItsValues_data() {
        QTest::addColumn<bool>("directory");
        QTest::newRow("read-only file") << false;
        QTest::newRow("unreadable") << true;
    }

    void unwritableConfigurationKeepsTheWindowAndItsValues() {
        QFETCH(bool, directory);
        SettingsWindowRig rig;
        if (directory) {
            std::filesystem::create_directory(rig.home.file("Galewarden.ini"));
        } else {
            rig.home.write("Galewarden.ini", "[General]\r\nWidth=5\r\n");
            ::chmod(rig.home.file("Galewarden.ini").c_str(), 0444);
        }
        rig.open();
        rig.control<QLineEdit>("iconWidth")->setText(QStringLiteral("77"));
        MessageBox::scriptAnswers({MessageAnswer::yes});
        QTest::mouseClick(rig.control<QPushButton>("saveButton"), Qt::LeftButton);
        QCOMPARE(MessageBox::asked().size(), std::size_t{2});
        const MessageRequest& failure = MessageBox::asked().back();
        QCOMPARE(failure.icon, MessageIcon::exclamation);
        QVERIFY(failure.text.startsWith(QStringLiteral("设置未能保存")));
        QVERIFY(failure.text.contains(QString::fromStdString(rig.store.filePath())));
        QVERIFY(rig.calls.empty());
        QVERIFY(rig.window->isVisible());
        QCOMPARE(rig.control<QLineEdit>("iconWidth")->text(), QStringLiteral("77"));
        QVERIFY(rig.control<QPushButton>("saveButton")->isEnabled());
        if (!directory) {
            QCOMPARE(rig.home.read("Galewarden.ini"), std::string("[General]\r\nWidth=5\r\n"));
        }
    }

    void exitMenu_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("closes");
        QTest::newRow("exit") << "exitAction"
                              << "exitProgram" << true;
        QTest::newRow("restart") << "restartAction"
                                 << "restartProgram" << true;
        QTest::newRow("force exit") << "forceExitAction"
                                    << "forceExit" << false;
        QTest::newRow("reset") << "resetAction"
                               << "resetAndRestart" << false;
    }

    void exitMenu() {
        QFETCH(QString, action);
        QFETCH(QString, call);
        QFETCH(bool, closes);
        SettingsWindowRig rig;
        rig.open();
        QTest::mouseClick(rig.control<QPushButton>("exitButton"), Qt::LeftButton);
        auto* menu = rig.control<QMenu>("exitMenu");
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->title(), QStringLiteral("退出选项"));
        QStringList captions;
        for (QAction* entry : menu->actions()) {
            captions << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
        }
        QCOMPARE(captions,
                 (QStringList{QStringLiteral("&X.退出程序"), QStringLiteral("&R.重启程序"),
                              QStringLiteral("-"), QStringLiteral("强制退出程序"),
                              QStringLiteral("-"), QStringLiteral("重置所有配置")}));
        menu->findChild<QAction*>(action)->trigger();
        QCOMPARE(rig.calls, std::vector<std::string>{call.toStdString()});
        QCOMPARE(rig.window->isVisible(), !closes);
        if (call == QStringLiteral("resetAndRestart")) {
            QCOMPARE(rig.owners, std::vector<QWidget*>{rig.window.get()});
        }
        QVERIFY(!rig.store.exists());
    }

    void warningSoundChoiceIsTriedAndSaved() {
        SettingsWindowRig rig;
        rig.home.write("Galewarden.ini", "[Sound]\r\nFrom=yellow\r\n");
        rig.open();
        auto* choice = rig.control<QComboBox>("soundFrom");
        const QStringList items{QStringLiteral("不播放"), QStringLiteral("红色预警"),
                                QStringLiteral("橙色及以上预警"), QStringLiteral("黄色及以上预警"),
                                QStringLiteral("蓝色及以上预警")};
        QCOMPARE(choice->count(), items.size());
        for (int item = 0; item < items.size(); ++item) {
            QCOMPARE(choice->itemText(item), items[item]);
        }
        QCOMPARE(choice->currentIndex(), 3);
        choice->setCurrentIndex(1);
        QTest::mouseClick(rig.control<QPushButton>("trySoundButton"), Qt::LeftButton);
        QCOMPARE(rig.calls, std::vector<std::string>{"playWarningSound"});
        QCOMPARE(rig.stored("Sound", "From"), std::string("yellow"));
        MessageBox::scriptAnswers({MessageAnswer::yes});
        QTest::mouseClick(rig.control<QPushButton>("saveButton"), Qt::LeftButton);
        QCOMPARE(rig.stored("Sound", "From"), std::string("red"));
    }

    void cancelDiscardsEdits() {
        SettingsWindowRig rig;
        rig.open();
        rig.control<QLineEdit>("iconWidth")->setText(QStringLiteral("5"));
        QTest::mouseClick(rig.control<QPushButton>("cancelButton"), Qt::LeftButton);
        QVERIFY(!rig.window->isVisible());
        QVERIFY(!rig.store.exists());
        QVERIFY(MessageBox::asked().empty());
    }

    void refreshMinimumWhenTheEditIsLeft_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("ten") << "refreshTime"
                             << "10"
                             << "30";
        QTest::newRow("letters") << "refreshTime"
                                 << "abc"
                                 << "30";
        QTest::newRow("retry ten") << "retryTime"
                                   << "10"
                                   << "30";
        QTest::newRow("full-width 45") << "refreshTime"
                                       << "４５"
                                       << "４５";
        QTest::newRow("thirty") << "retryTime"
                                << "30"
                                << "30";
    }

    void refreshMinimumWhenTheEditIsLeft() {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        SettingsWindowRig rig;
        rig.open();
        QApplication::setActiveWindow(rig.window.get());
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        auto* field = rig.control<QLineEdit>(edit.toLatin1().constData());
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        field->setText(typed);
        rig.control<QLineEdit>("iconWidth")->setFocus();
        const bool warned = kept != typed;
        if (warned) {
            QTRY_COMPARE(field->text(), kept);
            QCOMPARE(MessageBox::asked().size(), std::size_t{1});
            const MessageRequest& warning = MessageBox::asked().front();
            QCOMPARE(warning.title, QStringLiteral("超出范围"));
            QCOMPARE(warning.text,
                     QStringLiteral("预警数据刷新间隔时间必须大于等于30秒，否则设置将不生效。"));
            QCOMPARE(warning.icon, MessageIcon::exclamation);
            QVERIFY(warning.owner == nullptr);
            QTRY_VERIFY(field->hasFocus());
        } else {
            QTest::qWait(20);
            QVERIFY(MessageBox::asked().empty());
            QCOMPARE(field->text(), kept);
        }
    }

    void saveHoldsTheRefreshMinimumAndRefusesNonNumbers_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("message");
        const QString minimum =
            QStringLiteral("预警数据刷新间隔时间必须大于等于30秒，否则设置将不生效。");
        QTest::newRow("stored retry time") << "retryTime"
                                           << "5" << 0 << minimum;
        QTest::newRow("empty width")
            << "iconWidth"
            << "" << 0 << QStringLiteral("“预警窗口宽度”须填写整数，请改正后再保存。");
        QTest::newRow("label size with unit")
            << "labelSize"
            << "16pt" << 3 << QStringLiteral("“大小”须填写整数，请改正后再保存。");
        QTest::newRow("lone sign")
            << "labelPosX"
            << "-" << 3 << QStringLiteral("“相对横坐标”须填写整数，请改正后再保存。");
        QTest::newRow("empty base")
            << "screenBasic"
            << "" << 5 << QStringLiteral("“全屏窗口基数”须填写整数，请改正后再保存。");
    }

    void saveHoldsTheRefreshMinimumAndRefusesNonNumbers() {
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(int, page);
        QFETCH(QString, message);
        SettingsWindowRig rig;
        rig.open();
        rig.control<QLineEdit>(edit.toLatin1().constData())->setText(text);
        rig.control<QComboBox>("pageSelector")->setCurrentIndex(1);
        MessageBox::scriptAnswers({MessageAnswer::yes});
        rig.window->save();
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        QCOMPARE(MessageBox::asked().front().text, message);
        QCOMPARE(rig.control<QStackedWidget>("pages")->currentIndex(), page);
        QVERIFY(!rig.store.exists());
        QVERIFY(rig.calls.empty());
    }

    void numberEditsTakeIntegerTextOnly() {
        SettingsWindowRig rig;
        rig.open();
        auto* width = rig.control<QLineEdit>("iconWidth");
        width->clear();
        QTest::keyClicks(width, QStringLiteral("1a2.-3"));
        QCOMPARE(width->text(), QStringLiteral("123"));
        auto* posX = rig.control<QLineEdit>("labelPosX");
        posX->clear();
        QTest::keyClicks(posX, QStringLiteral("-4x0"));
        QCOMPARE(posX->text(), QStringLiteral("-40"));
        auto* url = rig.control<QLineEdit>("signUrl");
        url->clear();
        url->insert(QStringLiteral("http://a\r\n/Pack"));
        QCOMPARE(url->text(), QStringLiteral("http://a/Pack"));
    }

    void versionLineFollowsTheUpdateChecker_data() {
        QTest::addColumn<bool>("autoCheck");
        QTest::newRow("automatic check on") << true;
        QTest::newRow("automatic check off") << false;
    }

    void versionLineFollowsTheUpdateChecker() {
        QFETCH(bool, autoCheck);
        SettingsWindowRig rig;
        qputenv("GALEWARDEN_WEB_HOST", "http://127.0.0.1:1");
        rig.home.write("Galewarden.ini",
                       autoCheck ? "[CheckNew]\nAutoCheck=1\n" : "[CheckNew]\nAutoCheck=0\n");
        HttpClient http;
        QTimer updateTimer;
        UpdateChecker updates(rig.store, http, "1.0.9.4", updateTimer);
        SettingsServices services = rig.services();
        services.updates = &updates;
        rig.open(std::move(services));
        auto* line = rig.control<QLabel>("versionLine");
        if (autoCheck) {
            QCOMPARE(updates.retryCount(), 3);
            QTRY_COMPARE(line->text(), QStringLiteral("获取最新版本信息失败"));
        } else {
            QCOMPARE(line->text(), QStringLiteral("当前版本：1.0.9.4"));
            QCOMPARE(updates.retryCount(), 0);
            QVERIFY(!updates.running());
        }
        QTRY_VERIFY(!updates.running());
        qunsetenv("GALEWARDEN_WEB_HOST");
    }

    // A packaged copy leaves updates to the package manager: nothing to check, and it says so.
    void withUpdatesFromPackagesNothingIsChecked() {
        SettingsWindowRig rig;
        rig.home.write("Galewarden.ini", "[CheckNew]\nAutoCheck=1\n");
        SettingsServices services = rig.services();
        services.updatesFromPackages = true;
        rig.open(std::move(services));
        QVERIFY(!rig.control<QCheckBox>("autoCheck")->isEnabled());
        QVERIFY(!rig.control<QPushButton>("checkButton")->isEnabled());
        QCOMPARE(rig.control<QLabel>("versionLine")->text(),
                 QStringLiteral("当前版本：1.0.9.4，更新随系统的软件包提供"));
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredSettingsWindowTest =
    galewarden::test::registerQtTest<galewarden::SettingsWindowTest>("SettingsWindowTest");
}  // namespace

#include "SettingsWindowTest.moc"
