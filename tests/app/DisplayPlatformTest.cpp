#include <QTest>

#include "app/DisplayPlatform.h"
#include "support/QtTestRegistry.h"

namespace galewarden {

class DisplayPlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void theSessionDecides_data() {
        QTest::addColumn<bool>("platformAsked");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("x11Display");
        QTest::addColumn<bool>("x11Answers");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("x11Asked");
        const int qt = int(DisplayPlatform::qtChoice);
        const int xwayland = int(DisplayPlatform::xwayland);
        const int waylandOnly = int(DisplayPlatform::waylandOnly);
        QTest::newRow("plain X11") << false << false << true << true << qt << false;
        QTest::newRow("Wayland with Xwayland") << false << true << true << true << xwayland << true;
        QTest::newRow("Xwayland named but not answering")
            << false << true << true << false << waylandOnly << true;
        QTest::newRow("Wayland alone") << false << true << false << false << waylandOnly << false;
        QTest::newRow("the user's platform wins") << true << true << true << true << qt << false;
    }

    void theSessionDecides() {
        QFETCH(bool, platformAsked);
        QFETCH(bool, wayland);
        QFETCH(bool, x11Display);
        QFETCH(bool, x11Answers);
        QFETCH(int, expected);
        QFETCH(bool, x11Asked);
        bool asked = false;
        const DisplayPlatform chosen =
            chooseDisplayPlatform({platformAsked, wayland, x11Display}, [&] {
                asked = true;
                return x11Answers;
            });
        QCOMPARE(int(chosen), expected);
        // Connecting starts Xwayland on some compositors: only a Wayland session pays for it.
        QCOMPARE(asked, x11Asked);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredDisplayPlatformTest =
    galewarden::test::registerQtTest<galewarden::DisplayPlatformTest>("DisplayPlatformTest");
}  // namespace

#include "DisplayPlatformTest.moc"
