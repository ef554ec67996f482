#include "app/ErrorReportHelper.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
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
    writeHtmlStage(ConfigStore(), kStageCrashed);
    const bool restart = restartAfterCrash(call.firstCycleDone, call.previousCrash, crash);
    if (restart) {
        startAgain(call.executable, crash);
    }
    int applicationArgc = 1;
    QApplication application(applicationArgc, argv);
    QApplication::beep();
    if (!restart) {
        MessageBox::ask({call.versionText,
                         QStringLiteral("软件首次监测预警时出错，请检查软件工作环境及配置文件。"),
                         MessageIcon::error});
    }
    return 0;
}

}  // namespace galewarden
