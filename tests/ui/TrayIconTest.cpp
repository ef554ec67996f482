#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "ui/TrayIcon.h"
#include "ui/TrayPictures.h"

namespace galewarden {
namespace {

using test::gb;

const QString kTitle = QStringLiteral("Galewarden 1.0.9.4");

QImage iconImage(const TrayIcon& tray) {
    return tray.icon()
        .pixmap(kTrayPictureSize, kTrayPictureSize)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QAction* header(const TrayIcon& tray) {
    return tray.menu().findChild<QAction*>(QStringLiteral("trayHeader"));
}

}  // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

  private:
    QTimer hideTimer_;

  private slots:
    void init() {
        hideTimer_.stop();
        hideTimer_.setSingleShot(true);
    }

    void startsNeutralAndHidden() {
        TrayIcon tray(kTitle, hideTimer_);
        QVERIFY(!tray.isVisible());
        QCOMPARE(tray.toolTip(), QStringLiteral("未获取到预警信息"));
        QCOMPARE(iconImage(tray), trayPicture(0));
        QVERIFY(!header(tray)->isVisible());
        QVERIFY(!header(tray)->isEnabled());
        QCOMPARE(header(tray)->text(), QStringLiteral("·气象台正在发布预警信号·"));
    }

    void menuOffersViewSettingsAndClose() {
        TrayIcon tray(kTitle, hideTimer_);
        const QList<QAction*> entries = tray.menu().actions();
        QCOMPARE(entries.size(), 6);
        QCOMPARE(entries[0], header(tray));
        QCOMPARE(entries[1]->text(), QStringLiteral("&V.查看"));
        QCOMPARE(entries[2]->text(), QStringLiteral("&H.历史预警"));
        QCOMPARE(entries[3]->text(), QStringLiteral("&S.设置"));
        QVERIFY(entries[4]->isSeparator());
        QCOMPARE(entries[5]->text(), QStringLiteral("&X.关闭"));
        // The history's entry is there only while a history is kept.
        QVERIFY(!entries[2]->isVisible());
        tray.setHistoryShown(true);
        QVERIFY(entries[2]->isVisible());

        QSignalSpy view(&tray, &TrayIcon::viewRequested);
        QSignalSpy history(&tray, &TrayIcon::historyRequested);
        QSignalSpy settings(&tray, &TrayIcon::settingsRequested);
        QSignalSpy exit(&tray, &TrayIcon::exitRequested);
        for (const int entry : {1, 2, 3, 5}) {
            entries[entry]->trigger();
        }
        QCOMPARE(view.count(), 1);
        QCOMPARE(history.count(), 1);
        QCOMPARE(settings.count(), 1);
        QCOMPARE(exit.count(), 1);
    }

    void leftClickAsksToView() {
        TrayIcon tray(kTitle, hideTimer_);
        QSignalSpy view(&tray, &TrayIcon::viewRequested);
        auto* icon = tray.findChild<QSystemTrayIcon*>();
        QVERIFY(icon != nullptr);
        emit icon->activated(QSystemTrayIcon::Context);
        QCOMPARE(view.count(), 0);
        emit icon->activated(QSystemTrayIcon::Trigger);
        QCOMPARE(view.count(), 1);
    }

    void showsAtStartWithTheTitleForTwoMinutes() {
        TrayIcon tray(kTitle, hideTimer_);
        tray.showAtStart();
        QVERIFY(tray.isVisible());
        QCOMPARE(tray.toolTip(), kTitle);
        QVERIFY(hideTimer_.isActive());
        QCOMPARE(hideTimer_.interval(), 120000);
    }

