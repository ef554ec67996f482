#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "AlertService.h"
#include "core/net/HttpClient.h"
#include "settings/editors/DistrictPicker.h"
#include "settings/editors/DistrictPickerListModel.h"
#include "support/LoopbackServer.h"
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

constexpr char kNationalUnitsRequest[] =
    "GET /Galewarden/Info/n?p=%E5%9B%BD%E5%AE%B6%E4%BA%8B%E4%B8%9A%E5%8D%95%E4%BD%8D";
constexpr int kBeijingEntry = 3;
// Plain literals: moc loses its place in raw ones.
constexpr char kSpacedNames[] =
    "{\"areas\":[{\"name\":\"Hong Kong Observatory\",\"province\":\"HK\"},"
    "{\"name\":\"HKO\",\"province\":\"HK\"},{\"name\":\"澳门\",\"province\":\"MO\"}]}";
using test::kSlowMs;

QAbstractItemModel* listOf(const QWidget& picker) {
    return control<QListView>(picker, "list")->model();
}

int rows(const QWidget& picker) {
    return listOf(picker)->rowCount();
}

void tick(const QWidget& picker, int row, bool ticked = true) {
    QAbstractItemModel* list = listOf(picker);
    list->setData(list->index(row, 0), ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void chooseProvince(const QWidget& picker, int entry) {
    auto* province = control<QComboBox>(picker, "province");
    province->setCurrentIndex(entry);
    emit province->activated(entry);
}

QString countText(const QWidget& picker) {
    return control<QLabel>(picker, "count")->text();
}

DistrictSelection gbNames(std::initializer_list<const char*> utf8Names) {
    DistrictSelection names;
    for (const char* name : utf8Names) {
        names.push_back(test::gb(name));
    }
    return names;
}

// A district list of `count` names 站点000000, 站点000001, ...
std::string numberedAreas(int count) {
    std::string json = "{\"areas\":[";
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%06d", i);
        json += std::string(i == 0 ? "" : ",") + "{\"name\":\"站点" + name +
                "\",\"province\":\"其他\"}";
    }
    return json + "]}";
}

}  // namespace

