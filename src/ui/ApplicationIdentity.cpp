#include "ui/ApplicationIdentity.h"

#include <QGuiApplication>

#include "ui/DesktopNotices.h"

namespace galewarden {

void nameTheApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Galewarden"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopNotices::kDesktopEntry));
}

}  // namespace galewarden
