#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/QtRefreshView.h"
#include "core/alerts/RefreshResult.h"
#include "support/QtTestRegistry.h"
#include "support/RecordingView.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

// Records the calls and the thread each arrived on.
class ThreadRecordingView : public test::RecordingView {
  public:
    void showStatus(const StatusLine& status) override {
        threads.push_back(QThread::currentThread());
        RecordingView::showStatus(status);
    }
    std::vector<QThread*> threads;
};

// One pass's calls, in the order a pass makes them.
void makePassCalls(RefreshView& view, int pass) {
    view.showStatus({test::gb("第") + std::to_string(pass), false});
    view.presentResult(RefreshResult{});
    view.updateIconWindowVisibility();
    view.setRefreshInterval(pass);
    view.applyIconWindowSettings();
}

}  // namespace

class QtRefreshViewTest : public QObject {
    Q_OBJECT

  private slots:
    // A pass on its worker thread: every call reaches the target on the interface thread, in
    // the order the pass made it.
    void callsArriveInOrderOnTheInterfaceThread() {
        ThreadRecordingView target;
        QtRefreshView view(target);
        std::thread worker([&view] {
            for (int pass = 1; pass <= 3; ++pass) {
                makePassCalls(view, pass);
            }
        });
        worker.join();
        QTRY_COMPARE(target.calls.size(), std::size_t{15});
        std::vector<std::string> expected;
        for (int pass = 1; pass <= 3; ++pass) {
            expected.insert(expected.end(),
                            {"status: 第" + std::to_string(pass), "result", "visibility",
                             "interval: " + std::to_string(pass), "icon settings"});
        }
        QCOMPARE(target.calls, expected);
        for (QThread* thread : target.threads) {
            QCOMPARE(thread, QThread::currentThread());
        }
    }

    // Calls still queued when the view goes are dropped, never delivered to a target that may
    // be gone too.
    void pendingCallsAreDroppedWithTheView() {
        test::RecordingView target;
        auto view = std::make_unique<QtRefreshView>(target);
        makePassCalls(*view, 1);
        view.reset();
        QCoreApplication::processEvents();
        QTest::qWait(20);
        QVERIFY(target.calls.empty());
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registeredQtRefreshViewTest =
    galewarden::test::registerQtTest<galewarden::QtRefreshViewTest>("QtRefreshViewTest");
}  // namespace

#include "QtRefreshViewTest.moc"
