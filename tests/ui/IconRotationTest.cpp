#include <QTest>
#include <memory>
#include <vector>

#include "support/QtTestRegistry.h"
#include "ui/IconDisplay.h"
#include "ui/IconFade.h"

namespace galewarden {
namespace {

SharedDisplay displayOf(std::vector<std::string> places) {
    auto snapshot = std::make_shared<DisplaySnapshot>();
    for (std::string& place : places) {
        snapshot->entries.push_back({"", "", std::move(place)});
    }
    return snapshot;
}

struct Trace {
    std::vector<int> steps;
    int changeTick = 0;  // 1-based tick at which the picture last changed; 0 never
    int changes = 0;
    int ticks = 0;  // ticks until the timer stopped
};

// Ticks until the fade asks for its timer to stop, as the fade timer would.
Trace runFade(IconDisplay& state) {
    Trace trace;
    for (int tick = 1; tick <= 100; ++tick) {
        const FadeTick outcome = state.nextFadeTick();
        trace.steps.push_back(state.fadeStep());
        if (outcome.changePicture) {
            trace.changeTick = tick;
            ++trace.changes;
        }
        if (outcome.stopTimer) {
            trace.ticks = tick;
            break;
        }
    }
    return trace;
}

// A display of these places, at full opacity, as after a first picture change.
IconDisplay displayAtFullOpacity(std::vector<std::string> places, bool animate) {
    IconDisplay state;
    state.takeResult(displayOf(std::move(places)), 2, true, false);
    (void)state.nextFadeTick();
    state.takeResult(state.display(), 2, true, animate);
    return state;
}

}  // namespace

class IconRotationTest : public QObject {
    Q_OBJECT

