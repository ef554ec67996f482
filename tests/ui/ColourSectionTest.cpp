#include <QTest>

#include "core/config/ConfigStore.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "ui/ColourSection.h"

namespace galewarden {

class ColourSectionTest : public QObject {
    Q_OBJECT

  private slots:
    void eachColourReadsItsSection_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<bool>("onTop");
        QTest::addColumn<bool>("shown");
        QTest::newRow("白 uses Blue") << 1 << 10 << true << false;
        QTest::newRow("蓝") << 2 << 10 << true << false;
        QTest::newRow("黄") << 3 << 30 << false << true;
        QTest::newRow("橙") << 4 << 40 << true << true;
        QTest::newRow("红") << 5 << 50 << false << false;
    }
    void eachColourReadsItsSection() {
        QFETCH(int, colour);
        QFETCH(int, alpha);
        QFETCH(bool, onTop);
        QFETCH(bool, shown);
        const test::TestHome home;
        home.write("Galewarden.ini",
                   "[Blue]\nAlpha=10\nTop=1\nShow=0\n[Yellow]\nAlpha=30\nTop=0\nShow=1\n"
                   "[Orange]\nAlpha=40\nTop=1\nShow=1\n[Red]\nAlpha=50\nTop=0\nShow=0\n");
        const auto options = readColourOptions(ConfigStore(), colour);
        QVERIFY(options.has_value());
        QCOMPARE(options->alpha, alpha);
        QCOMPARE(options->onTop, onTop);
        QCOMPARE(options->shown, shown);
    }

    void defaults() {
        const test::TestHome home;
        const int expected[] = {63, 63, 95, 127, 159};
        for (int colour = 1; colour <= 5; ++colour) {
            const auto options = readColourOptions(ConfigStore(), colour);
            QVERIFY(options.has_value());
            QCOMPARE(options->alpha, expected[colour - 1]);
            QVERIFY(options->onTop);
            QVERIFY(options->shown);
        }
    }

    void noColourReadsNothing() {
        for (int colour : {0, -1, 6}) {
            QVERIFY(colourSectionFor(colour) == nullptr);
            QVERIFY(!readColourOptions(ConfigStore(), colour).has_value());
        }
    }

    void alphaIsHeldToItsRange_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("alpha");
        QTest::newRow("negative") << QByteArray("-5") << 0;
        QTest::newRow("above 255") << QByteArray("1000") << 255;
        QTest::newRow("huge") << QByteArray("99999999999999") << 255;
        QTest::newRow("no number") << QByteArray("half") << 0;
        QTest::newRow("full-width digits") << QByteArray("\xA3\xB1\xA3\xB2") << 12;
    }
    void alphaIsHeldToItsRange() {
        QFETCH(QByteArray, stored);
        QFETCH(int, alpha);
        const test::TestHome home;
        home.write("Galewarden.ini", "[Red]\nAlpha=" + stored.toStdString() + "\n");
        QCOMPARE(readColourOptions(ConfigStore(), 5)->alpha, alpha);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredColourSectionTest =
    galewarden::test::registerQtTest<galewarden::ColourSectionTest>("ColourSectionTest");
}  // namespace

#include "ColourSectionTest.moc"
