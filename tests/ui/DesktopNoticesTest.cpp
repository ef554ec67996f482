#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <vector>

#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "ui/ApplicationIdentity.h"
#include "ui/DesktopNotices.h"
#include "ui/TrayIcon.h"

namespace galewarden {
namespace {

const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

}  // namespace

// A notification server that records what it is asked and numbers the notices as servers do:
// a replaced notice keeps its number.
class RecordingNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

  public:
    struct Call {
        QString appName;
        uint replaces = 0;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int timeout = 0;
    };
    std::vector<Call> calls;

  public slots:
    Q_SCRIPTABLE uint Notify(const QString& appName, uint replaces, const QString& /*icon*/,
                             const QString& summary, const QString& body,
                             const QStringList& actions, const QVariantMap& hints, int timeout) {
        calls.push_back({appName, replaces, summary, body, actions, hints, timeout});
        return replaces != 0 ? replaces : 41 + static_cast<uint>(calls.size());
    }
};

class DesktopNoticesTest : public QObject {
    Q_OBJECT

  private:
    QProcess daemon_;
    QString address_;
    int connections_ = 0;

    QDBusConnection connect() {
        return QDBusConnection::connectToBus(address_, QStringLiteral("bus%1").arg(++connections_));
    }

    // The server on a connection of its own, as a desktop's would be.
    QDBusConnection serve(RecordingNotificationServer& server) {
        QDBusConnection bus = connect();
        bus.registerObject(kPath, &server, QDBusConnection::ExportScriptableSlots);
        bus.registerService(kInterface);
        return bus;
    }

    static int urgency(const RecordingNotificationServer::Call& call) {
        return call.hints.value(QStringLiteral("urgency")).value<uchar>();
    }

    static QSize imageSize(const RecordingNotificationServer::Call& call) {
        const auto image = call.hints.value(QStringLiteral("image-data")).value<QDBusArgument>();
        int width = 0;
        int height = 0;
        int rowStride = 0;
        bool alpha = false;
        int bitsPerSample = 0;
        int channels = 0;
        QByteArray pixels;
        image.beginStructure();
        image >> width >> height >> rowStride >> alpha >> bitsPerSample >> channels >> pixels;
        image.endStructure();
        const bool whole = alpha && bitsPerSample == 8 && channels == 4 &&
                           pixels.size() == qsizetype{rowStride} * height;
        return whole ? QSize(width, height) : QSize();
    }