    void colourSetsPictureHeaderAndTooltip_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("caption");
        QTest::newRow("white") << 1 << QStringLiteral("白色预警生效中 [Ⅴ级/注意]");
        QTest::newRow("blue") << 2 << QStringLiteral("蓝色预警生效中 [Ⅳ级/一般]");
        QTest::newRow("yellow") << 3 << QStringLiteral("黄色预警生效中 [Ⅲ级/较重]");
        QTest::newRow("orange") << 4 << QStringLiteral("橙色预警生效中 [Ⅱ级/严重]");
        QTest::newRow("red") << 5 << QStringLiteral("红色预警生效中 [Ⅰ级/特别严重]");
    }

    void colourSetsPictureHeaderAndTooltip() {
        QFETCH(int, colour);
        QFETCH(QString, caption);
        TrayIcon tray(kTitle, hideTimer_);
        tray.showAtStart();
        tray.showTrayForColour(colour);
        QVERIFY(tray.isVisible());
        QVERIFY(!hideTimer_.isActive());
        QCOMPARE(iconImage(tray), trayPicture(colour));
        QVERIFY(header(tray)->isVisible());
        QCOMPARE(header(tray)->text(), caption);
        QCOMPARE(tray.toolTip(), caption + QLatin1Char('\n') + kTitle);
    }

    // A failed pass puts its note second, under the caption or the title, until a good one.
    void aFailedPassShowsInTheTooltipUntilAGoodOne() {
        TrayIcon tray(kTitle, hideTimer_);
        tray.showAtStart();
        tray.showFetchHealth({true, std::nullopt});
        const QString never = QStringLiteral("获取预警数据失败，尚未成功获取过");
        QCOMPARE(tray.toolTip(), kTitle + QLatin1Char('\n') + never);
        tray.showTrayForColour(5);
        const QString caption = QStringLiteral("红色预警生效中 [Ⅰ级/特别严重]");
        QCOMPARE(tray.toolTip(), caption + QLatin1Char('\n') + never + QLatin1Char('\n') + kTitle);
        tray.showFetchHealth({false, std::chrono::system_clock::now()});
        QCOMPARE(tray.toolTip(), caption + QLatin1Char('\n') + kTitle);
    }

    void theFailureNoteSaysWhenDataLastCame_data() {
        QTest::addColumn<bool>("failed");
        QTest::addColumn<QDateTime>("lastGood");
        QTest::addColumn<QString>("note");
        const QDateTime morning(QDate(2026, 12, 11), QTime(9, 5));
        QTest::newRow("a good pass") << false << morning << QString();
        QTest::newRow("today") << true << morning
                               << QStringLiteral("获取预警数据失败，上次成功获取于 09:05");
        QTest::newRow("another day")
            << true << morning.addDays(-2)
            << QStringLiteral("获取预警数据失败，上次成功获取于 12月9日 09:05");
    }
    void theFailureNoteSaysWhenDataLastCame() {
        QFETCH(bool, failed);
        QFETCH(QDateTime, lastGood);
        QFETCH(QString, note);
        const std::chrono::system_clock::time_point when{
            std::chrono::milliseconds(lastGood.toMSecsSinceEpoch())};
        const QDateTime now(QDate(2026, 12, 11), QTime(18, 0));
        QCOMPARE(TrayIcon::fetchFailureNote({failed, when}, now), note);
    }

    void otherColoursTurnNeutral_data() {
        QTest::addColumn<int>("colour");
        QTest::newRow("none") << 0;
        QTest::newRow("above red") << 6;
        QTest::newRow("negative") << -1;
    }

    void otherColoursTurnNeutral() {
        QFETCH(int, colour);
        TrayIcon tray(kTitle, hideTimer_);
        tray.showAtStart();
        tray.showTrayForColour(4);
        tray.showTrayForColour(colour);
        QVERIFY(!header(tray)->isVisible());
        QCOMPARE(iconImage(tray), trayPicture(0));
        QCOMPARE(tray.toolTip(), kTitle);
        QVERIFY(hideTimer_.isActive());
    }

