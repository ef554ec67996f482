#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "IconWindowRig.h"
#include "core/alerts/pictures/BuiltinPictures.h"
#include "support/QtTestRegistry.h"
#include "ui/IconShape.h"

namespace galewarden {
namespace {

using test::gb;
using test::IconWindowRig;

QColor centreColour(QWidget& window) {
    const QImage image = window.grab().toImage();
    return image.pixelColor(image.rect().center());
}

int entryShown(QWidget& window, int count) {
    const QColor centre = centreColour(window);
    for (int entry = 1; entry <= count; ++entry) {
        if (centre == test::colourOfEntry(entry)) {
            return entry;
        }
    }
    return -1;
}

// The pointer passing over the window with no button held; QTest moves only the cursor then.
void hover(QWidget& window, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, window.mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
}

qreal opacityOf(int alpha) {
    return alpha / 255.0;
}

bool closeTo(qreal a, qreal b) {
    return qAbs(a - b) < 0.004;  // the platform keeps the opacity in 8 bits
}

}  // namespace

class AlertIconWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void hiddenWithoutWarnings() {
        IconWindowRig rig;
        rig.present(test::displayOf(0), 0);
        QVERIFY(!rig.window.isVisible());
        QVERIFY(!rig.label().isVisible());
        QVERIFY(!rig.state.visible());
        QCOMPARE(rig.state.currentIndex(), 0);
    }

