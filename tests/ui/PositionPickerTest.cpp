#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "support/PlacementPrinting.h"
#include "support/QtTestRegistry.h"
#include "support/WindowControls.h"
#include "ui/PositionPicker.h"

namespace galewarden {

namespace {

using test::control;

constexpr IconPlacement kCancelled{-1, -1, -1, -1};

QRect primaryScreen() {
    return QGuiApplication::primaryScreen()->geometry();
}

// The colour a grab shows at a point of the window; on a scaled screen the grab holds more
// pixels than the window has points.
QColor shownAt(const QPixmap& grabbed, QPoint point) {
    return grabbed.toImage().pixelColor((QPointF(point) * grabbed.devicePixelRatio()).toPoint());
}

bool reddish(const QColor& colour) {
    return colour.red() > colour.green() + 40 && colour.red() > colour.blue() + 40;
}

}  // namespace

class PositionPickerTest : public QObject {
    Q_OBJECT

  private:
    static QString text(PositionPicker& picker, const char* edit) {
        return control<QLineEdit>(picker, edit)->text();
    }
    static QString instruction(PositionPicker& picker) {
        return control<QLabel>(picker, "instruction")->text();
    }
    static QPoint boxPosition(PositionPicker& picker) {
        return control<QWidget>(picker, "controlBox")->pos();
    }
    static void type(PositionPicker& picker, const char* edit, const QString& typed) {
        auto* field = control<QLineEdit>(picker, edit);
        field->selectAll();
        QTest::keyClicks(field, typed);
    }
    // One change of the content, as when text is pasted.
    static void paste(PositionPicker& picker, const char* edit, const QString& pasted) {
        auto* field = control<QLineEdit>(picker, edit);
        field->selectAll();
        field->insert(pasted);
    }
    static void click(PositionPicker& picker, const char* button) {
        QTest::mouseClick(control<QPushButton>(picker, button), Qt::LeftButton);
    }
    // The capture waits for the caller's window to go; here there is none.
    static constexpr std::chrono::milliseconds kNoDelay{1};

    static void open(PositionPicker& picker, std::chrono::milliseconds delay = kNoDelay) {
        picker.start(delay);
        QVERIFY(!picker.isVisible());
        QTRY_VERIFY(picker.isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
    }
    static QWindow* window(PositionPicker& picker) { return picker.windowHandle(); }

  private slots:
    void itCoversThePrimaryScreenAfterAMoment() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker, PositionPicker::kCaptureDelay);
        QCOMPARE(picker.geometry(), primaryScreen());
        QVERIFY(picker.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(picker.windowModality(), Qt::ApplicationModal);
        QCOMPARE(text(picker, "widthEdit"), QStringLiteral("100"));
        QCOMPARE(text(picker, "heightEdit"), QStringLiteral("82"));
        QCOMPARE(text(picker, "topEdit"), QStringLiteral("60"));
        QCOMPARE(text(picker, "rightEdit"), QStringLiteral("80"));
        QCOMPARE(instruction(picker), QStringLiteral("请在屏幕中选择一个位置"));
        QCOMPARE(boxPosition(picker), QPoint(8, 8));
        QCOMPARE(control<QPushButton>(picker, "okButton")->text(), QStringLiteral("确定"));
        QCOMPARE(control<QPushButton>(picker, "cancelButton")->text(), QStringLiteral("取消"));
    }

