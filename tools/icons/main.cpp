// galewarden-icons OUTDIR NAME SIZE...: the application icon as hicolor PNGs,
// OUTDIR/SIZExSIZE/apps/NAME.png, drawn by the tray's own picture code so that the launcher
// and the tray show the same diamond.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <string>

#include "core/alerts/classify/SignalColour.h"
#include "ui/TrayPictures.h"

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc < 4) {
        std::fputs("usage: galewarden-icons OUTDIR NAME SIZE...\n", stderr);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
        // Orange: the colour the program stands for without alarming like red.
        const QImage icon = galewarden::trayPicture(galewarden::kOrange, size);
        if (!QDir().mkpath(dir) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "galewarden-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
