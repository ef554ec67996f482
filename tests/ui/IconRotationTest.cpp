#include <QTest>
#include <memory>
#include <vector>

#include "support/QtTestRegistry.h"
#include "ui/DisplayState.h"
#include "ui/IconFade.h"
#include "ui/PictureRotation.h"

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
Trace runFade(DisplayState& state) {
    Trace trace;
    for (int tick = 1; tick <= 100; ++tick) {
        const FadeTick outcome = nextFadeTick(state);
        trace.steps.push_back(state.fadeStep);
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

}  // namespace

class IconRotationTest : public QObject {
    Q_OBJECT

  private slots:
    void animatedChangeTakesEighteenTicks() {
        DisplayState state;
        state.display = displayOf({"甲", "乙"});
        state.animate = true;
        state.fadeStep = 10;
        const Trace trace = runFade(state);
        QCOMPARE(trace.ticks, 18);
        QCOMPARE(trace.changes, 1);
        QCOMPARE(trace.changeTick, 9);
        QCOMPARE(trace.steps,
                 (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(state.fadeDirection, false);  // ready to fade out at the next switch

        // The next change runs the same way.
        QCOMPARE(runFade(state).ticks, 18);
    }

    void aSwitchDuringAFadeChangesThePictureOnTheNextTick() {
        DisplayState state;
        state.display = displayOf({"甲", "乙", "丙"});
        state.animate = true;
        state.fadeStep = 10;
        for (int tick = 0; tick < 3; ++tick) {
            QVERIFY(!nextFadeTick(state).changePicture);
        }
        interruptFade(state);
        const FadeTick next = nextFadeTick(state);
        QVERIFY(next.changePicture);
        QVERIFY(!next.stopTimer);
        QCOMPARE(state.fadeStep, 1);
        QCOMPARE(runFade(state).ticks, 9);  // the fade-in follows
        QCOMPARE(state.fadeStep, 10);
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
        DisplayState state;
        state.display = displayOf(std::vector<std::string>(static_cast<std::size_t>(entries)));
        state.animate = animate;
        state.fadeStep = 0;  // a switch arrived during a fade
        const FadeTick cutShort = nextFadeTick(state);
        QVERIFY(cutShort.stopTimer);
        QVERIFY(cutShort.changePicture);
        QVERIFY(cutShort.applyAlpha);
        QCOMPARE(state.fadeStep, 10);

        const FadeTick next = nextFadeTick(state);
        QVERIFY(next.stopTimer);
        QVERIFY(next.changePicture);
        QVERIFY(!next.applyAlpha);  // nothing to show anew
        QCOMPARE(state.fadeStep, 10);
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
        DisplayState state;
        state.display = displayOf({"甲", "乙", "丙", "丁", "戊"});
        std::vector<int> shown;
        for (int change = 0; change < 7; ++change) {
            const DisplayEntry* entry = advancePicture(state);
            QVERIFY(entry != nullptr);
            QCOMPARE(entry->placeName, state.currentPlaceName);
            shown.push_back(state.currentIndex);
        }
        QCOMPARE(shown, (std::vector<int>{1, 2, 3, 4, 5, 1, 2}));
        QCOMPARE(state.currentPlaceName, std::string("乙"));
    }

    void aNewDisplayKeepsThePositionOrWrapsBeyondIt() {
        DisplayState state;
        state.display = displayOf({"甲", "乙", "丙", "丁"});
        state.currentIndex = 2;
        advancePicture(state);
        QCOMPARE(state.currentIndex, 3);

        state.display = displayOf({"子", "丑"});
        advancePicture(state);
        QCOMPARE(state.currentIndex, 1);
        QCOMPARE(state.currentPlaceName, std::string("子"));

        state.currentIndex = -7;  // never set so, but no harm either
        advancePicture(state);
        QCOMPARE(state.currentIndex, 1);
    }

    void anEmptyDisplayShowsNothing() {
        DisplayState state;
        state.currentIndex = 3;
        state.currentPlaceName = "甲";
        QVERIFY(advancePicture(state) == nullptr);
        QCOMPARE(state.currentIndex, 0);
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registered =
    galewarden::test::registerQtTest<galewarden::IconRotationTest>("IconRotationTest");
}  // namespace

#include "IconRotationTest.moc"
