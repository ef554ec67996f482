#include <QLabel>
#include <QTest>

#include "IconWindowRig.h"
#include "support/QtTestRegistry.h"
#include "ui/LabelStyle.h"

namespace galewarden {
namespace {

using test::gb;
using test::IconWindowRig;

QLabel* textOf(LabelWindow& label) {
    return label.findChild<QLabel*>(QStringLiteral("labelText"));
}

QColor textColourOf(LabelWindow& label) {
    return textOf(label)->palette().color(QPalette::WindowText);
}

// A pixel of the label's left edge, where no centred text reaches.
QColor edgeOf(LabelWindow& label) {
    const QImage image = label.grab().toImage();
    return image.pixelColor(0, image.height() / 2);
}

}  // namespace

class LabelWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void followsTheIcon_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QPoint>("offset");  // of the label from the icon's corner
        QTest::addColumn<QSize>("size");
        QTest::newRow("defaults") << QByteArray() << QPoint(50 - 180, 41 + 60 - 15)
                                  << QSize(360, 30);
        QTest::newRow("left of the icon, same height")
            << QByteArray("PosX=-200\nPosY=0\n") << QPoint(50 - 200 - 180, 41 - 15)
            << QSize(360, 30);
        QTest::newRow("odd sides") << QByteArray("Width=51\nHeight=31\n")
                                   << QPoint(50 - 25, 41 + 60 - 15) << QSize(51, 31);
    }
    void followsTheIcon() {
        QFETCH(QByteArray, ini);
        QFETCH(QPoint, offset);
        QFETCH(QSize, size);
        IconWindowRig rig;
        rig.configure("[Label]\nShow=1\n" + ini.toStdString());
        rig.present(test::displayOf(1, gb("未指定文本")), 2);
        QVERIFY(rig.label().isVisible());
        QCOMPARE(rig.label().geometry(), QRect(rig.window.pos() + offset, size));
        QCOMPARE(textOf(rig.label())->geometry(), QRect(QPoint(0, 0), size));
        QVERIFY(rig.label().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void hiddenWhileWarningsShowUnlessAsked() {
        IconWindowRig rig;
        rig.present(test::displayOf(1), 2);
        QVERIFY(rig.window.isVisible());
        QVERIFY(!rig.label().isVisible());
    }

    void followsTheIconsOnTopState() {
        IconWindowRig rig;
        rig.configure("[Label]\nShow=1\n[Red]\nTop=0\n");
        rig.present(test::displayOf(1), 5);
        QVERIFY(rig.label().isVisible());
        QVERIFY(!rig.label().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        rig.present(test::displayOf(1), 4);
        QVERIFY(rig.label().isVisible());
        QVERIFY(rig.label().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void thePlaceNameFollowsEachPicture() {
        IconWindowRig rig;
        rig.configure("[Label]\nShow=1\nUseName=1\n");
        rig.present(test::displayOf(3, gb("%s：注意防范 100%%"), true), 3);
        for (int entry : {1, 2, 3, 1}) {
            QCOMPARE(textOf(rig.label())->text(), QStringLiteral("地%1：注意防范 100%").arg(entry));
            rig.switchPicture();
        }
    }

    void withoutPlaceNamesTheStyleIsSetOnce() {
        IconWindowRig rig;
        rig.configure("[Label]\nShow=1\nSize=20\nAlign=2\nColor=\"#112233\"\n");
        rig.present(test::displayOf(2, gb("第一行\r\n<b>%s</b>")), 3);
        QLabel* text = textOf(rig.label());
        QVERIFY(rig.label().labelStyled());
        QCOMPARE(text->text(), QStringLiteral("第一行\n<b>%s</b>"));
        QCOMPARE(text->textFormat(), Qt::PlainText);
        QCOMPARE(text->font().pointSize(), 20);
        QVERIFY(text->font().bold());
        QCOMPARE(text->font().family(), QStringLiteral("Microsoft YaHei UI"));
        QCOMPARE(text->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(textColourOf(rig.label()), QColor(0x11, 0x22, 0x33));

        // Later changes wait for a restart, except the text colour.
        rig.configure("[Label]\nShow=1\nSize=30\nAlign=0\nColor=\"#445566\"\n");
        rig.present(test::displayOf(2, gb("另一段")), 3);
        rig.switchPicture();
        QCOMPARE(text->text(), QStringLiteral("第一行\n<b>%s</b>"));
        QCOMPARE(text->font().pointSize(), 20);
        QCOMPARE(text->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(textColourOf(rig.label()), QColor(0x44, 0x55, 0x66));
    }

    void fontSizesAreHeldToWhatCanBeDrawn_data() {
        QTest::addColumn<QByteArray>("size");
        QTest::addColumn<int>("points");
        QTest::newRow("0") << QByteArray("0") << 1;
        QTest::newRow("10000") << QByteArray("10000") << 200;
        QTest::newRow("no number") << QByteArray("big") << 1;
    }
    void fontSizesAreHeldToWhatCanBeDrawn() {
        QFETCH(QByteArray, size);
        QFETCH(int, points);
        IconWindowRig rig;
        rig.configure("[Label]\nShow=1\nSize=" + size.toStdString() + "\n");
        rig.present(test::displayOf(1, gb("文本")), 2);
        QCOMPARE(textOf(rig.label())->font().pointSize(), points);
    }

    void theBackgroundIsKeyedOut_data() {
        QTest::addColumn<QByteArray>("background");
        QTest::addColumn<uint>("key");
        QTest::addColumn<QColor>("edge");
        const QColor transparent(0, 0, 0, 0);
        QTest::newRow("default") << QByteArray("#000000FF") << uint(rgbColour(0, 0, 32))
                                 << transparent;
        QTest::newRow("fourth byte, blue wraps")
            << QByteArray("#FFFFE0FF") << uint(rgbColour(255, 255, 0)) << transparent;
        QTest::newRow("no fourth pair")
            << QByteArray("#203040") << uint(rgbColour(32, 48, 64)) << transparent;
        QTest::newRow("pure black is drawn") << QByteArray("#000000") << 0u << QColor(Qt::black);
    }
    void theBackgroundIsKeyedOut() {
        QFETCH(QByteArray, background);
        QFETCH(uint, key);
        QFETCH(QColor, edge);
        IconWindowRig rig;
        rig.configure("[Label]\nShow=1\nAlign=1\nBgColor=\"" + background.toStdString() + "\"\n");
        rig.present(test::displayOf(1, gb("文本")), 2);
        QCOMPARE(uint(rig.label().backgroundKey()), key);
        QCOMPARE(edgeOf(rig.label()), edge);
        QCOMPARE(textColourOf(rig.label()), QColor(0xEC, 0xEC, 0xEC));

        // Without a compositor the window is cut to its text; a drawn background is not cut.
        const QRegion mask = rig.label().mask();
        const QRect whole = rig.label().rect();
        if (key == 0) {
            QVERIFY(mask.isEmpty());
        } else {
            QVERIFY(!mask.isEmpty());
            QVERIFY(whole.contains(mask.boundingRect()));
            QVERIFY(!mask.contains(QPoint(0, whole.height() / 2)));
            QVERIFY(mask.boundingRect().width() < whole.width() / 2);  // two characters
        }
    }

    void textInTheBackgroundColourCannotBeSeen() {
        IconWindowRig rig;
        rig.configure("[Label]\nShow=1\nColor=\"#203040\"\nBgColor=\"#203040\"\n");
        rig.present(test::displayOf(1, gb("文本")), 2);
        QCOMPARE(textColourOf(rig.label()).alpha(), 0);
        QVERIFY(!rig.label().mask().isEmpty());
        QVERIFY(!rig.label().mask().intersects(rig.label().rect()));
        const QImage image = rig.label().grab().toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QCOMPARE(qAlpha(image.pixel(x, y)), 0);
            }
        }
    }

    void clicksGoThrough() {
        IconWindowRig rig;
        QVERIFY(rig.label().windowFlags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(rig.label().testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(rig.label().windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    }

    void fadesWithTheIcon() {
        IconWindowRig rig;
        rig.configure("[Label]\nShow=1\n[Orange]\nAlpha=200\n");
        rig.present(test::displayOf(2, gb("文本")), 4);
        QCOMPARE(qRound(rig.label().windowOpacity() * 255), 200);
        rig.setAnimate(true);
        rig.window.startSwitch();
        for (int tick = 0; tick < 5; ++tick) {
            rig.window.fadeTick();
        }
        QCOMPARE(qRound(rig.label().windowOpacity() * 255), 200 * 5 / 10);
        QCOMPARE(rig.label().windowOpacity(), rig.window.windowOpacity());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredLabelWindowTest =
    galewarden::test::registerQtTest<galewarden::LabelWindowTest>("LabelWindowTest");
}  // namespace

#include "LabelWindowTest.moc"
