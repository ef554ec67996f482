#include "ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace galewarden {

bool useChineseQtTexts() {
    // Lives as long as the application: the translator must outlast every text it gives.
    static QTranslator* translator = nullptr;
    if (translator != nullptr) {
        return true;
    }
    auto* loaded = new QTranslator(QCoreApplication::instance());
    // Qt's installed translations; a copy beside the program where it brings its own Qt.
    const QString places[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    for (const QString& place : places) {
        if (loaded->load(QStringLiteral("qtbase_zh_CN"), place) &&
            QCoreApplication::installTranslator(loaded)) {
            translator = loaded;
            return true;
        }
    }
    delete loaded;
    return false;
}

}  // namespace galewarden
