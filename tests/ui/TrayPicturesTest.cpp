#include <QSet>
#include <QTest>

#include "support/QtTestRegistry.h"
#include "ui/TrayPictures.h"

namespace galewarden {
namespace {

enum class Hue { lightGrey, blue, yellow, orange, red, other };

// Loose bands, so that any fair rendering of the colours passes and a wrong colour does not.
Hue hueOf(QColor colour) {
    if (colour.alpha() != 255) {
        return Hue::other;
    }
    if (colour.hsvSaturation() < 30 && colour.value() > 180) {
        return Hue::lightGrey;
    }
    if (colour.hsvSaturation() < 150 || colour.value() < 150) {
        return Hue::other;
    }
    const int hue = colour.hsvHue();
    if (hue >= 200 && hue <= 250) {
        return Hue::blue;
    }
    if (hue >= 45 && hue <= 62) {
        return Hue::yellow;
    }
    if (hue >= 22 && hue <= 40) {
        return Hue::orange;
    }
    if (hue <= 10 || hue >= 350) {
        return Hue::red;
    }
    return Hue::other;
}

QColor at(const QImage& picture, int x, int y) {
    return picture.pixelColor(x, y);
}

bool isBlack(QColor colour) {
    return colour.alpha() == 255 && colour.value() < 40;
}

}  // namespace

class TrayPicturesTest : public QObject {
    Q_OBJECT

  private slots:
    void everyPictureIsADiamondWithABlackDot_data() {
        QTest::addColumn<int>("level");
        for (int level = 0; level <= 5; ++level) {
            QTest::newRow(QByteArray::number(level).constData()) << level;
        }
    }

    void everyPictureIsADiamondWithABlackDot() {
        QFETCH(int, level);
        const QImage picture = trayPicture(level);
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY(picture.hasAlphaChannel());
        for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31),
                                    QPoint(4, 4), QPoint(27, 27)}) {
            QCOMPARE(at(picture, corner.x(), corner.y()).alpha(), 0);
        }
        QVERIFY(isBlack(at(picture, 16, 16)));
        QVERIFY(!isBlack(at(picture, 16, 10)));  // the dot is small
    }

    void colouredPicturesAreFilledWithTheirColour_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("hue");
        QTest::newRow("white") << 1 << int(Hue::lightGrey);
        QTest::newRow("blue") << 2 << int(Hue::blue);
        QTest::newRow("yellow") << 3 << int(Hue::yellow);
        QTest::newRow("orange") << 4 << int(Hue::orange);
        QTest::newRow("red") << 5 << int(Hue::red);
    }

    void colouredPicturesAreFilledWithTheirColour() {
        QFETCH(int, level);
        QFETCH(int, hue);
        const QImage picture = trayPicture(level);
        for (const QPoint inside :
             {QPoint(16, 6), QPoint(26, 16), QPoint(16, 26), QPoint(6, 16), QPoint(12, 12)}) {
            QCOMPARE(int(hueOf(at(picture, inside.x(), inside.y()))), hue);
        }
    }

    void neutralPictureIsQuartered() {
        const QImage picture = trayPicture(0);
        QCOMPARE(hueOf(at(picture, 16, 6)), Hue::yellow);
        QCOMPARE(hueOf(at(picture, 26, 16)), Hue::blue);
        QCOMPARE(hueOf(at(picture, 16, 26)), Hue::red);
        QCOMPARE(hueOf(at(picture, 6, 16)), Hue::orange);
    }

    void picturesAreDistinct() {
        QSet<QByteArray> seen;
        for (int level = 0; level <= 5; ++level) {
            const QImage picture = trayPicture(level);
            seen.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()),
                                   picture.sizeInBytes()));
        }
        QCOMPARE(seen.size(), 6);
        QCOMPARE(trayPicture(7), trayPicture(0));
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredTrayPicturesTest =
    galewarden::test::registerQtTest<galewarden::TrayPicturesTest>("TrayPicturesTest");
}  // namespace

#include "TrayPicturesTest.moc"
