#include <QTest>
#include <cstdint>
#include <string>
#include <vector>

#include "core/alerts/DisplaySnapshot.h"
#include "core/alerts/pictures/PngImage.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"

#include "ui/SignalPicture.h"

namespace galewarden {
namespace {

std::string flatPicture(int width, int height, std::uint32_t colour) {
    return encodePng(std::vector<std::uint32_t>(std::size_t(width) * height, colour), width,
                     height);
}

// The picture with its header claiming other dimensions (checksum left wrong: the size is
// read before any check).
std::string claimingSize(std::string png, std::uint32_t width, std::uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    return png;
}

}  // namespace

class SignalPictureTest : public QObject {
    Q_OBJECT

  private slots:
    // Every picture comes out at the size it is shown at, whatever its own size.
    void picturesComeAtTheirShownSize_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("larger: shrunk while read") << 600 << 492;
        QTest::newRow("smaller: enlarged") << 10 << 8;
        QTest::newRow("wider only") << 300 << 40;
    }
    void picturesComeAtTheirShownSize() {
        QFETCH(int, width);
        QFETCH(int, height);
        const DisplayEntry entry{flatPicture(width, height, 0xFF2080C0), test::gb("暴雨蓝"), {}};
        const QImage picture = signalPicture(entry, QSize(100, 82));
        QCOMPARE(picture.size(), QSize(100, 82));
        QCOMPARE(picture.pixel(50, 41), qRgb(0x20, 0x80, 0xC0));
    }

    void theKeyColourIsTransparent() {
        const DisplayEntry entry{flatPicture(600, 492, 0xFF000010), test::gb("暴雨蓝"), {}};
        QCOMPARE(qAlpha(signalPicture(entry, QSize(100, 82)).pixel(50, 41)), 0);
        const DisplayEntry small{flatPicture(20, 20, 0xFF000010), test::gb("暴雨蓝"), {}};
        QCOMPARE(qAlpha(signalPicture(small, QSize(100, 82)).pixel(50, 41)), 0);
    }

    // Beyond the pixel limit a picture is never decoded: the built-in one of its colour shows.
    void anOversizedOrBrokenPictureGivesWayToTheBuiltInOne() {
        const DisplayEntry none{{}, test::gb("暴雨蓝"), {}};
        const QImage builtIn = signalPicture(none, QSize(100, 82));
        const std::string oversized = claimingSize(flatPicture(64, 64, 0xFFFF0000), 5500, 5500);
        for (const std::string& png : {oversized, std::string("<html>")}) {
            const DisplayEntry entry{png, test::gb("暴雨蓝"), {}};
            QCOMPARE(signalPicture(entry, QSize(100, 82)), builtIn);
        }
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredSignalPictureTest =
    galewarden::test::registerQtTest<galewarden::SignalPictureTest>("SignalPictureTest");
}  // namespace

#include "SignalPictureTest.moc"