    void shownWithWarningsAtItsPlace() {
        IconWindowRig rig;
        rig.present(test::displayOf(1), 2);
        QVERIFY(rig.window.isVisible());
        const QRect screen = test::primaryScreen();
        QCOMPARE(rig.window.geometry(), QRect(screen.right() + 1 - 80 - 100, 60, 100, 82));
        QVERIFY(closeTo(rig.window.windowOpacity(), opacityOf(63)));
        const Qt::WindowFlags flags = rig.window.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(rig.window.testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(entryShown(rig.window, 1), 1);

        // A second of passes changes nothing.
        rig.window.updateIconWindowVisibility();
        QVERIFY(rig.window.isVisible());
        QCOMPARE(rig.window.geometry().topLeft(), QPoint(screen.right() + 1 - 180, 60));
    }

    void eachColourAppliesItsOptions_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("onTop");
        QTest::addColumn<int>("alpha");
        QTest::newRow("白 with Blue") << 1 << true << true << 200;
        QTest::newRow("蓝 not shown") << 2 << false << true << 200;
        QTest::newRow("黄 defaults") << 3 << true << true << 95;
        QTest::newRow("橙 defaults") << 4 << true << true << 127;
        QTest::newRow("红 not on top") << 5 << true << false << 159;
    }
    void eachColourAppliesItsOptions() {
        QFETCH(int, colour);
        QFETCH(bool, visible);
        QFETCH(bool, onTop);
        QFETCH(int, alpha);
        IconWindowRig rig;
        rig.configure("[Blue]\nAlpha=200\n[Red]\nTop=0\n");
        if (colour == 2) {
            rig.store.writeText("Blue", "Show", "0");
        }
        rig.present(test::displayOf(3), colour);
        QCOMPARE(rig.window.isVisible(), visible);
        QCOMPARE(rig.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        QVERIFY(closeTo(rig.window.windowOpacity(), opacityOf(alpha)));
    }

    void aHiddenColourKeepsTheCycleGoing() {
        IconWindowRig rig;
        rig.configure("[Blue]\nShow=0\n");
        QSignalSpy changes(&rig.window, &AlertIconWindow::pictureChanged);
        rig.present(test::displayOf(3), 2);
        rig.switchPicture();
        QVERIFY(!rig.window.isVisible());
        QCOMPARE(changes.count(), 2);
        QCOMPARE(rig.state.currentIndex(), 2);
        QCOMPARE(rig.state.currentPlaceName(), gb("地2"));
    }

    void withoutColourThePreviousOptionsStay() {
        IconWindowRig rig;
        rig.configure("[Red]\nAlpha=200\nTop=0\n");
        rig.present(test::displayOf(1), 5);
        rig.configure("[Red]\nAlpha=10\nTop=1\nShow=0\n");
        rig.present(test::displayOf(0), 0);
        QVERIFY(!rig.window.isVisible());
        QCOMPARE(rig.state.alpha(), 200);
        rig.state.takeResult(test::displayOf(1), 0, true, false);
        QVERIFY(rig.state.iconWanted());  // the red's show option still holds
        QVERIFY(!rig.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void theShapeFollowsTheSize() {
        IconWindowRig rig;
        rig.present(test::displayOf(1), 3);
        QCOMPARE(rig.window.mask().boundingRect(), QRect(0, 0, 100, 82));
        QVERIFY(!rig.window.mask().contains(QPoint(0, 0)));
        QVERIFY(rig.window.mask().contains(QPoint(50, 41)));

        rig.configure("[General]\nWidth=200\nHeight=164\n");
        rig.window.updateIconWindowVisibility();
        QCOMPARE(rig.window.size(), QSize(200, 164));
        const QRegion mask = rig.window.mask();
        QCOMPARE(mask.boundingRect(), QRect(0, 0, 200, 164));
        // Corners of radius 8: the corner pixels are cut, the middle of every edge is not.
        for (const QPoint outside :
             {QPoint(1, 1), QPoint(198, 1), QPoint(1, 162), QPoint(198, 162)}) {
            QVERIFY2(!mask.contains(outside),
                     qPrintable(QStringLiteral("%1,%2").arg(outside.x()).arg(outside.y())));
        }
        for (const QPoint inside :
             {QPoint(100, 0), QPoint(0, 82), QPoint(199, 82), QPoint(100, 163), QPoint(8, 8)}) {
            QVERIFY2(mask.contains(inside),
                     qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));
        }
        QCOMPARE(mask, shapeRegion(shapeSnapshot(QSize(200, 164))));
    }

    void picturesCycleWithWrap_data() {
        QTest::addColumn<bool>("animate");
        QTest::addColumn<int>("ticks");
        QTest::newRow("plain") << false << 1;
        QTest::newRow("animated") << true << 18;
    }
    void picturesCycleWithWrap() {
        QFETCH(bool, animate);
        QFETCH(int, ticks);
        IconWindowRig rig;
        rig.present(test::displayOf(5), 4);
        rig.setAnimate(animate);
        QSignalSpy changes(&rig.window, &AlertIconWindow::pictureChanged);
        std::vector<int> shown{entryShown(rig.window, 5)};
        for (int press = 0; press < 6; ++press) {
            QCOMPARE(rig.switchPicture(), ticks);
            shown.push_back(entryShown(rig.window, 5));
            QCOMPARE(rig.state.currentPlaceName(), gb("地") + std::to_string(shown.back()));
        }
        QCOMPARE(shown, (std::vector<int>{1, 2, 3, 4, 5, 1, 2}));
        QCOMPARE(changes.count(), 6);
        QVERIFY(closeTo(rig.window.windowOpacity(), opacityOf(127)));
    }

    void aSwitchDuringAFadeChangesThePictureOnTheNextTick() {
        IconWindowRig rig;
        rig.present(test::displayOf(3), 4);
        rig.setAnimate(true);
        rig.window.startSwitch();
        for (int tick = 0; tick < 4; ++tick) {
            rig.window.fadeTick();
        }
        QCOMPARE(rig.state.currentIndex(), 1);
        QVERIFY(closeTo(rig.window.windowOpacity(), opacityOf(127 * 6 / 10)));
        rig.window.startSwitch();
        QVERIFY(rig.fadeTimer.isActive());
        rig.window.fadeTick();
        QCOMPARE(rig.state.currentIndex(), 2);
        QVERIFY(closeTo(rig.window.windowOpacity(), opacityOf(127 / 10)));
    }

    void missingOrBrokenPicturesFallBackToTheBuiltIn() {
        IconWindowRig rig;
        auto snapshot = std::make_shared<DisplaySnapshot>();
        snapshot->entries = {{builtinPicture(5), gb("暴雨红"), {}},
                             {"not a picture", gb("暴雨红"), {}},
                             {"", gb("大风红"), {}},
                             {"", gb("大风黄"), {}}};
        rig.present(snapshot, 5);
        const QImage builtin = rig.window.grab().toImage();
        rig.switchPicture();
        QCOMPARE(rig.window.grab().toImage(), builtin);
        rig.switchPicture();
        QCOMPARE(rig.window.grab().toImage(), builtin);
        rig.switchPicture();
        QVERIFY(rig.window.grab().toImage() != builtin);
    }

    void aDragStoresTheNewPlace() {
        IconWindowRig rig;
        rig.configure("[General]\nMouseOver=0\n");
        rig.present(test::displayOf(1), 2);
        const QPoint start = rig.window.pos();
        QTest::mousePress(&rig.window, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!rig.window.dragging());  // a click is no drag
        QTest::mouseMove(&rig.window, QPoint(40, 30));
        QVERIFY(rig.window.dragging());
        QCOMPARE(rig.window.pos(), start + QPoint(30, 20));

        // The passes leave a moving window alone, and a right click does not send it away.
        rig.window.updateIconWindowVisibility();
        QCOMPARE(rig.window.pos(), start + QPoint(30, 20));
        QTest::mouseRelease(&rig.window, Qt::RightButton, {}, QPoint(10, 10));
        QVERIFY(rig.window.isVisible());

        QTest::mouseRelease(&rig.window, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!rig.window.dragging());
        const QRect screen = test::primaryScreen();
        QCOMPARE(rig.store.readText("General", "Top", ""), std::to_string(60 + 20));
        QCOMPARE(rig.store.readText("General", "Right", ""), std::to_string(80 - 30));
        rig.window.updateIconWindowVisibility();
        QCOMPARE(rig.window.pos(), QPoint(screen.right() + 1 - 50 - 100, 80));
    }

    // Where the window system's move swallows the release, the next pass of the pointer ends
    // the drag.
    void aDragEndsAtTheNextMoveWithoutAButton() {
        IconWindowRig rig;
        rig.configure("[General]\nMouseOver=0\n");
        rig.present(test::displayOf(1), 2);
        QTest::mousePress(&rig.window, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(&rig.window, QPoint(10, 40));
        QVERIFY(rig.window.dragging());
        hover(rig.window, QPoint(10, 40));
        QVERIFY(!rig.window.dragging());
        QCOMPARE(rig.store.readText("General", "Top", ""), "90");
        QCOMPARE(rig.store.readText("General", "Right", ""), "80");
        QTest::mouseRelease(&rig.window, Qt::LeftButton, {}, QPoint(10, 40));
    }

    void aDoubleClickAsksForTheDetails() {
        IconWindowRig rig;
        rig.configure("[General]\nMouseOver=0\n");
        rig.present(test::displayOf(1), 2);
        QSignalSpy details(&rig.window, &AlertIconWindow::detailsRequested);
        QTest::mouseDClick(&rig.window, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(details.count(), 1);
        QVERIFY(!rig.window.dragging());
        QVERIFY(rig.window.isVisible());
    }

    void aRightClickSendsIconAndLabelAwayForReshowTime() {
        IconWindowRig rig;
        rig.configure("[General]\nMouseOver=0\nReshowTime=1\n[Label]\nShow=1\n");
        rig.present(test::displayOf(2), 3);
        QVERIFY(rig.label().isVisible());
        QTimer visibilityTimer;
        connect(&visibilityTimer, &QTimer::timeout, &rig.window,
                &AlertIconWindow::updateIconWindowVisibility);
        visibilityTimer.start(50);

        QTest::mouseClick(&rig.window, Qt::RightButton, {}, QPoint(20, 20));
        QVERIFY(!rig.window.isVisible());
        QVERIFY(!rig.label().isVisible());
        QVERIFY(!rig.state.iconWanted());
        QTest::qWait(200);
        QVERIFY(!rig.window.isVisible());  // the passes keep it away
        QTRY_VERIFY_WITH_TIMEOUT(rig.window.isVisible(), 5000);
        QTRY_VERIFY(rig.label().isVisible());
    }

    void thePointerSendsTheIconAwayWhenAsked_data() {
        QTest::addColumn<QByteArray>("mouseOver");
        QTest::addColumn<bool>("hides");
        QTest::newRow("on") << QByteArray("1") << true;
        QTest::newRow("off") << QByteArray("0") << false;
    }
    void thePointerSendsTheIconAwayWhenAsked() {
        QFETCH(QByteArray, mouseOver);
        QFETCH(bool, hides);
        IconWindowRig rig;
        rig.configure("[General]\nMouseOver=" + mouseOver.toStdString() + "\n");
        rig.present(test::displayOf(1), 2);
        hover(rig.window, QPoint(30, 30));
        QCOMPARE(rig.window.isVisible(), !hides);
        QCOMPARE(rig.window.autoHide().reshowTimer().isActive(), hides);
    }

    void fullScreenWindowsHideTheIcon() {
        IconWindowRig rig;
        rig.configure("[Screen]\nAutoHide=1\nBasic=\"3\"\n");
        rig.fullScreenWindows = 3;
        rig.present(test::displayOf(1), 2);
        QVERIFY(rig.window.isVisible());
        rig.fullScreenWindows = 4;
        rig.window.updateIconWindowVisibility();
        QVERIFY(!rig.window.isVisible());
        rig.fullScreenWindows = 3;
        rig.window.updateIconWindowVisibility();
        QVERIFY(rig.window.isVisible());
    }

    void theSwitchTimerFollowsTheInterval() {
        IconWindowRig rig;
        rig.present(test::displayOf(2), 2);
        rig.window.applyIconWindowSettings();
        QVERIFY(!rig.rotationTimer.isActive());  // a stopped timer stays stopped

        rig.rotationTimer.start(15000);
        rig.configure("[General]\nInterval=5\n");
        rig.window.applyIconWindowSettings();
        QVERIFY(rig.rotationTimer.isActive());
        QCOMPARE(rig.rotationTimer.interval(), 5000);

        rig.configure("[General]\nInterval=0\n");
        rig.window.applyIconWindowSettings();
        QVERIFY(!rig.rotationTimer.isActive());
    }

    void theTimersDriveTheCycle() {
        IconWindowRig rig;
        rig.present(test::displayOf(3), 2);
        rig.setAnimate(true);
        rig.rotationTimer.start(30);
        QTRY_COMPARE(rig.state.currentIndex(), 3);
        rig.rotationTimer.stop();
        QTRY_VERIFY(!rig.fadeTimer.isActive());
    }

    void badConfigurationNeverBreaksThePasses_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("sizes 0") << QByteArray("[General]\nWidth=0\nHeight=0\n");
        QTest::newRow("huge sizes") << QByteArray("[General]\nWidth=100000\nHeight=100000\n");
        QTest::newRow("negative sizes") << QByteArray("[General]\nWidth=-100\nHeight=-1\n");
        QTest::newRow("no numbers")
            << QByteArray("[General]\nWidth=wide\nHeight=\nTop=x\nRight=y\nInterval=z\n");
        QTest::newRow("far off every screen")
            << QByteArray("[General]\nTop=-99999999999\nRight=99999999999\n");
        QTest::newRow("the other way")
            << QByteArray("[General]\nTop=2147483647\nRight=-2147483648\n");
        QTest::newRow("opacities")
            << QByteArray("[Blue]\nAlpha=-5\n[Yellow]\nAlpha=100000\n[Red]\nAlpha=abc\n");
        QTest::newRow("intervals") << QByteArray("[General]\nInterval=-1\nReshowTime=0\n");
        QTest::newRow("label") << QByteArray(
            "[Label]\nShow=1\nSize=0\nPosX=99999999999\nPosY=-99999999999\n"
            "Width=0\nHeight=100000\nAlign=7\nColor=\nBgColor=#\n");
        QTest::newRow("huge font") << QByteArray("[Label]\nShow=1\nSize=10000\n");
    }
    void badConfigurationNeverBreaksThePasses() {
        QFETCH(QByteArray, ini);
        IconWindowRig rig;
        rig.configure(ini.toStdString());
        for (int colour = 1; colour <= 5; ++colour) {
            rig.present(test::displayOf(2), colour);
            rig.rotationTimer.start(1000);
            rig.window.updateIconWindowVisibility();
            const QRect geometry = rig.window.geometry();
            const double scale = rig.window.devicePixelRatioF();
            QVERIFY(geometry.width() >= 1 && geometry.width() * scale <= 4096);
            QVERIFY(geometry.height() >= 1 && geometry.height() * scale <= 4096);
            QVERIFY(test::primaryScreen().intersects(geometry));
            QVERIFY(rig.window.windowOpacity() > 0 && rig.window.windowOpacity() <= 1);
            QVERIFY(rig.rotationTimer.interval() > 0 || !rig.rotationTimer.isActive());
            QVERIFY(rig.label().width() * scale <= 4096 && rig.label().height() * scale <= 4096);
        }
        // Painted once: the colours differ in their picture, not in how it is drawn.
        rig.window.grab();
        rig.label().grab();
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredAlertIconWindowTest =
    galewarden::test::registerQtTest<galewarden::AlertIconWindowTest>("AlertIconWindowTest");
}  // namespace

#include "AlertIconWindowTest.moc"
