#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "core/history/HistoryStore.h"
#include "support/HistoryFixtures.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "support/WindowControls.h"
#include "ui/DetailsWindow.h"
#include "ui/HistoryChart.h"
#include "ui/HistoryWindow.h"
#include "ui/IconDisplay.h"
#include "ui/MessageBox.h"
#include "ui/TrayIcon.h"

namespace galewarden {
namespace {

using test::control;
using test::gb;
using test::q;

constexpr HistoryTime kHour = 3600;

// Last night: a blue rainstorm from 20:00 until 03:00, a red gale from 23:00 still in force.
HistoryTime lastNight(int hour) {
    return startOfDay(localDayOf(std::time(nullptr)) - 1) + hour * kHour;
}

}  // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        home_ = std::make_unique<test::TestHome>();
        path_ = home_->text() + "/History.db";
        HistoryStore store(path_);
        HistoryWarning rain = test::warningFor("rain", 2);
        HistoryWarning gale = test::warningFor("gale", 5);
        gale.name = gb("大风红色预警");
        gale.type = gb("大风");
        gale.district = gb("天津市");
        gale.description = gb("阵风十二级以上");
        (void)store.recordPass({rain}, lastNight(20), 400);
        (void)store.recordPass({rain, gale}, lastNight(23), 400);
        (void)store.recordPass({gale}, lastNight(27), 400);
    }
    void cleanup() {
        MessageBox::stopScripting();
        home_.reset();
    }

    void opensOnTheLastDaysWithTheNewestSelected() {
        HistoryWindow window(path_);
        window.show();
        auto* table = control<QTableView>(window, "historyTable");
        QCOMPARE(table->model()->rowCount(), 2);
        QCOMPARE(table->model()->index(0, 6).data().toString(), q("生效中"));
        QCOMPARE(table->model()->index(1, 6).data().toString(), q("已解除"));
        QCOMPARE(table->model()->index(1, 2).data().toString(), q("蓝色"));
        // Times on one line each.
        const QString time = table->model()->index(0, 0).data().toString();
        QVERIFY(table->columnWidth(0) > table->fontMetrics().horizontalAdvance(time));
        QVERIFY(!table->wordWrap());
        QVERIFY(table->rowHeight(0) < 2 * table->fontMetrics().height());
        QVERIFY(control<QPlainTextEdit>(window, "warningText")
                    ->toPlainText()
                    .contains(q("阵风十二级以上")));
        QVERIFY(control<QPlainTextEdit>(window, "warningText")
                    ->toPlainText()
                    .contains(q("防御指南：")));
        QCOMPARE(control<QLabel>(window, "rowCount")->text(), q("共 2 条"));
        const auto& counts = control<HistoryChart>(window, "historyChart")->counts();
        QCOMPARE(static_cast<int>(counts.size()), HistoryWindow::kOpeningDays);
    }

    void filtersNarrowTheTableAndTheChart() {
        HistoryWindow window(path_);
        auto* table = control<QTableView>(window, "historyTable");
        control<QCheckBox>(window, "colour5")->setChecked(false);
        QCOMPARE(table->model()->rowCount(), 1);
        control<QCheckBox>(window, "colour5")->setChecked(true);
        auto* district = control<QComboBox>(window, "districtFilter");
        district->setCurrentIndex(district->findText(q("天津市")));
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(table->model()->index(0, 3).data().toString(), q("大风"));
        district->setCurrentIndex(0);
        QTest::keyClicks(control<QLineEdit>(window, "searchText"), q("rain"));
        QCOMPARE(table->model()->rowCount(), 1);
        control<QLineEdit>(window, "searchText")->clear();
        auto* from = control<QDateEdit>(window, "fromDate");
        auto* to = control<QDateEdit>(window, "toDate");
        to->setDate(QDate::currentDate().addDays(-3));
        from->setDate(QDate::currentDate().addDays(-5));
        QCOMPARE(table->model()->rowCount(), 0);
        const auto& counts = control<HistoryChart>(window, "historyChart")->counts();
        QCOMPARE(static_cast<int>(counts.size()), 3);
    }

    // A click on the colour heading puts the blue rainstorm first, and the warning being read
    // stays the one selected.
    void aHeadingClickSortsAndKeepsTheChosenWarning() {
        HistoryWindow window(path_);
        window.show();
        auto* table = control<QTableView>(window, "historyTable");
        QHeaderView* header = table->horizontalHeader();
        QCOMPARE(header->sortIndicatorSection(), 0);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        const int colourX = header->sectionViewportPosition(2) + header->sectionSize(2) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(colourX, 5));
        QCOMPARE(header->sortIndicatorSection(), 2);
        QCOMPARE(table->model()->index(0, 2).data().toString(), q("蓝色"));
        QCOMPARE(table->currentIndex().row(), 1);
        QVERIFY(control<QPlainTextEdit>(window, "warningText")
                    ->toPlainText()
                    .contains(q("阵风十二级以上")));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(colourX, 5));
        QCOMPARE(table->model()->index(0, 2).data().toString(), q("红色"));
        QCOMPARE(table->currentIndex().row(), 0);
    }

    void exportsTheShownRows() {
        HistoryWindow window(path_);
        control<QCheckBox>(window, "colour2")->setChecked(false);
        const QString file = QString::fromStdString(home_->file("out.csv").string());
        MessageBox::scriptFiles({file});
        test::click(window, "exportButton");
        QCOMPARE(static_cast<int>(MessageBox::askedFiles().size()), 1);
        const std::string csv = home_->read("out.csv");
        QVERIFY(csv.rfind("\xEF\xBB\xBF首次发现,", 0) == 0);
        QVERIFY(csv.find(",大风红色预警,") != std::string::npos);
        QVERIFY(csv.find(",暴雨蓝色预警,") == std::string::npos);
        MessageBox::scriptFiles({std::nullopt});  // cancelled: nothing written
        home_->write("out.csv", "");
        test::click(window, "exportButton");
        QVERIFY(home_->read("out.csv").empty());
    }

    void aMissingFileIsAnEmptyHistory() {
        HistoryWindow window(home_->text() + "/none.db");
        QCOMPARE(control<QTableView>(window, "historyTable")->model()->rowCount(), 0);
        QCOMPARE(control<QLabel>(window, "rowCount")->text(), q("共 0 条"));
    }

    void theTrayAndTheDetailsWindowAskForIt() {
        QTimer hideTimer;
        TrayIcon tray(q("Galewarden"), hideTimer);
        tray.setHistoryShown(true);
        QSignalSpy fromTray(&tray, &TrayIcon::historyRequested);
        tray.menu().findChild<QAction*>(QStringLiteral("trayHistory"))->trigger();
        QCOMPARE(fromTray.count(), 1);
        IconDisplay display;
        DetailsWindow details(display);
        QSignalSpy fromDetails(&details, &DetailsWindow::historyRequested);
        control<QAction>(details, "historyAction")->trigger();
        QCOMPARE(fromDetails.count(), 1);
    }

  private:
    std::unique_ptr<test::TestHome> home_;
    std::string path_;
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredHistoryWindowTest =
    galewarden::test::registerQtTest<galewarden::HistoryWindowTest>("HistoryWindowTest");
}  // namespace

#include "HistoryWindowTest.moc"
