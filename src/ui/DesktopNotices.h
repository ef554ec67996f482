#pragma once

#include <QDBusConnection>
#include <QImage>
#include <QObject>
#include <QString>

namespace galewarden {

// A notice as the program states it.
struct Notice {
    QString title;
    QString body;
    // 1 白 … 5 红 decides the urgency; any other value is an announcement without a colour.
    int colourLevel = 0;
    QImage picture;
    // A click on it opens the details window.
    bool opensDetails = true;
};

// Notices through the desktop's notification server (org.freedesktop.Notifications), where one
// runs or the bus can start one: under the program's name and desktop entry, urgent by colour,
// each replacing the program's previous one instead of piling up, and reporting a click. The
// interface thread never waits on the bus: a notice no server took comes back as undelivered.
class DesktopNotices : public QObject {
    Q_OBJECT

  public:
    static constexpr int kTimeoutMs = 20000;
    // The desktop entry the server looks up for the program's name and icon.
    static constexpr char kDesktopEntry[] = "cn.galewarden.Galewarden";

    explicit DesktopNotices(QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);

    void show(const Notice& notice);

    // The urgency levels of the desktop notification protocol: red is critical, orange
    // and yellow normal, the rest low.
    enum class Urgency : unsigned char { low = 0, normal = 1, critical = 2 };
    static Urgency urgencyOf(int colourLevel);

  signals:
    // A notice that opens the details was clicked.
    void detailsRequested();
    // No server took the notice (no bus, or none on it): the caller shows it another way.
    void undelivered(const galewarden::Notice& notice);

  private slots:
    void onActionInvoked(uint id, const QString& action);

  private:
    QDBusConnection bus_;
    uint shownId_ = 0;
    bool shownOpensDetails_ = false;
};

}  // namespace galewarden