    void theRectangleIsDrawnWhereTheIconGoes() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker);
        const int width = primaryScreen().width();
        QVERIFY(reddish(shownAt(picker.grab(), {width - 130, 101})));
        type(picker, "topEdit", QStringLiteral("0"));
        const QPixmap moved = picker.grab();
        QVERIFY(reddish(shownAt(moved, {width - 130, 41})));
        QVERIFY(!reddish(shownAt(moved, {width - 130, 101})));
    }

    void theLeftButtonDragsTheRectangle() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker);
        const int width = primaryScreen().width();
        QTest::mousePress(window(picker), Qt::LeftButton, {}, QPoint(200, 50));
        QCOMPARE(text(picker, "topEdit"), QStringLiteral("9"));
        QCOMPARE(text(picker, "rightEdit"), QString::number(width - 250));
        QTest::mouseMove(window(picker), QPoint(300, 100));
        QCOMPARE(text(picker, "topEdit"), QStringLiteral("59"));
        QCOMPARE(text(picker, "rightEdit"), QString::number(width - 350));
        QCOMPARE(boxPosition(picker), QPoint(332, 132));
        QTest::mouseMove(window(picker), QPoint(2, 3));
        QCOMPARE(text(picker, "topEdit"), QStringLiteral("0"));
        QCOMPARE(text(picker, "rightEdit"), QString::number(width - 100));
        QTest::mouseRelease(window(picker), Qt::LeftButton, {}, QPoint(2, 3));
        QCOMPARE(instruction(picker), QStringLiteral("右键操作此菜单"));
        QTest::mouseMove(window(picker), QPoint(400, 300));
        QCOMPARE(text(picker, "topEdit"), QStringLiteral("0"));
        QCOMPARE(boxPosition(picker), QPoint(432, 332));
        QCOMPARE(text(picker, "widthEdit"), QStringLiteral("100"));
        QCOMPARE(text(picker, "heightEdit"), QStringLiteral("82"));
    }

    void theBoxGoesUpAndLeftNearTheLowerRightCorner() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker);
        const QRect screen = primaryScreen();
        QTest::mouseMove(window(picker), QPoint(screen.width() - 10, screen.height() - 10));
        const QSize box = control<QWidget>(picker, "controlBox")->size();
        QCOMPARE(boxPosition(picker), QPoint(screen.width() - 10 - box.width() - 32,
                                             screen.height() - 10 - box.height() - 32));
    }

    void aRightClickCentresTheBoxUnderThePointer() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker);
        QTest::mouseClick(window(picker), Qt::RightButton, {}, QPoint(400, 300));
        QCOMPARE(boxPosition(picker), QPoint(400 - 92, 300 - 88));
        QCOMPARE(instruction(picker), QStringLiteral("单击“确定”保存此位置"));
        QCOMPARE(text(picker, "topEdit"), QStringLiteral("60"));
        // The pointer over the box works its controls; the box stays.
        QTest::mouseMove(window(picker), QPoint(405, 302));
        QCOMPARE(boxPosition(picker), QPoint(308, 212));
        QTest::mouseClick(window(picker), Qt::LeftButton, {}, QPoint(330, 225));
        QCOMPARE(text(picker, "topEdit"), QStringLiteral("60"));
        QCOMPARE(text(picker, "rightEdit"), QStringLiteral("80"));
        QTest::mouseMove(window(picker), QPoint(50, 50));
        QCOMPARE(boxPosition(picker), QPoint(82, 82));
    }

    void invalidTypedValuesAreIgnored() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker);
        type(picker, "widthEdit", QStringLiteral("0"));
        type(picker, "heightEdit", QStringLiteral("abc"));
        paste(picker, "rightEdit", QStringLiteral("-4"));
        type(picker, "topEdit", QStringLiteral("0"));
        click(picker, "okButton");
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), (IconPlacement{100, 82, 0, 80}));
    }

    void okReturnsTheTypedPlacement() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker);
        type(picker, "widthEdit", QStringLiteral("150"));
        type(picker, "heightEdit", QStringLiteral("123"));
        QTest::mousePress(window(picker), Qt::LeftButton, {}, QPoint(300, 200));
        QTest::mouseRelease(window(picker), Qt::LeftButton, {}, QPoint(300, 200));
        click(picker, "okButton");
        // 200 − 61.5 cut toward zero
        QCOMPARE(picker.result(),
                 (IconPlacement{150, 123, 138, primaryScreen().width() - 300 - 75}));
        QCOMPARE(picker.result().valid(), true);
    }

    void cancelReturnsMinusOneEverywhere() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker);
        type(picker, "widthEdit", QStringLiteral("150"));
        QTest::mouseClick(window(picker), Qt::LeftButton, {}, QPoint(300, 200));
        click(picker, "cancelButton");
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), kCancelled);
    }

    void escapeCancelsToo() {
        PositionPicker picker({100, 82, 60, 80});
        open(picker);
        QTest::keyClick(&picker, Qt::Key_Escape);
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), kCancelled);
    }

    void anInvalidPlacementShowsOnlyTheDistances() {
        PositionPicker picker({0, 82, 60, 80});
        open(picker);
        QCOMPARE(text(picker, "widthEdit"), QString());
        QCOMPARE(text(picker, "heightEdit"), QString());
        QCOMPARE(text(picker, "topEdit"), QStringLiteral("60"));
        QCOMPARE(text(picker, "rightEdit"), QStringLiteral("80"));
        click(picker, "okButton");
        QCOMPARE(picker.result(), (IconPlacement{100, 82, 60, 80}));
    }

    void aPlaceBeyondTheScreenIsBroughtBack() {
        PositionPicker picker({100, 82, 5000, 5000});
        open(picker);
        const QRect screen = primaryScreen();
        QCOMPARE(text(picker, "topEdit"), QString::number(screen.height() - 82));
        QCOMPARE(text(picker, "rightEdit"), QString::number(screen.width() - 100));
    }

    void pickPositionWaitsForTheAnswer_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("确定") << QStringLiteral("okButton") << true;
        QTest::newRow("取消") << QStringLiteral("cancelButton") << false;
    }
    void pickPositionWaitsForTheAnswer() {
        QFETCH(QString, button);
        QFETCH(bool, confirmed);
        QWidget owner;
        PositionPicker* seen = nullptr;
        QTimer answer;
        answer.setInterval(20);
        connect(&answer, &QTimer::timeout, &owner, [&] {
            auto* picker = owner.findChild<PositionPicker*>();
            if (picker != nullptr && picker->isVisible()) {
                seen = picker;
                answer.stop();
                picker->findChild<QPushButton*>(button)->click();
            }
        });
        answer.start();
        const IconPlacement chosen = pickPosition(&owner, {120, 98, 10, 20}, kNoDelay);
        QVERIFY(seen != nullptr);
        QCOMPARE(chosen, (confirmed ? IconPlacement{120, 98, 10, 20} : kCancelled));
        QVERIFY(owner.findChild<PositionPicker*>() == nullptr);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredPositionPickerTest =
    galewarden::test::registerQtTest<galewarden::PositionPickerTest>("PositionPickerTest");
}  // namespace

#include "PositionPickerTest.moc"
