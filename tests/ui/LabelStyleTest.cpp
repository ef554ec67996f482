#include <QTest>

#include "core/config/ConfigColour.h"
#include "support/QtTestRegistry.h"
#include "ui/LabelStyle.h"

namespace galewarden {

class LabelStyleTest : public QObject {
    Q_OBJECT

  private slots:
    void backgroundKey_data() {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<uint>("key");
        QTest::addColumn<bool>("keyed");
        QTest::newRow("default: black with a fourth byte")
            << "#000000FF" << uint(rgbColour(0, 0, 32)) << true;
        QTest::newRow("blue wraps") << "#FFFFE0FF" << uint(rgbColour(255, 255, 0)) << true;
        QTest::newRow("no fourth pair: unchanged")
            << "#203040" << uint(rgbColour(0x20, 0x30, 0x40)) << true;
        QTest::newRow("pure black switches the key off") << "#000000" << 0u << false;
        QTest::newRow("wrapping onto black switches it off too") << "#0000E0FF" << 0u << false;
        QTest::newRow("no digits") << "xyz!" << 0u << false;
    }
    void backgroundKey() {
        QFETCH(QString, configured);
        QFETCH(uint, key);
        QFETCH(bool, keyed);
        const ColourValue background = labelBackground(textToColour(configured.toStdString()));
        QCOMPARE(uint(background), key);
        QCOMPARE(keysOut(background), keyed);
    }

    void textInTheKeyColourIsKeyedOut() {
        const ColourValue key = labelBackground(textToColour("#203040"));
        QVERIFY(!textShows(textToColour("#203040"), key));
        QVERIFY(!textShows(textToColour("#203040FF"), key));  // only red, green, blue count
        QVERIFY(textShows(textToColour("#ECECEC"), key));
        QVERIFY(textShows(0, 0));  // black on the opaque black box: drawn, if unseen
    }

    void fontPointsAndAlignment() {
        QCOMPARE(labelPoints(16), 16);
        QCOMPARE(labelPoints(0), 1);
        QCOMPARE(labelPoints(-3), 1);
        QCOMPARE(labelPoints(10000), 200);
        QCOMPARE(labelAlign(0), LabelAlign::left);
        QCOMPARE(labelAlign(1), LabelAlign::centre);
        QCOMPARE(labelAlign(2), LabelAlign::right);
        QCOMPARE(labelAlign(3), LabelAlign::left);
        QCOMPARE(labelAlign(-1), LabelAlign::left);
    }

    void textWithAndWithoutPlaceNames_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("usesName");
        QTest::addColumn<QString>("shown");
        QTest::newRow("place name") << "%s有预警 100%%" << true << "深圳市有预警 100%";
        QTest::newRow("two slots") << "%s/%s" << true << "深圳市/深圳市";
        QTest::newRow("other sequences stay") << "%d%n%s" << true << "%d%n深圳市";
        QTest::newRow("without place names") << "%s有预警 100%%" << false << "%s有预警 100%%";
    }
    void textWithAndWithoutPlaceNames() {
        QFETCH(QString, text);
        QFETCH(bool, usesName);
        QFETCH(QString, shown);
        DisplaySnapshot display;
        display.labelText = text.toStdString();
        display.labelUsesName = usesName;
        QCOMPARE(QString::fromStdString(labelTextFor(display, "深圳市")), shown);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredLabelStyleTest =
    galewarden::test::registerQtTest<galewarden::LabelStyleTest>("LabelStyleTest");
}  // namespace

#include "LabelStyleTest.moc"
