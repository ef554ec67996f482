#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include "core/platform/FileLock.h"
#include "core/platform/PrivateSockets.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 3000;
constexpr std::chrono::milliseconds kPollInterval(100);
constexpr qint64 kLongestLine = 64;
const QByteArray kComeForward = "show\n";
const QByteArray kReset = "reset\n";
const QByteArray kDone = "ok\n";

}  // namespace

SingleInstance::SingleInstance(const std::string& configDirectory, QObject* parent)
    : QObject(parent),
      name_(instanceServerName(configDirectory)),
      lockPath_(configDirectory + "/.galewarden-instance.lock") {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_.nextPendingConnection()) {
            answer(peer);
        }
    });
}

SingleInstance::Claim SingleInstance::claim(bool afterRestart, std::chrono::milliseconds patience,
                                            Request request) {
    if (afterRestart) {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (answers()) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return Claim::stillEnding;
            }
            QThread::msleep(static_cast<unsigned long>(kPollInterval.count()));
        }
    }
    // Two starts at once must not both find no one and both serve.
    const FileLock lock(lockPath_);
    if (answers()) {
        // One that answers but does not come forward is hung, not gone: no second one either.
        (void)ask(request);
        return Claim::handedOver;
    }
    serve();
    return Claim::running;
}

// A listener of another user at the name is no instance of ours: it is never asked anything,
// and this process serves in its place.
bool SingleInstance::connectToInstance(QLocalSocket& socket) const {
    socket.connectToServer(name_);
    return socket.waitForConnected(kConnectMs) && peerIsThisUser(socket.socketDescriptor());
}

bool SingleInstance::answers() const {
    QLocalSocket socket;
    const bool connected = connectToInstance(socket);
    socket.abort();
    return connected;
}

bool SingleInstance::ask(Request request) const {
    QLocalSocket socket;
    if (!connectToInstance(socket)) {
        return false;
    }
    socket.write(request == Request::reset ? kReset : kComeForward);
    if (!socket.waitForBytesWritten(kAnswerMs)) {
        return false;
    }
    while (!socket.canReadLine() && socket.waitForReadyRead(kAnswerMs)) {
    }
    return socket.readLine(kLongestLine) == kDone;
}

// A socket left by a program that crashed answers no one: it is removed first.
bool SingleInstance::serve() {
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void SingleInstance::answer(QLocalSocket* peer) {
    connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
        if (!peer->canReadLine()) {
            if (peer->bytesAvailable() > kLongestLine) {
                peer->abort();
            }
            return;
        }
        const QByteArray line = peer->readLine(kLongestLine);
        if (line == kComeForward) {
            emit comeForwardRequested();
            peer->write(kDone);
        } else if (line == kReset) {
            // The reset asks its question later, from the main loop: never inside this handler
            // and never while the asker waits.
            QMetaObject::invokeMethod(
                this, [this] { emit resetRequested(); }, Qt::QueuedConnection);
            peer->write(kDone);
        }
        peer->disconnectFromServer();
    });
}

QString instanceServerName(const std::string& configDirectory) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QDir::homePath().toUtf8());
    hash.addData(QByteArrayView("\n"));
    hash.addData(toQString(configDirectory).toUtf8());
    const QString name =
        QStringLiteral("galewarden-") + QString::fromLatin1(hash.result().toHex().left(16));
    const std::string directory = privateSocketDirectory();
    return directory.empty() ? name : toQString(directory) + QLatin1Char('/') + name;
}

}  // namespace galewarden