    void warningsGoingAwayTurnNeutralOnceThenHide() {
        TrayIcon tray(kTitle, hideTimer_);
        tray.showAtStart();
        tray.showTrayForColour(4);
        tray.setHeaderVisible(false);
        tray.showTrayNeutral();
        QCOMPARE(iconImage(tray), trayPicture(0));
        QCOMPARE(tray.toolTip(), kTitle);
        QCOMPARE(hideTimer_.interval(), 120000);

        hideTimer_.start(60000);  // counting down already: a second call leaves it running
        tray.showTrayNeutral();
        QCOMPARE(hideTimer_.interval(), 60000);

        hideTimer_.start(1);
        QTRY_VERIFY(!tray.isVisible());
        QVERIFY(!hideTimer_.isActive());

        tray.showTrayNeutral();  // later passes without warnings leave it hidden
        QVERIFY(!tray.isVisible());
        QVERIFY(!hideTimer_.isActive());

        tray.showTrayForColour(2);
        QVERIFY(tray.isVisible());
        QCOMPARE(iconImage(tray), trayPicture(2));
    }

    void neutralNeedsAVisibleIcon() {
        TrayIcon tray(kTitle, hideTimer_);
        tray.showTrayNeutral();
        QVERIFY(!tray.isVisible());
        QVERIFY(!hideTimer_.isActive());
        QCOMPARE(tray.toolTip(), QStringLiteral("未获取到预警信息"));
    }

    void balloonTextsFitTheirFields_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("fittedTitle");
        QTest::addColumn<QString>("fittedBody");
        const QString body =
            QStringLiteral("【暴雨蓝色预警】【大风黄色预警】\r\n（单击托盘图标查看详细信息）");
        QString plainBody = body;
        plainBody.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QTest::newRow("short") << QStringLiteral("较重：气象灾害预警信息变更") << body
                               << QStringLiteral("较重：气象灾害预警信息变更") << plainBody;
        QTest::newRow("title cut between characters")
            << QStringLiteral("ab") + QStringLiteral("暴").repeated(30) << QStringLiteral("x")
            << QStringLiteral("ab") + QStringLiteral("暴").repeated(20) << QStringLiteral("x");
        QTest::newRow("body cut before a four-byte character")
            << QStringLiteral("t")
            << QStringLiteral("abc") + QStringLiteral("预").repeated(84) + QStringLiteral("😀z")
            << QStringLiteral("t") << QStringLiteral("abc") + QStringLiteral("预").repeated(84);
        QTest::newRow("line breaks count once")
            << QStringLiteral("t") << QStringLiteral("预").repeated(84) + QStringLiteral("\r\nab")
            << QStringLiteral("t") << QStringLiteral("预").repeated(84) + QStringLiteral("\nab");
    }

    void balloonTextsFitTheirFields() {
        QFETCH(QString, title);
        QFETCH(QString, body);
        QFETCH(QString, fittedTitle);
        QFETCH(QString, fittedBody);
        const TrayIcon::BalloonTexts fitted =
            TrayIcon::fittedBalloon(gb(title.toStdString()), gb(body.toStdString()));
        QCOMPARE(fitted.title, fittedTitle);
        QCOMPARE(fitted.body, fittedBody);
        QVERIFY(fitted.title.toUtf8().size() <= 63);
        QVERIFY(fitted.body.toUtf8().size() <= 255);
    }

    void balloonsAndHidingNeedNoNotificationArea() {
        TrayIcon tray(kTitle, hideTimer_);
        tray.showBalloon(gb("较重：气象灾害预警信息变更"), gb("【暴雨蓝色预警】"));
        tray.showAtStart();
        tray.showBalloon(gb("较重：气象灾害预警信息变更"), gb("【暴雨蓝色预警】"));
        tray.hideTrayIcon();
        QVERIFY(!tray.isVisible());
        QVERIFY(!hideTimer_.isActive());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredTrayIconTest =
    galewarden::test::registerQtTest<galewarden::TrayIconTest>("TrayIconTest");
}  // namespace

#include "TrayIconTest.moc"
