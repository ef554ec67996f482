#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "core/config/ConfigStore.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"
#include "ui/AutoHide.h"
#include "ui/FullScreenCalibration.h"
#include "ui/FullScreenRule.h"
#include "ui/IconDisplay.h"
#include "ui/MessageBox.h"

namespace galewarden {
namespace {

// Screen-sized windows as the platform would count them; records the bases it was asked for.
struct FakeScreen {
    int windows = 0;
    std::vector<int> asked;

    CountFullScreenWindows counter() {
        return [this](int base) {
            asked.push_back(base);
            return windows - base;
        };
    }
};

IconDisplay iconWanted() {
    auto snapshot = std::make_shared<DisplaySnapshot>();
    snapshot->entries.push_back({});
    IconDisplay state;
    state.takeResult(snapshot, 2, true, false);
    state.startMonitoring();
    state.showColour(true);
    return state;
}

}  // namespace

class AutoHideTest : public QObject {
    Q_OBJECT

  private slots:
    void fullScreenRule_data() {
        QTest::addColumn<bool>("wanted");
        QTest::addColumn<bool>("autoHide");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("windows");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<bool>("counted");
        QTest::newRow("icon not wanted") << false << true << 3 << 0 << false << false;
        QTest::newRow("auto-hide off") << true << false << 3 << 9 << true << false;
        QTest::newRow("base 99 switches the check off") << true << true << 99 << 9 << true << false;
        QTest::newRow("base above 99") << true << true << 1000 << 9 << true << false;
        QTest::newRow("base 0 keeps the icon hidden") << true << true << 0 << 0 << false << false;
        QTest::newRow("negative base") << true << true << -4 << 0 << false << false;
        QTest::newRow("as many as the base") << true << true << 3 << 3 << true << true;
        QTest::newRow("fewer than the base") << true << true << 3 << 1 << true << true;
        QTest::newRow("one more than the base") << true << true << 3 << 4 << false << true;
        QTest::newRow("base 98 still counts") << true << true << 98 << 99 << false << true;
        QTest::newRow("base 1") << true << true << 1 << 2 << false << true;
    }
    void fullScreenRule() {
        QFETCH(bool, wanted);
        QFETCH(bool, autoHide);
        QFETCH(int, base);
        QFETCH(int, windows);
        QFETCH(bool, clear);
        QFETCH(bool, counted);
        FakeScreen screen{windows, {}};
        QCOMPARE(fullScreenClear(wanted, {autoHide, base}, screen.counter()), clear);
        QCOMPARE(screen.asked, counted ? std::vector<int>{base} : std::vector<int>{});
    }

    void withoutACounterNoWindowIsFullScreen() {
        QVERIFY(fullScreenClear(true, {true, 3}, {}));
        QVERIFY(!fullScreenClear(true, {true, 0}, {}));
    }

    void theConditionFollowsTheConfigurationAndTheWindows() {
        const test::TestHome home;
        home.write("Galewarden.ini", "[Screen]\nAutoHide=1\nBasic=\"3\"\n");
        ConfigStore store;
        IconDisplay state = iconWanted();
        FakeScreen screen{3, {}};
        AutoHide autoHide(store, state, screen.counter());

        autoHide.updateFullScreenCondition();
        QVERIFY(state.visible());
        screen.windows = 4;  // a full-screen video opens
        autoHide.updateFullScreenCondition();
        QVERIFY(!state.visible());
        screen.windows = 3;
        autoHide.updateFullScreenCondition();
        QVERIFY(state.visible());

        state.showColour(false);
        autoHide.updateFullScreenCondition();
        QVERIFY(!state.visible());
        QCOMPARE(screen.asked.size(), std::size_t{3});

        store.writeText("Screen", "AutoHide", "0");
        state.showColour(true);
        screen.windows = 9;
        autoHide.updateFullScreenCondition();
        QVERIFY(state.visible());
        QCOMPARE(screen.asked.size(), std::size_t{3});  // no count while auto-hide is off

        store.writeText("Screen", "AutoHide", "1");
        store.writeText("Screen", "Basic", "many");  // reads as 0
        autoHide.updateFullScreenCondition();
        QVERIFY(!state.visible());
    }

