#include <QTest>
#include <climits>
#include <cmath>
#include <vector>

#include "support/QtTestRegistry.h"
#include "ui/WindowGeometry.h"

Q_DECLARE_METATYPE(galewarden::WindowRect)
Q_DECLARE_METATYPE(galewarden::ConfiguredIcon)
Q_DECLARE_METATYPE(galewarden::ConfiguredLabel)

namespace galewarden {
namespace {

constexpr WindowRect kFullHd{0, 0, 1920, 1080};

}  // namespace

char* toString(const WindowRect& rect) {
    return QTest::toString(QStringLiteral("%1,%2 %3x%4")
                               .arg(rect.left)
                               .arg(rect.top)
                               .arg(rect.width)
                               .arg(rect.height));
}

class WindowGeometryTest : public QObject {
    Q_OBJECT

  private slots:
    void iconRect_data() {
        QTest::addColumn<WindowRect>("screen");
        QTest::addColumn<ConfiguredIcon>("configured");
        QTest::addColumn<WindowRect>("expected");
        QTest::newRow("defaults") << kFullHd << ConfiguredIcon{} << WindowRect{1740, 60, 100, 82};
        QTest::newRow("larger") << kFullHd << ConfiguredIcon{200, 164, 60, 80}
                                << WindowRect{1640, 60, 200, 164};
        QTest::newRow("primary screen right of another")
            << WindowRect{1280, 0, 1920, 1080} << ConfiguredIcon{} << WindowRect{3020, 60, 100, 82};
        QTest::newRow("size 0 is held to 1")
            << kFullHd << ConfiguredIcon{0, 0, 60, 80} << WindowRect{1839, 60, 1, 1};
        QTest::newRow("negative size")
            << kFullHd << ConfiguredIcon{-5, -5, 60, 80} << WindowRect{1839, 60, 1, 1};
        QTest::newRow("huge size") << kFullHd << ConfiguredIcon{100000, 100000, 0, 0}
                                   << WindowRect{1920 - 4096, 0, 4096, 4096};
        QTest::newRow("extreme places do not wrap")
            << kFullHd << ConfiguredIcon{100, 82, INT_MAX, INT_MIN}
            << WindowRect{30000, 30000, 100, 82};
        QTest::newRow("extreme places the other way")
            << kFullHd << ConfiguredIcon{100, 82, INT_MIN, INT_MAX}
            << WindowRect{-30000, -30000, 100, 82};
    }
    void iconRect() {
        QFETCH(WindowRect, screen);
        QFETCH(ConfiguredIcon, configured);
        QFETCH(WindowRect, expected);
        QCOMPARE(galewarden::iconRect(screen, configured), expected);
    }

    // A window's pixels, not its points, are held, whatever the scale reads.
    void theLargestSideCountsPixels_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("largest");
        QTest::newRow("unscaled") << 1.0 << 4096;
        QTest::newRow("1.25") << 1.25 << 3276;
        QTest::newRow("1.5") << 1.5 << 2730;
        QTest::newRow("2") << 2.0 << 2048;
        QTest::newRow("below 1") << 0.5 << 4096;
        QTest::newRow("0") << 0.0 << 4096;
        QTest::newRow("not a number") << std::nan("") << 4096;
        QTest::newRow("absurd") << 1e30 << 1;
    }
    void theLargestSideCountsPixels() {
        QFETCH(double, scale);
        QFETCH(int, largest);
        QCOMPARE(largestSide(scale), largest);
        const WindowRect icon = galewarden::iconRect(kFullHd, {100000, 100000, 0, 0}, largest);
        QCOMPARE(icon.width, largest);
        QCOMPARE(icon.height, largest);
        const WindowRect label = galewarden::labelRect(icon, {0, 0, 100000, 100000}, largest);
        QCOMPARE(label.width, largest);
        QCOMPARE(label.height, largest);
    }

