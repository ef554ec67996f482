#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <future>
#include <memory>

#include "app/SingleInstance.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using namespace std::chrono_literals;
using Claim = SingleInstance::Claim;

// A later start runs on its own thread, as in its own process: the instance it talks to
// answers from this thread's event loop.
std::future<Claim> claimElsewhere(const std::string& directory, bool afterRestart,
                                  std::chrono::milliseconds patience = 10s) {
    return std::async(std::launch::async, [directory, afterRestart, patience] {
        SingleInstance later(directory);
        return later.claim(afterRestart, patience);
    });
}

// Keeps this thread's event loop going meanwhile; the claim ends within its own time limits.
Claim waitFor(std::future<Claim>& claim) {
    while (claim.wait_for(0s) != std::future_status::ready) {
        QTest::qWait(20);
    }
    return claim.get();
}

bool answers(const std::string& directory) {
    QLocalSocket socket;
    socket.connectToServer(instanceServerName(directory));
    return socket.waitForConnected(500);
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private slots:
    void aSecondStartBringsTheFirstForwardAndEnds() {
        const test::TestHome home;
        SingleInstance first(home.text());
        QCOMPARE(first.claim(false), Claim::running);
        QSignalSpy forward(&first, &SingleInstance::comeForwardRequested);
        auto second = claimElsewhere(home.text(), false);
        QCOMPARE(waitFor(second), Claim::handedOver);
        QCOMPARE(forward.size(), 1);
    }

    void anotherConfigurationIsAnotherInstance() {
        const test::TestHome home;
        const test::TestHome otherHome;
        SingleInstance first(home.text());
        QCOMPARE(first.claim(false), Claim::running);
        auto other = claimElsewhere(otherHome.text(), false);
        QCOMPARE(waitFor(other), Claim::running);
    }

    void aRestartWaitsForThePreviousInstanceToEnd() {
        const test::TestHome home;
        auto first = std::make_unique<SingleInstance>(home.text());
        QCOMPARE(first->claim(false), Claim::running);
        QSignalSpy forward(first.get(), &SingleInstance::comeForwardRequested);
        auto restarted = claimElsewhere(home.text(), true);
        QTest::qWait(500);
        QVERIFY(restarted.wait_for(0s) == std::future_status::timeout);
        first.reset();
        QCOMPARE(waitFor(restarted), Claim::running);
        QCOMPARE(forward.size(), 0);
    }

    void aRestartGivesUpWhenThePreviousInstanceDoesNotEnd() {
        const test::TestHome home;
        SingleInstance first(home.text());
        QCOMPARE(first.claim(false), Claim::running);
        auto restarted = claimElsewhere(home.text(), true, 300ms);
        QCOMPARE(waitFor(restarted), Claim::stillEnding);
        QVERIFY(answers(home.text()));
    }

    // Two processes of the real program: the second start ends at once; after the first one is
    // killed, its socket is left behind and a new start serves in its place.
    void theProgramHandsOverAndOutlivesACrashedInstance() {
        const test::TestHome home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        auto start = [&] {
            auto process = std::make_unique<QProcess>();
            process->setProcessEnvironment(environment);
            process->setProgram(QStringLiteral(GALEWARDEN_PROGRAM));
            process->start();
            return process;
        };
        const auto first = start();
        QTRY_VERIFY_WITH_TIMEOUT(answers(home.text()), 20'000);

        const auto second = start();
        QVERIFY(second->waitForFinished(20'000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);

        first->kill();
        QVERIFY(first->waitForFinished(5'000));
        QVERIFY(!answers(home.text()));
        const auto third = start();
        QTRY_VERIFY_WITH_TIMEOUT(answers(home.text()), 20'000);
        QCOMPARE(third->state(), QProcess::Running);
        third->terminate();
        QVERIFY(third->waitForFinished(10'000));
    }
};

}  // namespace galewarden

namespace {
[[maybe_unused]] const bool registered =
    galewarden::test::registerQtTest<galewarden::SingleInstanceTest>("SingleInstanceTest");
}  // namespace

#include "SingleInstanceTest.moc"
