#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>
#include <string>
#include <string_view>

#include "core/alerts/RefreshView.h"
#include "ui/DesktopNotices.h"

class QAction;
class QMenu;
class QTimer;

namespace galewarden {

// The notification-area icon: the most severe colour in force, its tooltip, the menu (view,
// settings, close) and the balloon notices. Texts in are GB18030.
class TrayIcon : public QObject {
    Q_OBJECT

  public:
    static constexpr int kHideMilliseconds = 120000;
    static constexpr int kBalloonMilliseconds = 20000;
    // Room for text in the balloon's fields, in UTF-8 bytes.
    static constexpr int kBalloonTitleBytes = 63;
    static constexpr int kBalloonBodyBytes = 255;

    struct BalloonTexts {
        QString title;
        QString body;
    };

    // `titleText` is the program's title (the tooltip without warnings). The program owns
    // `hideTimer`; this icon starts it, stops it and hides itself when it fires. Notices go to
    // the notification server on `bus`.
    TrayIcon(QString titleText, QTimer& hideTimer,
             QDBusConnection bus = QDBusConnection::sessionBus());
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // False without a notification area (no tray host on the desktop): nothing shows then,
    // yet every call below still works, so the program only has to say so.
    bool available() const;

    // Monitoring starts: the title as tooltip, the icon shown, gone again after two minutes
    // unless warnings arrive first.
    void showAtStart();
    // Picture, menu header and tooltip for the most severe colour, 1 白 … 5 红; any other
    // value hides the header and turns neutral.
    void showTrayForColour(int highestColour);
    // Once per change to no warnings: only while shown and not already counting down to
    // hiding, the neutral picture and the title tooltip, and the count-down starts.
    void showTrayNeutral();
    void hideTrayIcon();
    void setHeaderVisible(bool visible);
    // Through the desktop's notification server where one runs, else Qt's balloon; a click on
    // a warning's notice asks to view, as a click on the icon does.
    void showBalloon(const std::string& title, const std::string& body);
    // A notice that is no warning (a new version), with the information icon.
    void showInformation(const QString& title, const QString& body);
    // After a failed pass the tooltip's second line says so, with the last good fetch.
    void showFetchHealth(const FetchHealth& health);

    bool isVisible() const;
    QString toolTip() const;
    QIcon icon() const;
    QMenu& menu() const;
    // The "&H.历史预警" entry, there while a history is kept ([History] Days above 0).
    void setHistoryShown(bool shown);

    // The balloon's title and body cut to their fields at whole characters.
    static BalloonTexts fittedBalloon(std::string_view title, std::string_view body);
    // The tooltip's line for `health` at `now`: empty unless the last pass failed.
    static QString fetchFailureNote(const FetchHealth& health, const QDateTime& now);

  signals:
    void viewRequested();
    void settingsRequested();
    void historyRequested();
    void exitRequested();

  private:
    void buildMenu();
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void showToolTip();
    void showInTray();
    void showInBalloon(const Notice& notice);

    // The menu outlives the icon that points at it.
    std::unique_ptr<QMenu> menu_;
    QSystemTrayIcon tray_;
    QAction* header_ = nullptr;
    QAction* history_ = nullptr;
    QString title_;
    // The colour caption while warnings are in force, and the failure note; either may be empty.
    QString caption_;
    QString fetchNote_;
    int colour_ = 0;  // the colour shown, for the notices
    QTimer& hideTimer_;
    DesktopNotices notices_;
};

}  // namespace galewarden
