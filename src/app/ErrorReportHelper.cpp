#include "app/ErrorReportHelper.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <optional>
#include <string_view>

#include "app/CrashLoopGuard.h"
#include "core/alerts/outputs/HtmlPage.h"
#include "core/config/ConfigStore.h"
#include "core/platform/CrashActions.h"
#include "ui/MessageBox.h"

namespace galewarden {
namespace {

constexpr int kArgumentCount = 5;

struct HelperCall {
    QString executable;
    QString versionText;
    bool firstCycleDone = false;
    std::optional<std::int64_t> previousCrash;
};

HelperCall helperCall(char** argv) {
    return {QFile::decodeName(argv[0]), QString::fromUtf8(argv[2]),
            std::string_view(argv[3]) == "1", crashMomentFromText(argv[4])};
}

// A restart that cannot start is left at that, as the crash's other failures are.
void startAgain(const QString& executable, std::int64_t crash) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kRestartedAfterCrashVariable), QString::number(crash));
    QProcess process;
    process.setProgram(executable);
    process.setProcessEnvironment(environment);
    process.startDetached();
}

bool displayReachable() {
#ifdef _WIN32
    return true;
#else
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#endif
}

}  // namespace

std::vector<std::string> errorReportHelperCommandLine(const std::string& executable,
                                                      const std::string& versionText,
                                                      bool firstCycleDone,
                                                      std::optional<std::int64_t> previousCrash) {
    return {executable, kErrorReportHelperArgument, versionText, firstCycleDone ? "1" : "0",
            previousCrash ? std::to_string(*previousCrash) : std::string()};
}

bool isErrorReportHelperCall(int argc, char** argv) {
    return argc == kArgumentCount && std::string_view(argv[1]) == kErrorReportHelperArgument;
}

// The helper starts at once, so its start stands for the moment of the crash.
int runErrorReportHelper(int argc, char** argv) {
    const std::int64_t crash = crashSteadyMilliseconds();
    if (!isErrorReportHelperCall(argc, argv)) {
        return 1;
    }
    const HelperCall call = helperCall(argv);
    // The beep comes first; without a display there is no one to beep at or tell, and the page
    // and the restart must not wait on one.
    std::optional<QApplication> application;
    int applicationArgc = 1;
    if (displayReachable()) {
        application.emplace(applicationArgc, argv);
        QApplication::beep();
    }
    writeHtmlStage(ConfigStore(), kStageCrashed);
    const AfterCrash after = afterCrash(call.firstCycleDone, call.previousCrash, crash);
    if (after == AfterCrash::restart) {
        startAgain(call.executable, crash);
    } else if (application) {
        MessageBox::ask(
            {call.versionText, QString::fromUtf8(afterCrashMessage(after)), MessageIcon::error});
    }
    return 0;
}

}  // namespace galewarden
