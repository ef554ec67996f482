#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <future>
#include <memory>

#include "app/SingleInstance.h"
#include "core/platform/PrivateSockets.h"
#include "support/QtTestRegistry.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using namespace std::chrono_literals;
using Claim = SingleInstance::Claim;

// A later start runs on its own thread, as in its own process: the instance it talks to
// answers from this thread's event loop.
std::future<Claim> claimElsewhere(
    const std::string& directory, bool afterRestart, std::chrono::milliseconds patience = 10s,
    SingleInstance::Request request = SingleInstance::Request::comeForward) {
    return std::async(std::launch::async, [directory, afterRestart, patience, request] {
        SingleInstance later(directory);
        return later.claim(afterRestart, patience, request);
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

// A process of another user (nobody) listening at `path` and answering like an instance; only
// root can make one. Its process id, or −1.
pid_t startForeignListener(const QString& path) {
    int ready[2];
    if (::pipe(ready) != 0) {
        return -1;
    }
    const QByteArray native = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child == 0) {
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, native.constData(), sizeof address.sun_path - 1);
        // Bound as root in the private directory, listening as nobody: the peer a client sees.
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::setgid(65534) != 0 || ::setuid(65534) != 0 || ::listen(listener, 8) != 0) {
            ::_exit(1);
        }
        (void)!::write(ready[1], "x", 1);
        for (;;) {
            const int peer = ::accept(listener, nullptr, nullptr);
            (void)!::write(peer, "ok\n", 3);
        }
    }
    char byte = 0;
    const bool started = child > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    ::close(ready[1]);
    return started ? child : -1;
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private slots:
    // Another user must not be able to take the name first: it lies in a directory only this
    // user can make names in.
    void theSocketLivesWhereOnlyTheUserMakesNames() {
        const test::TestHome home;
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        const std::filesystem::path open = home.path() / "open";
        std::filesystem::create_directory(open);
        std::filesystem::permissions(open, std::filesystem::perms::all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(open.string()));
        const QString name = instanceServerName(home.text());
        QVERIFY2(!name.startsWith(QString::fromStdString(open.string())), qPrintable(name));
        struct stat folder {};
        QCOMPARE(::lstat(QFile::encodeName(QFileInfo(name).path()).constData(), &folder), 0);
        QVERIFY(S_ISDIR(folder.st_mode));
        QCOMPARE(folder.st_uid, ::geteuid());
        QCOMPARE(folder.st_mode & 077, 0u);

        const std::filesystem::path own = home.path() / "own";
        std::filesystem::create_directory(own);
        std::filesystem::permissions(own, std::filesystem::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(own.string()));
        QCOMPARE(QFileInfo(instanceServerName(home.text())).path(),
                 QString::fromStdString(own.string()));
        qputenv("XDG_RUNTIME_DIR", saved);
    }

    // A listener of another user at the name is never taken for the instance.
    void aListenerOfAnotherUserIsNeverTrusted() {
        if (::geteuid() != 0) {
            QSKIP("only root can listen as another user");
        }
        const test::TestHome home;
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        const std::filesystem::path runtime = home.path() / "runtime";
        std::filesystem::create_directory(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.string()));
        const pid_t foreign = startForeignListener(instanceServerName(home.text()));
        QVERIFY(foreign > 0);
        SingleInstance instance(home.text());
        const Claim claim = instance.claim(false);
        ::kill(foreign, SIGKILL);
        ::waitpid(foreign, nullptr, 0);
        QCOMPARE(claim, Claim::running);
        QLocalSocket socket;
        socket.connectToServer(instanceServerName(home.text()));
        QVERIFY(socket.waitForConnected(1000));
        QVERIFY(peerIsThisUser(socket.socketDescriptor()));
        qputenv("XDG_RUNTIME_DIR", saved);
    }

    void aSecondStartBringsTheFirstForwardAndEnds() {
        const test::TestHome home;
        SingleInstance first(home.text());
        QCOMPARE(first.claim(false), Claim::running);
        QSignalSpy forward(&first, &SingleInstance::comeForwardRequested);
        auto second = claimElsewhere(home.text(), false);
        QCOMPARE(waitFor(second), Claim::handedOver);
        QCOMPARE(forward.size(), 1);
    }

    // "galewarden ~reset" while it runs: the running one resets, after the asker has its answer.
    void aSecondStartWithResetHandsTheResetOver() {
        const test::TestHome home;
        SingleInstance first(home.text());
        QCOMPARE(first.claim(false), Claim::running);
        QSignalSpy forward(&first, &SingleInstance::comeForwardRequested);
        QSignalSpy reset(&first, &SingleInstance::resetRequested);
        auto second = claimElsewhere(home.text(), false, 10s, SingleInstance::Request::reset);
        QCOMPARE(waitFor(second), Claim::handedOver);
        QTRY_COMPARE(reset.size(), 1);
        QCOMPARE(forward.size(), 0);
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
[[maybe_unused]] const bool registeredSingleInstanceTest =
    galewarden::test::registerQtTest<galewarden::SingleInstanceTest>("SingleInstanceTest");
}  // namespace

#include "SingleInstanceTest.moc"