    void suppressionLastsReshowTimeSeconds() {
        const test::TestHome home;
        home.write("Galewarden.ini", "[General]\nReshowTime=1\n");
        ConfigStore store;
        IconDisplay state = iconWanted();
        AutoHide autoHide(store, state, {});
        QSignalSpy suppressed(&autoHide, &AutoHide::suppressed);

        autoHide.suppressIcon();
        QCOMPARE(suppressed.count(), 1);
        QVERIFY(!state.iconWanted());
        QVERIFY(autoHide.reshowTimer().isActive());
        QCOMPARE(autoHide.reshowTimer().interval(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(state.iconWanted(), 5000);
        QVERIFY(!autoHide.reshowTimer().isActive());
    }

    void reshowTimeWithoutAUsableNumberLeavesTheIconAway_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("zero") << QByteArray("0");
        QTest::newRow("no number") << QByteArray("soon");
        QTest::newRow("negative") << QByteArray("-90");
    }
    void reshowTimeWithoutAUsableNumberLeavesTheIconAway() {
        QFETCH(QByteArray, stored);
        const test::TestHome home;
        home.write("Galewarden.ini", "[General]\nReshowTime=" + stored.toStdString() + "\n");
        ConfigStore store;
        IconDisplay state = iconWanted();
        AutoHide autoHide(store, state, {});
        autoHide.suppressIcon();
        QVERIFY(!autoHide.reshowTimer().isActive());
        QVERIFY(!state.iconWanted());
    }

    void aHugeReshowTimeArmsTheLongestTimer() {
        const test::TestHome home;
        home.write("Galewarden.ini", "[General]\nReshowTime=99999999999\n");
        ConfigStore store;
        IconDisplay state = iconWanted();
        AutoHide autoHide(store, state, {});
        autoHide.suppressIcon();
        QVERIFY(autoHide.reshowTimer().isActive());
        QVERIFY(autoHide.reshowTimer().interval() > 2000000000);
    }

    void mouseOverOption() {
        const test::TestHome home;
        ConfigStore store;
        IconDisplay state;
        AutoHide autoHide(store, state, {});
        autoHide.readMouseOverOption();
        QVERIFY(autoHide.mouseOverHide());  // on by default
        for (const char* off : {"0", "true", "yes", ""}) {
            store.writeText("General", "MouseOver", off);
            autoHide.readMouseOverOption();
            QVERIFY2(!autoHide.mouseOverHide(), off);
        }
    }

    void calibrationCountsAfterConfirmation() {
        FakeScreen screen{2, {}};
        MessageBox::scriptAnswers({MessageAnswer::ok});
        QCOMPARE(calibrateFullScreenBase(screen.counter()), std::optional<int>(2));
        QCOMPARE(screen.asked, std::vector<int>{0});
        QCOMPARE(MessageBox::asked().size(), std::size_t{1});
        const MessageRequest& request = MessageBox::asked().front();
        QCOMPARE(request.title, QStringLiteral("校准"));
        QCOMPARE(request.text,
                 QStringLiteral("由于存在隐藏的全屏窗口，因此需要校准才能实现正确的全屏隐藏效果。"
                                "\r\n即将获取当前屏幕全屏窗口数量，请确保所有可见的全屏窗口均已"
                                "关闭。"));
        QCOMPARE(request.icon, MessageIcon::none);
        QCOMPARE(request.buttons, MessageButtons::okCancel);

        MessageBox::scriptAnswers({MessageAnswer::cancel});
        QCOMPARE(calibrateFullScreenBase(screen.counter()), std::nullopt);
        QCOMPARE(screen.asked.size(), std::size_t{1});  // nothing counted
        MessageBox::stopScripting();
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredAutoHideTest =
    galewarden::test::registerQtTest<galewarden::AutoHideTest>("AutoHideTest");
}  // namespace

#include "AutoHideTest.moc"