  private slots:
    void initTestCase() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=" GALEWARDEN_SESSION_BUS_CONFIG),
                       QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        QVERIFY2(daemon_.waitForReadyRead(5000), "dbus-daemon did not start");
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }

    void cleanupTestCase() {
        daemon_.kill();
        daemon_.waitForFinished();
    }

    // Each test's server gives its name back with its connection.
    void cleanup() {
        for (; connections_ > 0; --connections_) {
            QDBusConnection::disconnectFromBus(QStringLiteral("bus%1").arg(connections_));
        }
    }

    // Trays and servers show the program's name. (The windows keep their own titles: the
    // end-to-end tests find them by the whole title.)
    void theProgramIsNamedForTheDesktop() {
        nameTheApplication();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Galewarden"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("cn.galewarden.Galewarden"));
    }

    // Without a server on the bus, or without a bus, the notice comes back to be shown
    // another way.
    void aNoticeNoServerTakesComesBack() {
        DesktopNotices onBus(connect());
        QSignalSpy backFromBus(&onBus, &DesktopNotices::undelivered);
        onBus.show({QStringLiteral("a"), QStringLiteral("b"), 5, {}});
        QTRY_COMPARE(backFromBus.count(), 1);
        QCOMPARE(backFromBus.front().front().value<Notice>().title, QStringLiteral("a"));

        DesktopNotices withoutBus(QDBusConnection(QStringLiteral("no such connection")));
        QSignalSpy backAtOnce(&withoutBus, &DesktopNotices::undelivered);
        withoutBus.show({QStringLiteral("c"), QStringLiteral("d"), 0, {}, false});
        QCOMPARE(backAtOnce.count(), 1);
    }

    void aNoticeNamesTheProgramAndIsUrgentByColour_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("urgency");
        QTest::addColumn<int>("timeout");
        QTest::newRow("red") << 5 << 2 << -1;  // stays as the server decides
        QTest::newRow("orange") << 4 << 1 << 20000;
        QTest::newRow("yellow") << 3 << 1 << 20000;
        QTest::newRow("blue") << 2 << 0 << 20000;
        QTest::newRow("no colour") << 0 << 0 << 20000;
    }
    void aNoticeNamesTheProgramAndIsUrgentByColour() {
        QFETCH(int, colour);
        QFETCH(int, urgency);
        QFETCH(int, timeout);
        RecordingNotificationServer server;
        const QDBusConnection serverBus = serve(server);
        DesktopNotices notices(connect());
        QSignalSpy undelivered(&notices, &DesktopNotices::undelivered);
        QImage picture(64, 64, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        notices.show({QStringLiteral("气象预警"), QStringLiteral("台风红色预警"), colour, picture});
        QTRY_COMPARE(server.calls.size(), std::size_t{1});
        const auto& call = server.calls.front();
        QCOMPARE(call.appName, QStringLiteral("Galewarden"));
        QCOMPARE(call.summary, QStringLiteral("气象预警"));
        QCOMPARE(call.body, QStringLiteral("台风红色预警"));
        QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(),
                 QStringLiteral("cn.galewarden.Galewarden"));
        QCOMPARE(this->urgency(call), urgency);
        QCOMPARE(call.timeout, timeout);
        QCOMPARE(imageSize(call), QSize(64, 64));
        QVERIFY(call.actions.contains(QStringLiteral("default")));
        QTest::qWait(50);
        QCOMPARE(undelivered.count(), 0);
    }

    // Each notice replaces the program's previous one, and only a click on a warning's notice
    // opens the details.
    void noticesReplaceEachOtherAndAClickAsksForTheDetails() {
        RecordingNotificationServer server;
        QDBusConnection serverBus = serve(server);
        DesktopNotices notices(connect());
        QSignalSpy details(&notices, &DesktopNotices::detailsRequested);
        notices.show({QStringLiteral("a"), QStringLiteral("b"), 3, {}});
        QTRY_COMPARE(server.calls.size(), std::size_t{1});
        QCOMPARE(server.calls[0].replaces, 0u);
        QTest::qWait(100);  // the server's answer names the notice
        const auto click = [&](uint id) {
            QDBusMessage signal =
                QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("ActionInvoked"));
            signal << id << QStringLiteral("default");
            serverBus.send(signal);
        };
        click(7);  // another program's notice
        click(42);
        QTRY_COMPARE(details.count(), 1);

        notices.show({QStringLiteral("新版本"), QStringLiteral("1.1"), 0, {}, false});
        QTRY_COMPARE(server.calls.size(), std::size_t{2});
        QCOMPARE(server.calls[1].replaces, 42u);
        QVERIFY(server.calls[1].actions.isEmpty());
        click(42);
        QTest::qWait(100);
        QCOMPARE(details.count(), 1);
    }

    // The tray's warning notice goes to the server with the colour shown, and its click asks
    // to view the details, as a click on the tray icon does.
    void theTraysNoticesGoToTheServer() {
        RecordingNotificationServer server;
        QDBusConnection serverBus = serve(server);
        QTimer hideTimer;
        TrayIcon tray(QStringLiteral("Galewarden 1.0.9.4"), hideTimer, connect());
        QSignalSpy view(&tray, &TrayIcon::viewRequested);
        tray.showTrayForColour(5);
        tray.showBalloon(test::gb("气象台正在发布预警信号"), test::gb("台风红色预警"));
        QTRY_COMPARE(server.calls.size(), std::size_t{1});
        QCOMPARE(server.calls[0].summary, QStringLiteral("气象台正在发布预警信号"));
        QCOMPARE(urgency(server.calls[0]), 2);
        QCOMPARE(imageSize(server.calls[0]), QSize(64, 64));
        QTest::qWait(100);
        QDBusMessage signal =
            QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("ActionInvoked"));
        signal << 42u << QStringLiteral("default");
        serverBus.send(signal);
        QTRY_COMPARE(view.count(), 1);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredDesktopNoticesTest =
    galewarden::test::registerQtTest<galewarden::DesktopNoticesTest>("DesktopNoticesTest");
}  // namespace

#include "DesktopNoticesTest.moc"
