#include "ui/DesktopNotices.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <utility>

#include "core/alerts/classify/SignalColour.h"

namespace galewarden {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");

// The "image-data" hint: raw RGBA rows.
struct NoticeImage {
    QImage rgba;
};

QDBusArgument& operator<<(QDBusArgument& argument, const NoticeImage& image) {
    const QImage& rgba = image.rgba;
    argument.beginStructure();
    argument << rgba.width() << rgba.height() << static_cast<int>(rgba.bytesPerLine()) << true << 8
             << 4
             << QByteArray(reinterpret_cast<const char*>(rgba.constBits()),
                           static_cast<qsizetype>(rgba.sizeInBytes()));
    argument.endStructure();
    return argument;
}

// Only ever sent; a received one is not read.
const QDBusArgument& operator>>(const QDBusArgument& argument, NoticeImage&) {
    return argument;
}

}  // namespace
}  // namespace galewarden

Q_DECLARE_METATYPE(galewarden::NoticeImage)

namespace galewarden {

DesktopNotices::DesktopNotices(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    qDBusRegisterMetaType<NoticeImage>();
    bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
}

DesktopNotices::Urgency DesktopNotices::urgencyOf(int colourLevel) {
    switch (colourLevel) {
        case kRed:
            return Urgency::critical;
        case kOrange:
        case kYellow:
            return Urgency::normal;
        default:
            return Urgency::low;
    }
}

void DesktopNotices::show(const Notice& notice) {
    if (!bus_.isConnected()) {
        emit undelivered(notice);
        return;
    }
    const Urgency urgency = urgencyOf(notice.colourLevel);
    QVariantMap hints{
        {QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry)},
        {QStringLiteral("urgency"), QVariant::fromValue(static_cast<uchar>(urgency))}};
    if (!notice.picture.isNull()) {
        hints.insert(QStringLiteral("image-data"),
                     QVariant::fromValue(
                         NoticeImage{notice.picture.convertToFormat(QImage::Format_RGBA8888)}));
    }
    const QStringList actions =
        notice.opensDetails ? QStringList{kDefaultAction, QStringLiteral("查看")} : QStringList{};
    // A critical notice stays as long as the server decides.
    const int timeout = urgency == Urgency::critical ? -1 : kTimeoutMs;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Galewarden") << shownId_ << QString() << notice.title << notice.body
         << actions << hints << timeout;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notice](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                finished->deleteLater();
                if (!reply.isValid()) {
                    emit undelivered(notice);
                    return;
                }
                shownId_ = reply.value();
                shownOpensDetails_ = notice.opensDetails;
            });
}

void DesktopNotices::onActionInvoked(uint id, const QString& action) {
    if (id == shownId_ && id != 0 && shownOpensDetails_ && action == kDefaultAction) {
        emit detailsRequested();
    }
}

}  // namespace galewarden
