#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/ErrorReportHelper.h"
#include "app/Program.h"
#include "core/text/CodePage.h"

int main(int argc, char** argv) {
    if (galewarden::isErrorReportHelperCall(argc, argv)) {
        return galewarden::runErrorReportHelper(argc, argv);
    }
    QApplication application(argc, argv);
    if (!galewarden::codePagesReady()) {
        std::fputs(
            "galewarden: the GB18030 conversion tables could not be built (iconv has no "
            "GB18030)\n",
            stderr);
        return 1;
    }
    // The program lives in the tray: closing its windows does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    int status = 0;
    bool clean = true;
    {
        galewarden::Program program(arguments);
        program.start();
        status = QApplication::exec();
        clean = program.endedCleanly();
    }
    if (!clean) {
        // A refresh pass is still running (a plug-in that never returns): end without it.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
