#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <chrono>
#include <string>

namespace galewarden {

// One running program per user and configuration. The first start serves a local socket; a
// later one asks it to come forward and ends.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    enum class Claim {
        running,     // this process is the instance (or no socket could be served: runs alone)
        handedOver,  // another instance runs and was asked to come forward
        stillEnding  // after a restart, the previous instance did not end in time
    };

    // What a later start asks of the running instance: to come forward, or, started with
    // "~reset", to reset.
    enum class Request { comeForward, reset };

    // For the configuration in `configDirectory`.
    explicit SingleInstance(const std::string& configDirectory, QObject* parent = nullptr);

    // After a restart the previous instance is still ending: it is waited for up to
    // `patience` instead of being asked to come forward.
    Claim claim(bool afterRestart, std::chrono::milliseconds patience = std::chrono::seconds(10),
                Request request = Request::comeForward);

  signals:
    void comeForwardRequested();
    void resetRequested();

  private:
    bool connectToInstance(QLocalSocket& socket) const;
    bool answers() const;
    bool ask(Request request) const;
    bool serve();
    void answer(QLocalSocket* peer);

    QString name_;
    std::string lockPath_;
    QLocalServer server_;
};

// The socket's name for the user (told by the home directory) and the configuration, in a
// directory where only the user can make names (privateSocketDirectory) where there is one.
QString instanceServerName(const std::string& configDirectory);

}  // namespace galewarden
