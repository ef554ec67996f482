#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/DisplayPlatform.h"
#include "app/ErrorReportHelper.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "core/platform/ProcessMemory.h"
#include "core/platform/ProgramPaths.h"
#include "ui/ApplicationIdentity.h"
#include "ui/MessageBox.h"
#include "ui/QtTranslation.h"

namespace {

// A restart's flag is this start's alone: a later restart sets it anew.
bool takeRestartFlag() {
    const bool restarting = qEnvironmentVariableIsSet(galewarden::kRestartVariable);
    qunsetenv(galewarden::kRestartVariable);
    return restarting;
}

void sayThePreviousInstanceDidNotEnd() {
    std::fputs("galewarden: the previous instance did not end within 10 seconds\n", stderr);
    galewarden::MessageBox::ask(
        {QStringLiteral("Galewarden"),
         QStringLiteral("正在运行的Galewarden未能在10秒内退出，无法重新启动。\n请稍后再启动程序。"),
         galewarden::MessageIcon::exclamation, galewarden::MessageButtons::ok,
         galewarden::MessageAnswer::ok, nullptr});
}

}  // namespace

int main(int argc, char** argv) {
    galewarden::reuseLargeBuffers();
    galewarden::preferPlaceableWindows();
    if (galewarden::isErrorReportHelperCall(argc, argv)) {
        return galewarden::runErrorReportHelper(argc, argv);
    }
    QApplication application(argc, argv);
    galewarden::nameTheApplication();
    if (!galewarden::useChineseQtTexts()) {
        std::fputs("galewarden: Qt's Chinese translation (qtbase_zh_CN) is not installed\n",
                   stderr);
    }
    // The program lives in the tray: closing its windows does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    // A "~reset" while the program runs is the running program's to carry out.
    const auto request = galewarden::asksForReset(arguments)
                             ? galewarden::SingleInstance::Request::reset
                             : galewarden::SingleInstance::Request::comeForward;
    galewarden::SingleInstance instance(galewarden::configDirectory());
    switch (instance.claim(takeRestartFlag(), std::chrono::seconds(10), request)) {
        case galewarden::SingleInstance::Claim::handedOver:
            return 0;
        case galewarden::SingleInstance::Claim::stillEnding:
            sayThePreviousInstanceDidNotEnd();
            return 1;
        case galewarden::SingleInstance::Claim::running:
            break;
    }
    int status = 0;
    bool clean = true;
    {
        galewarden::Program program(arguments);
        QObject::connect(&instance, &galewarden::SingleInstance::comeForwardRequested, &program,
                         &galewarden::Program::comeForward);
        QObject::connect(&instance, &galewarden::SingleInstance::resetRequested, &program,
                         [&program] { program.resetAndRestart(nullptr); });
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
