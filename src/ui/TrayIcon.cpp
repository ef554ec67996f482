#include "ui/TrayIcon.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "core/alerts/classify/SignalColour.h"
#include "ui/TrayPictures.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

// Notification servers show pictures of about this size.
constexpr int kNoticePictureSize = 64;

QIcon iconOf(int level) {
    return QIcon(QPixmap::fromImage(trayPicture(level)));
}

// "红色预警生效中 [Ⅰ级/特别严重]"
QString captionOf(int level) {
    const std::string& colour = colourCharacter(level);
    return toQString(colour) + QStringLiteral("色预警生效中 [") + toQString(levelName(colour)) +
           QStringLiteral("]");
}

// Qt's XEmbed icon window, on a tray without an alpha channel, means to show the panel through
// the picture's transparent corners by copying the panel from the screen; it paints its own
// grey first, and that is what it copies. Without that grey the panel shows through.
void letThePanelShowThrough() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("QSystemTrayIconSys") &&
            !window->testAttribute(Qt::WA_TranslucentBackground)) {
            window->setAttribute(Qt::WA_NoSystemBackground);
        }
    }
}

}  // namespace

TrayIcon::TrayIcon(QString titleText, QTimer& hideTimer, QDBusConnection bus)
    : menu_(std::make_unique<QMenu>()),
      tray_(this),
      title_(std::move(titleText)),
      hideTimer_(hideTimer),
      notices_(std::move(bus)) {
    tray_.setIcon(iconOf(kNoColour));
    tray_.setToolTip(QStringLiteral("未获取到预警信息"));
    buildMenu();
    tray_.setContextMenu(menu_.get());
    connect(&tray_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    connect(&hideTimer_, &QTimer::timeout, this, &TrayIcon::hideTrayIcon);
    connect(&notices_, &DesktopNotices::detailsRequested, this, &TrayIcon::viewRequested);
    connect(&notices_, &DesktopNotices::undelivered, this, &TrayIcon::showInBalloon);
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::buildMenu() {
    header_ = menu_->addAction(QStringLiteral("·气象台正在发布预警信号·"));
    header_->setObjectName(QStringLiteral("trayHeader"));
    header_->setEnabled(false);
    header_->setVisible(false);
    menu_->addAction(QStringLiteral("&V.查看"), this, &TrayIcon::viewRequested);
    history_ = menu_->addAction(QStringLiteral("&H.历史预警"), this, &TrayIcon::historyRequested);
    history_->setObjectName(QStringLiteral("trayHistory"));
    history_->setVisible(false);
    menu_->addAction(QStringLiteral("&S.设置"), this, &TrayIcon::settingsRequested);
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("&X.关闭"), this, &TrayIcon::exitRequested);
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) {
        emit viewRequested();
    }
}

bool TrayIcon::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::showAtStart() {
    caption_.clear();
    showToolTip();
    showInTray();
    hideTimer_.start(kHideMilliseconds);
}

void TrayIcon::showTrayForColour(int highestColour) {
    if (!isColourLevel(highestColour)) {
        setHeaderVisible(false);
        showTrayNeutral();
        return;
    }
    setHeaderVisible(true);
    hideTimer_.stop();
    const QString caption = captionOf(highestColour);
    tray_.setIcon(iconOf(highestColour));
    header_->setText(caption);
    caption_ = caption;
    colour_ = highestColour;
    showToolTip();
    showInTray();
}

void TrayIcon::showTrayNeutral() {
    if (!tray_.isVisible() || hideTimer_.isActive()) {
        return;
    }
    tray_.setIcon(iconOf(kNoColour));
    caption_.clear();
    colour_ = kNoColour;
    showToolTip();
    hideTimer_.start(kHideMilliseconds);
}

void TrayIcon::showInTray() {
    if (!tray_.isVisible()) {
        tray_.show();
        letThePanelShowThrough();
    }
}

void TrayIcon::hideTrayIcon() {
    hideTimer_.stop();
    tray_.hide();
}

void TrayIcon::setHeaderVisible(bool visible) {
    header_->setVisible(visible);
}

void TrayIcon::showBalloon(const std::string& title, const std::string& body) {
    const BalloonTexts texts = fittedBalloon(title, body);
    notices_.show({texts.title, texts.body, colour_, trayPicture(colour_, kNoticePictureSize)});
}

void TrayIcon::showInformation(const QString& title, const QString& body) {
    notices_.show({fittedTo(title, kBalloonTitleBytes),
                   fittedTo(body, kBalloonBodyBytes),
                   kNoColour,
                   {},
                   false});
}

// Where no notification server took it: Qt's own balloon beside the icon.
void TrayIcon::showInBalloon(const Notice& notice) {
    tray_.showMessage(notice.title, notice.body,
                      notice.opensDetails ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information,
                      kBalloonMilliseconds);
}

void TrayIcon::showFetchHealth(const FetchHealth& health) {
    fetchNote_ = fetchFailureNote(health, QDateTime::currentDateTime());
    showToolTip();
}

// The caption (or, without warnings, the title) first, the failure note second.
void TrayIcon::showToolTip() {
    QStringList lines{caption_.isEmpty() ? title_ : caption_};
    if (!fetchNote_.isEmpty()) {
        lines << fetchNote_;
    }
    if (!caption_.isEmpty()) {
        lines << title_;
    }
    tray_.setToolTip(lines.join(QLatin1Char('\n')));
}

QString TrayIcon::fetchFailureNote(const FetchHealth& health, const QDateTime& now) {
    if (!health.failed) {
        return {};
    }
    if (!health.lastGoodFetch) {
        return QStringLiteral("获取预警数据失败，尚未成功获取过");
    }
    const QDateTime last =
        QDateTime::fromMSecsSinceEpoch(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           health.lastGoodFetch->time_since_epoch())
                                           .count());
    const QString format =
        last.date() == now.date() ? QStringLiteral("HH:mm") : QStringLiteral("M月d日 HH:mm");
    return QStringLiteral("获取预警数据失败，上次成功获取于 ") + last.toString(format);
}

bool TrayIcon::isVisible() const {
    return tray_.isVisible();
}

QString TrayIcon::toolTip() const {
    return tray_.toolTip();
}

QIcon TrayIcon::icon() const {
    return tray_.icon();
}

void TrayIcon::setHistoryShown(bool shown) {
    history_->setVisible(shown);
}

QMenu& TrayIcon::menu() const {
    return *menu_;
}

TrayIcon::BalloonTexts TrayIcon::fittedBalloon(std::string_view title, std::string_view body) {
    return {fittedTo(shownText(title), kBalloonTitleBytes),
            fittedTo(shownText(body), kBalloonBodyBytes)};
}

}  // namespace galewarden
