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
// runs or can be started: under the program's name and desktop entry, urgent by colour, each
// replacing the program's previous one instead of piling up, and reporting a click.
class DesktopNotices : public QObject {
    Q_OBJECT

  public:
    static constexpr int kTimeoutMs = 20000;
    // The desktop entry the server looks up for the program's name and icon.
    static constexpr char kDesktopEntry[] = "cn.galewarden.Galewarden";

    explicit DesktopNotices(QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);

    // Whether the bus has a notification server now, or can start one.
    bool available() const;
    void show(const Notice& notice);

    // The urgency levels of the desktop notification protocol: red is critical, orange
    // and yellow normal, the rest low.
    enum class Urgency : unsigned char { low = 0, normal = 1, critical = 2 };
    static Urgency urgencyOf(int colourLevel);

  signals:
    // A notice that opens the details was clicked.
    void detailsRequested();

  private slots:
    void onActionInvoked(uint id, const QString& action);

  private:
    QDBusConnection bus_;
    uint shownId_ = 0;
    bool shownOpensDetails_ = false;
};

}  // namespace galewarden