    void aDraggedIconStoresItsPlace() {
        const IconPlace place = placeOfIcon(kFullHd, {1000, 300, 100, 82});
        QCOMPARE(place.top, 300);
        QCOMPARE(place.right, 820);
        const WindowRect back = galewarden::iconRect(kFullHd, {100, 82, place.top, place.right});
        QCOMPARE(back, (WindowRect{1000, 300, 100, 82}));

        const WindowRect offset{1280, 100, 1920, 1080};
        const IconPlace onOffset = placeOfIcon(offset, {3000, 160, 100, 82});
        QCOMPARE(onOffset.top, 60);
        QCOMPARE(onOffset.right, 100);
    }

    void keepReachable_data() {
        QTest::addColumn<WindowRect>("window");
        QTest::addColumn<WindowRect>("expected");
        // Two screens: the primary on the left, a smaller one right of it and lower down.
        QTest::newRow("inside stays")
            << WindowRect{1740, 60, 100, 82} << WindowRect{1740, 60, 100, 82};
        QTest::newRow("on the second screen stays")
            << WindowRect{2500, 500, 100, 82} << WindowRect{2500, 500, 100, 82};
        QTest::newRow("half over the right edge comes back")
            << WindowRect{1870, 60, 100, 82} << WindowRect{1820, 60, 100, 82};
        QTest::newRow("mostly on the second screen moves onto it")
            << WindowRect{1900, 300, 100, 82} << WindowRect{1920, 300, 100, 82};
        QTest::newRow("above every screen goes to the primary")
            << WindowRect{500, -500, 100, 82} << WindowRect{500, 0, 100, 82};
        QTest::newRow("in the gap below the primary")
            << WindowRect{400, 1200, 100, 82} << WindowRect{400, 998, 100, 82};
        QTest::newRow("far away") << WindowRect{-30000, 30000, 100, 82}
                                  << WindowRect{0, 998, 100, 82};
        QTest::newRow("larger than the screen keeps its corner on it")
            << WindowRect{-100, -100, 4096, 4096} << WindowRect{0, 0, 4096, 4096};
    }
    void keepReachable() {
        QFETCH(WindowRect, window);
        QFETCH(WindowRect, expected);
        const std::vector<WindowRect> screens{kFullHd, {1920, 200, 1280, 1024}};
        QCOMPARE(galewarden::keepReachable(window, screens, kFullHd), expected);
    }

    void withoutScreensTheWindowGoesToTheOrigin() {
        QCOMPARE(galewarden::keepReachable({500, 500, 100, 82}, {}, {}),
                 (WindowRect{0, 0, 100, 82}));
    }

    void labelRect_data() {
        QTest::addColumn<WindowRect>("icon");
        QTest::addColumn<ConfiguredLabel>("configured");
        QTest::addColumn<WindowRect>("expected");
        const WindowRect icon{1740, 60, 100, 82};
        QTest::newRow("defaults") << icon << ConfiguredLabel{} << WindowRect{1610, 146, 360, 30};
        QTest::newRow("left of the icon, same height")
            << icon << ConfiguredLabel{-200, 0, 360, 30} << WindowRect{1410, 86, 360, 30};
        QTest::newRow("odd sides drop the remainder")
            << WindowRect{100, 100, 101, 83} << ConfiguredLabel{0, 0, 51, 31}
            << WindowRect{125, 126, 51, 31};
        QTest::newRow("size 0") << icon << ConfiguredLabel{0, 60, 0, 0}
                                << WindowRect{1790, 161, 1, 1};
        QTest::newRow("huge offsets do not wrap")
            << icon << ConfiguredLabel{INT_MAX, INT_MIN, 100000, 30}
            << WindowRect{30000, -30000, 4096, 30};
    }
    void labelRect() {
        QFETCH(WindowRect, icon);
        QFETCH(ConfiguredLabel, configured);
        QFETCH(WindowRect, expected);
        QCOMPARE(galewarden::labelRect(icon, configured), expected);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredWindowGeometryTest =
    galewarden::test::registerQtTest<galewarden::WindowGeometryTest>("WindowGeometryTest");
}  // namespace

#include "WindowGeometryTest.moc"