// The picker against the stand-in web host on loopback, with its message boxes scripted.
class DistrictPickerTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<alertservice::AlertService> service_;
    std::string base_;
    HttpClient http_;

    std::unique_ptr<DistrictPicker> openPicker() {
        auto picker = std::make_unique<DistrictPicker>(http_);
        picker->show();
        return picker;
    }

    void waitForList(const DistrictPicker& picker, int expectedRows) {
        QTRY_VERIFY_WITH_TIMEOUT(!picker.downloading(), kSlowMs);
        QCOMPARE(rows(picker), expectedRows);
    }

    bool requested(const std::string& line) const {
        for (const std::string& each : service_->requests()) {
            if (each == line) {
                return true;
            }
        }
        return false;
    }

    void useWebHost(const std::string& base) { ::setenv("GALEWARDEN_WEB_HOST", base.c_str(), 1); }

  private slots:
    // The list model keeps Qt's model contract through fills, filters and ticks.
    void theListModelKeepsTheModelContract() {
        DistrictPickerListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        using test::gb;
        const std::vector<DistrictEntry> entries{{gb("北京市"), gb("北京市")},
                                                 {gb("海淀区"), gb("北京市")},
                                                 {gb("上海市"), gb("上海市")}};
        model.fill(entries, {});
        QCOMPARE(model.rowCount(), 3);
        model.setAllTicked(true);
        model.toggle(model.index(1));
        QVERIFY(model.setData(model.index(0), Qt::Unchecked, Qt::CheckStateRole));
        model.fill(entries, gb("上海"));
        QCOMPARE(model.rowCount(), 1);
        model.fill({}, {});
        QCOMPARE(model.rowCount(), 0);
        model.setAllTicked(false);
    }

    void initTestCase() {
        service_ = std::make_unique<alertservice::AlertService>(
            alertservice::ServiceSettings{GALEWARDEN_ALERT_SERVICE_DATA, {}, false});
        const int port = service_->start(0);
        QVERIFY(port != 0);
        base_ = "http://127.0.0.1:" + std::to_string(port);
    }

    void init() {
        useWebHost(base_);
        QVERIFY(service_->selectScenario("default"));
        MessageBox::scriptAnswers({});
        MessageBox::scriptTexts({});
    }

    void cleanup() { MessageBox::stopScripting(); }

    void cleanupTestCase() {
        service_->stop();
        ::unsetenv("GALEWARDEN_WEB_HOST");
    }

    void opensWithTheNationalUnits() {
        const auto picker = openPicker();
        QCOMPARE(picker->windowTitle(), q("添加行政区或中心气象台"));
        waitForList(*picker, 3);
        QVERIFY(requested(kNationalUnitsRequest));
        QCOMPARE(listOf(*picker)->index(0, 0).data().toString(), q("中央气象台 (国家事业单位)"));
        QCOMPARE(countText(*picker), q("当前已选择 0 项。"));
        QVERIFY(!control<QPushButton>(*picker, "ok")->isEnabled());
        QVERIFY(control<QPushButton>(*picker, "direct")->isEnabled());
        QCOMPARE(picker->focusWidget(), control<QLineEdit>(*picker, "filter"));
        QVERIFY(MessageBox::asked().empty());
    }

    void allProvincesAreAskedForWithoutAQuery() {
        const auto picker = openPicker();
        waitForList(*picker, 3);
        chooseProvince(*picker, 1);
        waitForList(*picker, 33);
        QVERIFY(requested("GET /Galewarden/Info/n"));
    }

    // A user picks districts of several provinces one after the other; nothing ticked is lost
    // to a filter or a change of province.
    void ticksOutliveFiltersAndProvinces() {
        const auto picker = openPicker();
        waitForList(*picker, 3);
        chooseProvince(*picker, 1);
        waitForList(*picker, 33);
        control<QLineEdit>(*picker, "filter")->setText(q("北京"));
        QCOMPARE(rows(*picker), 4);
        tick(*picker, 0);
        tick(*picker, 2);
        QCOMPARE(countText(*picker), q("当前已选择 2 项。"));
        QCOMPARE(picker->selection(), gbNames({"北京市", "北京市门头沟区"}));
        QVERIFY(control<QPushButton>(*picker, "ok")->isEnabled());
        QVERIFY(control<QPushButton>(*picker, "direct")->isEnabled());

        control<QLineEdit>(*picker, "filter")->setText(q("上海"));
        QCOMPARE(picker->selection(), gbNames({"北京市", "北京市门头沟区"}));
        tick(*picker, 0);
        control<QLineEdit>(*picker, "filter")->clear();
        chooseProvince(*picker, 0);
        waitForList(*picker, 3);
        tick(*picker, 0);
        QCOMPARE(countText(*picker), q("当前已选择 4 项。"));
        click(*picker, "ok");
        QCOMPARE(picker->selection(),
                 gbNames({"北京市", "北京市门头沟区", "上海市", "中央气象台"}));
    }

    // What is watched already shows ticked; unticking it is the user's own choice.
    void itOpensWithTheDistrictsChosenBefore() {
        auto picker = std::make_unique<DistrictPicker>(
            http_, nullptr, gbNames({"国家气候中心", "杭州市", "国家气候中心"}));
        picker->show();
        waitForList(*picker, 3);
        QCOMPARE(listOf(*picker)->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(countText(*picker), q("当前已选择 2 项。"));
        QVERIFY(control<QPushButton>(*picker, "ok")->isEnabled());
        tick(*picker, 1, false);
        MessageBox::scriptTexts({q("乙")});
        click(*picker, "direct");
        QCOMPARE(picker->selection(), gbNames({"杭州市", "乙"}));
    }

    void selectAllNoneAndConfirm() {
        const auto picker = openPicker();
        waitForList(*picker, 3);
        click(*picker, "tickAll");
        QCOMPARE(countText(*picker), q("当前已选择 3 项。"));
        click(*picker, "tickNone");
        QVERIFY(picker->selection().empty());
        click(*picker, "tickAll");
        tick(*picker, 1, false);
        click(*picker, "ok");
        QCOMPARE(picker->result(), int(QDialog::Accepted));
        QCOMPARE(picker->selection(), gbNames({"中央气象台", "国家海洋环境预报中心"}));
    }

    void cancelEmptiesTheSelectionAndTheCloseBoxKeepsIt() {
        const auto cancelled = openPicker();
        waitForList(*cancelled, 3);
        tick(*cancelled, 0);
        click(*cancelled, "cancel");
        QVERIFY(cancelled->isHidden());
        QVERIFY(cancelled->selection().empty());

        const auto closed = openPicker();
        waitForList(*closed, 3);
        tick(*closed, 0);
        closed->close();
        QCOMPARE(closed->selection(), gbNames({"中央气象台"}));
    }

    void aDoubleClickTogglesTheTick() {
        const auto picker = openPicker();
        waitForList(*picker, 3);
        auto* list = control<QListView>(*picker, "list");
        const QPoint centre = list->visualRect(list->model()->index(1, 0)).center();
        // QTest sends a widget only the double click itself, not the press before it.
        const auto doubleClick = [list, centre] {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        };
        doubleClick();
        QCOMPARE(picker->selection(), gbNames({"国家气候中心"}));
        doubleClick();
        QVERIFY(picker->selection().empty());
    }

    void namesWithASpaceGiveThePartBeforeIt() {
        test::LoopbackServer web;
        web.server().Get("/Galewarden/Info/n", [](const auto&, auto& response) {
            response.set_content(kSpacedNames, "application/json");
        });
        web.start();
        useWebHost(web.base());
        const auto picker = openPicker();
        waitForList(*picker, 3);
        control<QLineEdit>(*picker, "filter")->setText(QStringLiteral("hk"));
        QCOMPARE(rows(*picker), 1);
        control<QLineEdit>(*picker, "filter")->setText(QStringLiteral("o"));
        QCOMPARE(rows(*picker), 2);
        click(*picker, "tickAll");
        QCOMPARE(picker->selection(), (DistrictSelection{"Hong", "HKO"}));
    }

    void directAddTakesTheValidNames() {
        const auto picker = openPicker();
        waitForList(*picker, 3);
        MessageBox::scriptTexts({q("甲 乙/丙")});
        click(*picker, "direct");
        QCOMPARE(picker->selection(), gbNames({"甲"}));
        QCOMPARE(picker->result(), int(QDialog::Accepted));
        QCOMPARE(MessageBox::askedTexts().size(), std::size_t(1));
        const TextRequest& asked = MessageBox::askedTexts().front();
        QCOMPARE(asked.title, q("直接添加"));
        QCOMPARE(asked.prompt, q("当筛选没有需要的结果时，请通过此功能手动添加。\n"
                                 "请输入需要添加的地区或中心气象台，多个地区请使用空格分开。"));
        QCOMPARE(asked.owner, picker.get());
        QCOMPARE(MessageBox::asked().size(), std::size_t(1));
        const MessageRequest& refusal = MessageBox::asked().front();
        QCOMPARE(refusal.title, q("直接添加"));
        QCOMPARE(refusal.text, q("“乙/丙”存在非法字符，无法添加，已忽略。"));
        QCOMPARE(refusal.icon, MessageIcon::exclamation);
        QCOMPARE(refusal.owner, picker.get());
    }

    void directAddCancelledLeavesThePickerOpen() {
        const auto picker = openPicker();
        waitForList(*picker, 3);
        MessageBox::scriptTexts({std::nullopt});
        click(*picker, "direct");
        QVERIFY(picker->isVisible());
        QVERIFY(picker->selection().empty());
        for (const char* name : {"province", "filter", "list", "tickAll", "tickNone"}) {
            QVERIFY2(control<QWidget>(*picker, name)->isEnabled(), name);
        }
        QVERIFY(MessageBox::asked().empty());
    }

    void theWindowKeepsWorkingWhileTheListDownloads() {
        QVERIFY(service_->selectScenario("stall"));
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        timer.start(1);
        QPointer<DistrictPicker> picker = new DistrictPicker(http_);
        picker->show();
        QTRY_VERIFY(!service_->requests().empty() && requested(kNationalUnitsRequest));
        const int ticksAtRequest = ticks;
        QTRY_VERIFY(ticks > ticksAtRequest + 3);
        QVERIFY(picker->downloading());
        QVERIFY(!control<QComboBox>(*picker, "province")->isEnabled());
        QVERIFY(!control<QPushButton>(*picker, "ok")->isEnabled());
        QVERIFY(control<QPushButton>(*picker, "cancel")->isEnabled());
        QCOMPARE(picker->cursor().shape(), Qt::BusyCursor);

        click(*picker, "cancel");
        picker->retire();
        QTRY_VERIFY_WITH_TIMEOUT(picker.isNull(), kSlowMs);
        QVERIFY(MessageBox::asked().empty());
    }

    void aPickerDestroyedWhileDownloadingStopsTheDownload() {
        QVERIFY(service_->selectScenario("stall"));
        auto picker = openPicker();
        QTRY_VERIFY(requested(kNationalUnitsRequest));
        QVERIFY(picker->downloading());
        picker.reset();
        QTest::qWait(0);
        QVERIFY(MessageBox::asked().empty());
    }

    void failures_data() {
        QTest::addColumn<QString>("scenario");
        for (const char* scenario : {"html-error", "empty", "truncated", "huge", "waf", "drop"}) {
            QTest::newRow(scenario) << QString::fromLatin1(scenario);
        }
    }

    void failures() {
        QFETCH(QString, scenario);
        const auto picker = openPicker();
        waitForList(*picker, 3);
        QVERIFY(service_->selectScenario(scenario.toStdString()));
        chooseProvince(*picker, kBeijingEntry);
        waitForList(*picker, 3);
        QCOMPARE(MessageBox::asked().size(), std::size_t(1));
        const MessageRequest& message = MessageBox::asked().front();
        QCOMPARE(message.title, q("刷新"));
        QCOMPARE(message.text, q("列表获取失败，请稍后重试。"));
        QCOMPARE(message.icon, MessageIcon::exclamation);
        QCOMPARE(message.buttons, MessageButtons::ok);
        QCOMPARE(message.owner, picker.get());
        QVERIFY(control<QComboBox>(*picker, "province")->isEnabled());
        QVERIFY(control<QLineEdit>(*picker, "filter")->isEnabled());
        QCOMPARE(picker->cursor().shape(), Qt::ArrowCursor);

        QVERIFY(service_->selectScenario("default"));
        chooseProvince(*picker, kBeijingEntry);
        waitForList(*picker, 4);
    }

    // Without the web host the district list that comes with the program stands in.
    void theBundledListStandsInForAFailingWebHost() {
        const test::TestHome home;
        std::ifstream shipped(SHIPPED_DISTRICTS_JSON, std::ios::binary);
        home.write("Districts.json", std::string(std::istreambuf_iterator<char>(shipped), {}));
        QVERIFY(service_->selectScenario("waf"));
        const auto picker = openPicker();
        QTRY_VERIFY_WITH_TIMEOUT(!picker->downloading(), kSlowMs);
        QCOMPARE(rows(*picker), 3);  // the national bodies
        chooseProvince(*picker, kBeijingEntry);
        QTRY_VERIFY_WITH_TIMEOUT(!picker->downloading(), kSlowMs);
        QCOMPARE(rows(*picker), 17);  // 北京市 and its sixteen districts
        QVERIFY(MessageBox::asked().empty());
        QVERIFY(picker->findChild<QGroupBox*>()->title().contains(q("内置的行政区划")));
        QVERIFY(service_->selectScenario("default"));
        chooseProvince(*picker, kBeijingEntry);
        waitForList(*picker, 4);
        QCOMPARE(picker->findChild<QGroupBox*>()->title(), q("筛选结果"));
    }

    void aJsonAnswerWithoutAreasEmptiesTheListSilently() {
        const auto picker = openPicker();
        waitForList(*picker, 3);
        QVERIFY(service_->selectScenario("http500"));
        chooseProvince(*picker, kBeijingEntry);
        waitForList(*picker, 0);
        QVERIFY(MessageBox::asked().empty());
    }

    void aHundredThousandNamesFillTheList() {
        const std::string answer = numberedAreas(100'000);
        test::LoopbackServer web;
        web.server().Get("/Galewarden/Info/n", [&answer](const auto&, auto& response) {
            response.set_content(answer, "application/json");
        });
        web.start();
        useWebHost(web.base());
        const auto picker = openPicker();
        waitForList(*picker, 100'000);
        click(*picker, "tickAll");
        QCOMPARE(countText(*picker), q("当前已选择 100000 项。"));
        QCOMPARE(picker->selection().back(), test::gb("站点099999"));
        control<QLineEdit>(*picker, "filter")->setText(q("99999"));
        QCOMPARE(rows(*picker), 1);
        QCOMPARE(picker->selection().size(), std::size_t{100'000});
        click(*picker, "tickNone");
        QCOMPARE(picker->selection().size(), std::size_t{99'999});
    }

    void pickDistrictsHandsBackTheConfirmedNames() {
        QTimer driver;
        connect(&driver, &QTimer::timeout, [&driver] {
            auto* picker = qobject_cast<DistrictPicker*>(QApplication::activeModalWidget());
            if (picker == nullptr || picker->downloading() || rows(*picker) == 0) {
                return;
            }
            driver.stop();
            tick(*picker, 2);
            click(*picker, "ok");
        });
        driver.start(10);
        QWidget owner;
        const DistrictSelection names = pickDistricts(&owner, http_);
        QCOMPARE(names, gbNames({"国家海洋环境预报中心"}));
        QTRY_VERIFY(owner.findChildren<DistrictPicker*>().isEmpty());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredDistrictPickerTest =
    galewarden::test::registerQtTest<galewarden::DistrictPickerTest>("DistrictPickerTest");
}  // namespace

#include "DistrictPickerTest.moc"