  private slots:
    void animatedChangeTakesEighteenTicks() {
        IconDisplay state = displayAtFullOpacity({"甲", "乙"}, true);
        const Trace trace = runFade(state);
        QCOMPARE(trace.ticks, 18);
        QCOMPARE(trace.changes, 1);
        QCOMPARE(trace.changeTick, 9);
        QCOMPARE(trace.steps,
                 (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        // The next change runs the same way: out, then in.
        QCOMPARE(runFade(state).ticks, 18);
    }

    void aSwitchDuringAFadeChangesThePictureOnTheNextTick() {
        IconDisplay state = displayAtFullOpacity({"甲", "乙", "丙"}, true);
        for (int tick = 0; tick < 3; ++tick) {
            QVERIFY(!state.nextFadeTick().changePicture);
        }
        state.interruptFade();
        const FadeTick next = state.nextFadeTick();
        QVERIFY(next.changePicture);
        QVERIFY(!next.stopTimer);
        QCOMPARE(state.fadeStep(), 1);
        QCOMPARE(runFade(state).ticks, 9);  // the fade-in follows
        QCOMPARE(state.fadeStep(), 10);
    }

    void withoutAFadeThePictureChangesAtOnceAtFullOpacity_data() {
        QTest::addColumn<bool>("animate");
        QTest::addColumn<int>("entries");
        QTest::newRow("one picture, animated") << true << 1;
        QTest::newRow("no picture, animated") << true << 0;
        QTest::newRow("several, not animated") << false << 5;
    }
    void withoutAFadeThePictureChangesAtOnceAtFullOpacity() {
        QFETCH(bool, animate);
        QFETCH(int, entries);
        IconDisplay state;
        state.takeResult(displayOf(std::vector<std::string>(static_cast<std::size_t>(entries))), 2,
                         entries > 0, animate);
        state.interruptFade();  // a switch arrived during a fade
        const FadeTick cutShort = state.nextFadeTick();
        QVERIFY(cutShort.stopTimer);
        QVERIFY(cutShort.changePicture);
        QVERIFY(cutShort.applyAlpha);
        QCOMPARE(state.fadeStep(), 10);

        const FadeTick next = state.nextFadeTick();
        QVERIFY(next.stopTimer);
        QVERIFY(next.changePicture);
        QVERIFY(!next.applyAlpha);  // nothing to show anew
        QCOMPARE(state.fadeStep(), 10);
    }

    // The icon shows only while all four conditions hold; each operation moves one of them.
    void visibilityFollowsItsFourConditions() {
        IconDisplay state;
        QVERIFY(!state.visible());
        state.takeResult(displayOf({"甲"}), 5, true, false);
        state.startMonitoring();
        QVERIFY(!state.iconWanted());  // the colour's show option is not known yet
        state.applyColourOptions(true, 200);
        QVERIFY(state.visible());
        state.suppress();
        QVERIFY(!state.iconWanted());
        state.endSuppression();
        state.setFullScreenClear(false);
        QVERIFY(state.iconWanted());
        QVERIFY(!state.visible());
        state.setFullScreenClear(true);
        state.showColour(false);
        QVERIFY(!state.visible());
        state.showColour(true);
        QVERIFY(state.visible());
        state.takeResult(displayOf({}), 0, false, false);
        QVERIFY(!state.visible());
    }

    void theOpacityFollowsTheFade() {
        IconDisplay state = displayAtFullOpacity({"甲", "乙"}, true);
        state.applyColourOptions(true, 200);
        QCOMPARE(state.alpha(), 200);
        (void)state.nextFadeTick();
        QCOMPARE(state.alpha(), 180);
    }

    void fadedAlpha_data() {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("applied");
        QTest::newRow("full step") << 63 << 10 << 63;
        QTest::newRow("half step, cut toward zero") << 63 << 5 << 31;
        QTest::newRow("0 is raised to 1") << 5 << 1 << 1;
        QTest::newRow("step 0") << 159 << 0 << 1;
        QTest::newRow("alpha 0") << 0 << 10 << 1;
        QTest::newRow("negative alpha") << -40 << 10 << 1;
        QTest::newRow("alpha above 255") << 1000 << 10 << 255;
        QTest::newRow("huge alpha at step 9") << 2147483647 << 9 << 229;
        QTest::newRow("step beyond 10") << 100 << 12 << 100;
    }
    void fadedAlpha() {
        QFETCH(int, alpha);
        QFETCH(int, step);
        QFETCH(int, applied);
        QCOMPARE(galewarden::fadedAlpha(alpha, step), applied);
    }

    void picturesCycleAndWrap() {
        IconDisplay state;
        state.takeResult(displayOf({"甲", "乙", "丙", "丁", "戊"}), 2, true, false);
        std::vector<int> shown;
        for (int change = 0; change < 7; ++change) {
            const DisplayEntry* entry = state.advance();
            QVERIFY(entry != nullptr);
            QCOMPARE(entry->placeName, state.currentPlaceName());
            shown.push_back(state.currentIndex());
        }
        QCOMPARE(shown, (std::vector<int>{1, 2, 3, 4, 5, 1, 2}));
        QCOMPARE(state.currentPlaceName(), std::string("乙"));
    }

    void aNewDisplayKeepsThePositionOrWrapsBeyondIt() {
        IconDisplay state;
        state.takeResult(displayOf({"甲", "乙", "丙", "丁"}), 2, true, false);
        state.advance();
        state.advance();
        state.advance();
        QCOMPARE(state.currentIndex(), 3);

        state.takeResult(displayOf({"子", "丑"}), 2, true, false);
        state.advance();
        QCOMPARE(state.currentIndex(), 1);
        QCOMPARE(state.currentPlaceName(), std::string("子"));
    }

    void anEmptyDisplayShowsNothing() {
        IconDisplay state;
        state.takeResult(displayOf({"甲", "乙", "丙"}), 2, true, false);
        state.advance();
        state.takeResult(displayOf({}), 0, false, false);
        QVERIFY(state.advance() == nullptr);
        QCOMPARE(state.currentIndex(), 0);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredIconRotationTest =
    galewarden::test::registerQtTest<galewarden::IconRotationTest>("IconRotationTest");
}  // namespace

#include "IconRotationTest.moc"
