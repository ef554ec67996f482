#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "SettingsWindowRig.h"
#include "core/text/TextPieces.h"
#include "support/QtTestRegistry.h"

Q_DECLARE_METATYPE(galewarden::IconPlacement)
Q_DECLARE_METATYPE(galewarden::MessageAnswer)
Q_DECLARE_METATYPE(std::optional<int>)

namespace galewarden {

using test::gb;
using test::SettingsWindowRig;
using Calls = std::vector<std::string>;

namespace {

std::string numberedDistricts(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        names.push_back("d" + std::to_string(i));
    }
    return joinText(names, " ");
}

void click(QAbstractButton* button) {
    button->click();
}

}  // namespace

class SettingsPageActionsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { MessageBox::scriptAnswers({}); }
    void cleanup() { MessageBox::stopScripting(); }

    void placementExchange_data() {
        QTest::addColumn<IconPlacement>("returned");
        QTest::addColumn<QStringList>("shown");
        const QStringList kept{QStringLiteral("１２０"), QStringLiteral("abc"), QStringLiteral("7"),
                               QStringLiteral("80")};
        QTest::newRow("chosen") << IconPlacement{150, 90, 0, 0}
                                << QStringList{"150", "90", "0", "0"};
        QTest::newRow("cancelled") << IconPlacement{-1, -1, -1, -1} << kept;
        QTest::newRow("zero width") << IconPlacement{0, 90, 10, 10} << kept;
        QTest::newRow("negative right") << IconPlacement{150, 90, 10, -1} << kept;
    }

    void placementExchange() {
        QFETCH(IconPlacement, returned);
        QFETCH(QStringList, shown);
        SettingsWindowRig rig;
        rig.home.write("Galewarden.ini", gb("[General]\nWidth=１２０\nHeight=abc\nTop=7\n"));
        rig.open();
        rig.placement = returned;
        click(rig.control<QPushButton>("placementButton"));
        QCOMPARE(rig.calls, Calls{"pickPosition"});
        QCOMPARE(rig.placementsAsked, (std::vector<IconPlacement>{{120, 0, 7, 80}}));
        QCOMPARE(rig.visibleWhilePicking, std::vector<bool>{false});
        QCOMPARE(rig.owners, std::vector<QWidget*>{rig.window.get()});
        QVERIFY(rig.window->isVisible());
        const char* edits[] = {"iconWidth", "iconHeight", "iconTop", "iconRight"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(rig.control<QLineEdit>(edits[i])->text(), shown[i]);
        }
        QCOMPARE(rig.home.read("Galewarden.ini"),
                 gb("[General]\nWidth=１２０\nHeight=abc\nTop=7\n"));
    }

    void addingDistricts_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<QStringList>("picked");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("pickerOpened");
        QTest::addColumn<bool>("limitMessage");
        QTest::newRow("one room, three picked")
            << 199 << QStringList{"x", "y", "z"} << 200 << true << true;
        QTest::newRow("full") << 200 << QStringList{"x"} << 200 << false << true;
        QTest::newRow("repeats only") << 2 << QStringList{"d0", "d1"} << 2 << true << false;
        QTest::newRow("new and repeat") << 2 << QStringList{"d1", "x"} << 3 << true << false;
        QTest::newRow("cancelled") << 2 << QStringList{} << 2 << true << false;
    }

    void addingDistricts() {
        QFETCH(int, before);
        QFETCH(QStringList, picked);
        QFETCH(int, after);
        QFETCH(bool, pickerOpened);
        QFETCH(bool, limitMessage);
        SettingsWindowRig rig;
        rig.home.write("Galewarden.ini",
                       "[Source]\nDistricts=\"" + numberedDistricts(before) + "\"\n");
        for (const QString& name : picked) {
            rig.picked.push_back(name.toStdString());
        }
        rig.open();
        click(rig.control<QPushButton>("addButton"));
        QCOMPARE(rig.calls, pickerOpened ? Calls{"pickDistricts"} : Calls{});
        QCOMPARE(rig.control<QListWidget>("districtList")->count(), after);
        QCOMPARE(rig.control<QLabel>("districtCount")->text(),
                 QStringLiteral("当前共 %1 个项目。").arg(after));
        QCOMPARE(rig.control<QLineEdit>("districtSummary")->text(),
                 QStringLiteral("d0 .. (%1项)").arg(after));
        QCOMPARE(MessageBox::asked().size(), std::size_t{limitMessage ? 1U : 0U});
        if (limitMessage) {
            QCOMPARE(MessageBox::asked().front().title, QStringLiteral("添加"));
            QCOMPARE(MessageBox::asked().front().text,
                     QStringLiteral("列表数量已达上限（200个），不能继续添加。"));
        }
    }

    void deletingDistricts_data() {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QString>("left");
        QTest::newRow("yes") << MessageAnswer::yes << "b d";
        QTest::newRow("no") << MessageAnswer::no << "a b c d e";
    }

    void deletingDistricts() {
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, left);
        SettingsWindowRig rig;
        rig.home.write("Galewarden.ini", "[Source]\nDistricts=\"a b c d e\"\n");
        rig.open();
        QApplication::setActiveWindow(rig.window.get());
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        rig.control<QComboBox>("pageSelector")->setCurrentIndex(2);
        auto* list = rig.control<QListWidget>("districtList");
        rig.control<QLineEdit>("skip")->setFocus();
        click(rig.control<QPushButton>("deleteButton"));
        QVERIFY(MessageBox::asked().empty());  // nothing selected
        for (int row : {4, 0, 2}) {
            list->item(row)->setSelected(true);
        }
        MessageBox::scriptAnswers({answer});
        click(rig.control<QPushButton>("deleteButton"));
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        QCOMPARE(MessageBox::asked().front().title, QStringLiteral("删除"));
        QCOMPARE(MessageBox::asked().front().text, QStringLiteral("确定要删除a、c、e？"));
        QCOMPARE(MessageBox::asked().front().defaultAnswer, MessageAnswer::no);
        QStringList entries;
        for (int row = 0; row < list->count(); ++row) {
            entries << list->item(row)->text();
        }
        QCOMPARE(entries.join(QLatin1Char(' ')), left);
        QCOMPARE(rig.control<QLabel>("districtCount")->text(),
                 QStringLiteral("当前共 %1 个项目。").arg(entries.size()));
        QTRY_VERIFY(list->hasFocus());
    }

    void resetOfTheParsingPageIsWrittenOnlyBySave() {
        SettingsWindowRig rig;
        rig.home.write("Galewarden.ini",
                       gb("[Source]\nDistricts=\"上海市  天津市\"\nSkip=\"x\"\n"));
        rig.open();
        MessageBox::scriptAnswers({MessageAnswer::no});
        click(rig.control<QPushButton>("resetButton"));
        QCOMPARE(rig.control<QListWidget>("districtList")->count(), 3);
        QCOMPARE(MessageBox::asked().front().defaultAnswer, MessageAnswer::no);
        MessageBox::scriptAnswers({MessageAnswer::yes});
        click(rig.control<QPushButton>("resetButton"));
        QCOMPARE(rig.control<QListWidget>("districtList")->count(), 0);
        QCOMPARE(rig.control<QLineEdit>("districtSummary")->text(), QString());
        QCOMPARE(rig.control<QLineEdit>("skip")->text(),
                 QString::fromUtf8(keys::kSkip.defaultUtf8.data(),
                                   static_cast<qsizetype>(keys::kSkip.defaultUtf8.size())));
        click(rig.control<QPushButton>("cancelButton"));
        QCOMPARE(rig.store.read(keys::kDistricts), gb("上海市  天津市"));

        SettingsWindowRig again;
        again.home.write("Galewarden.ini", gb("[Source]\nDistricts=\"上海市\"\n"));
        again.open();
        MessageBox::scriptAnswers({MessageAnswer::yes, MessageAnswer::yes});
        click(again.control<QPushButton>("resetButton"));
        again.window->save();
        QCOMPARE(again.store.readText("Source", "Districts", "missing"), std::string());
    }

    void jsonOutputFile_data() {
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("cancelled, none before") << ""
                                                << "" << false << "";
        QTest::newRow("cancelled, one before") << "/tmp/old.json"
                                               << "" << true << "/tmp/old.json";
        QTest::newRow("chosen") << ""
                                << "/tmp/新.json" << true << "/tmp/新.json";
    }

    void jsonOutputFile() {
        QFETCH(QString, earlier);
        QFETCH(QString, chosen);
        QFETCH(bool, ticked);
        QFETCH(QString, stored);
        SettingsWindowRig rig;
        if (!earlier.isEmpty()) {
            rig.store.write(keys::kJsonLink, earlier.toStdString());
        }
        rig.open();
        MessageBox::scriptFiles({chosen.isEmpty() ? std::nullopt : std::optional(chosen)});
        auto* box = rig.control<QCheckBox>("saveJson");
        click(box);
        QCOMPARE(MessageBox::askedFiles().size(), std::size_t{1});
        const FileRequest& request = MessageBox::askedFiles().front();
        QCOMPARE(request.purpose, FileRequest::Purpose::save);
        QCOMPARE(request.title, QStringLiteral("保存JSON文件"));
        QCOMPARE(request.fileName, QStringLiteral("get.json"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("json"));
        QCOMPARE(request.filter, QStringLiteral("JSON 文件（*.json）|*.json|所有文件（*.*）|*.*|"));
        QCOMPARE(box->isChecked(), ticked);
        QCOMPARE(test::utf8(rig.store.read(keys::kJsonLink)), stored.toStdString());
        QCOMPARE(rig.store.readText("General", "SaveJson", "unset"), std::string("unset"));
        if (ticked) {
            click(box);  // unticking asks nothing and keeps the file
            QCOMPARE(MessageBox::askedFiles().size(), std::size_t{1});
            QVERIFY(!box->isChecked());
            QCOMPARE(test::utf8(rig.store.read(keys::kJsonLink)), stored.toStdString());
        }
    }

    void htmlMarker_data() {
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("page chosen") << "/tmp/page.html" << true;
        QTest::newRow("no page") << "" << false;
    }

    void htmlMarker() {
        QFETCH(QString, location);
        QFETCH(bool, ticked);
        SettingsWindowRig rig;
        rig.htmlLocationToWrite = location.toStdString();
        rig.open();
        auto* box = rig.control<QCheckBox>("htmlStart");
        click(box);
        QCOMPARE(rig.calls, Calls{"editHtmlMarker"});
        QCOMPARE(box->isChecked(), ticked);
        if (ticked) {
            click(box);
            QCOMPARE(rig.calls, Calls{"editHtmlMarker"});
            QVERIFY(!box->isChecked());
        }
    }

    void pluginNotice_data() {
        QTest::addColumn<bool>("libraryPresent");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("missing, cancelled") << false << MessageAnswer::cancel << false;
        QTest::newRow("present, confirmed") << true << MessageAnswer::ok << true;
    }

    void pluginNotice() {
        QFETCH(bool, libraryPresent);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, ticked);
        SettingsWindowRig rig;
        if (libraryPresent) {
            rig.home.write("GalewardenDLL/RefreshA.so", "");
        }
        rig.open();
        MessageBox::scriptAnswers({answer});
        auto* box = rig.control<QCheckBox>("pluginStart");
        click(box);
        QCOMPARE(box->isChecked(), ticked);
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        const MessageRequest& notice = MessageBox::asked().front();
        QCOMPARE(notice.title, QStringLiteral("DLL触发"));
        QCOMPARE(notice.buttons, MessageButtons::okCancel);
        QCOMPARE(notice.defaultAnswer, MessageAnswer::cancel);
        QCOMPARE(notice.icon, MessageIcon::exclamation);
        const QString path = QString::fromStdString(rig.home.path().string()) +
                             QStringLiteral("/GalewardenDLL/RefreshA.so");
        const QString missing = libraryPresent ? QString() : QStringLiteral("（文件不存在）");
        QVERIFY(notice.text.contains(QStringLiteral("DLL文件路径：") + path + missing +
                                     QStringLiteral("\nDLL命令名：RefreshA")));
        QVERIFY(notice.text.contains(QStringLiteral("从1开始")));
        QVERIFY(notice.text.endsWith(QStringLiteral("文本参数为UTF-8编码。\n是否继续？")));
        QVERIFY(!notice.text.contains(QLatin1Char('\r')));
        if (ticked) {
            click(box);  // unticking shows nothing
            QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        }
    }

    void autoRunNoticeOnEveryClick() {
        SettingsWindowRig rig;
        rig.open();
        auto* box = rig.control<QCheckBox>("autoRun");
        QVERIFY(box->isChecked());
        click(box);
        click(box);
        QVERIFY(box->isChecked());
        QCOMPARE(MessageBox::asked().size(), std::size_t{2});
        for (const MessageRequest& notice : MessageBox::asked()) {
            QCOMPARE(notice.title, QStringLiteral("信息："));
            QCOMPARE(notice.icon, MessageIcon::none);
            QCOMPARE(notice.buttons, MessageButtons::ok);
            QVERIFY(notice.text.contains(QStringLiteral("galewarden.desktop")));
        }
    }

    void calibration_data() {
        QTest::addColumn<std::optional<int>>("counted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("counted") << std::optional<int>(7) << "7";
        QTest::newRow("cancelled") << std::optional<int>() << "3";
    }

    void calibration() {
        QFETCH(std::optional<int>, counted);
        QFETCH(QString, shown);
        SettingsWindowRig rig;
        rig.calibrated = counted;
        rig.open();
        click(rig.control<QPushButton>("calibrateButton"));
        QCOMPARE(rig.calls, Calls{"calibrateFullScreenBase"});
        QCOMPARE(rig.control<QLineEdit>("screenBasic")->text(), shown);
        QVERIFY(!rig.store.exists());
    }

    void editorsAndWizard() {
        SettingsWindowRig rig;
        rig.open();
        auto* jsonRules = rig.control<QPushButton>("jsonRulesButton");
        QVERIFY(!jsonRules->isEnabled());  // the vendor's source is in use
        click(rig.control<QCheckBox>("useVendor"));
        QVERIFY(jsonRules->isEnabled());
        click(jsonRules);
        click(rig.control<QPushButton>("sourceOptionsButton"));
        QCOMPARE(rig.calls, (Calls{"editJsonRules", "editSourceOptions"}));
        QCOMPARE(rig.owners, (std::vector<QWidget*>{rig.window.get(), rig.window.get()}));

        rig.control<QLineEdit>("iconWidth")->setText(QStringLiteral("5"));
        click(rig.control<QPushButton>("wizardButton"));
        QCOMPARE(rig.calls.back(), std::string("openSetupWizard"));
        QVERIFY(!rig.window->isVisible());
        QVERIFY(!rig.store.exists());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registered =
    galewarden::test::registerQtTest<galewarden::SettingsPageActionsTest>(
        "SettingsPageActionsTest");
}  // namespace

#include "SettingsPageActionsTest.moc"
