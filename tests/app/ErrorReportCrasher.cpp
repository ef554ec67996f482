// A program that installs the error report and fails as it is told, for the crash tests. The
// report starts it again as its own helper, and the helper may restart it.
//
//   error_report_crasher MODE first-cycle-done|first-cycle-pending
//     MODE: segv, stack-overflow, stack-overflow-in-refresh, abort, fatal-error-on-worker,
//           throw-on-thread
//   Before it fails it opens $GALEWARDEN_HOME/held-open, to be closed on exec or not.
//   As the helper: message boxes are answered from an empty script, and each request is
//     appended to $GALEWARDEN_HOME/messages as "title<TAB>text<TAB>icon"; a descriptor of
//     held-open that came with it is noted in $GALEWARDEN_HOME/inherited.
//   Without arguments (restarted): appends "restarted after=<variable>" to
//     $GALEWARDEN_HOME/restarts; when $GALEWARDEN_HOME/crash-when-restarted exists, removes it
//     and fails with segv after a completed refresh.
#include <fcntl.h>
#include <galewarden/Version.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

#include "app/CrashLoopGuard.h"
#include "app/ErrorReport.h"
#include "app/ErrorReportHelper.h"
#include "core/alerts/RefreshWorker.h"
#include "core/platform/FatalError.h"
#include "core/text/CodePage.h"
#include "ui/MessageBox.h"

namespace {

using namespace galewarden;

std::filesystem::path homeFile(const char* name) {
    const char* home = std::getenv("GALEWARDEN_HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / name;
}

void appendLine(const char* name, const std::string& line) {
    std::ofstream(homeFile(name), std::ios::app | std::ios::binary) << line << '\n';
}

volatile std::uintptr_t unmappedAddress = 64;
volatile int recursionEnd = -1;

void writeToUnmappedMemory() {
    *reinterpret_cast<volatile int*>(unmappedAddress) = 1;
}

[[gnu::noinline]] int recurse(int depth) {
    volatile char block[1024];
    block[0] = static_cast<char>(depth);
    if (depth == recursionEnd) {
        return block[0];
    }
    return recurse(depth + 1) + block[0];
}

void fail(std::string_view mode) {
    if (mode == "segv") {
        writeToUnmappedMemory();
    } else if (mode == "stack-overflow") {
        recurse(0);
    } else if (mode == "stack-overflow-in-refresh") {
        RefreshWorker worker([](std::stop_token) { recurse(0); });
        (void)worker.start();
        (void)worker.stop(std::chrono::minutes(1));
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "fatal-error-on-worker") {
        std::thread([] { raiseFatalError(1, gbFromUtf8("找不到插件的 RefreshA 函数")); }).join();
    } else if (mode == "throw-on-thread") {
        std::thread([] { throw std::runtime_error("boom"); }).join();
    }
}

// Like a lock file of the crashed program, which must die with it.
void holdAFileOpen() {
    ::open(homeFile("held-open").c_str(), O_RDONLY | O_CREAT, 0600);
}

void noteInheritedFiles() {
    const std::filesystem::path held = homeFile("held-open");
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        if (std::filesystem::read_symlink(entry.path(), error) == held) {
            appendLine("inherited", entry.path().string());
        }
    }
}

void installAndFail(const char* executable, std::string_view mode, bool firstCycleDone) {
    holdAFileOpen();
    const ProgramInfo info{kVersionText, std::string("Galewarden ") + kVersionText,
                           std::chrono::steady_clock::now()};
    installErrorReport(info, gbFromUtf8(executable),
                       gbFromUtf8(std::filesystem::path(executable).parent_path().string()));
    updateErrorReport({2, 3, 7, firstCycleDone, R"({"alerts":"\u4e2d"})"});
    fail(mode);
}

int runHelper(int argc, char** argv) {
    noteInheritedFiles();
    MessageBox::scriptAnswers({});
    const int status = runErrorReportHelper(argc, argv);
    for (const MessageRequest& request : MessageBox::asked()) {
        appendLine("messages", (request.title + '\t' + request.text + '\t' +
                                (request.icon == MessageIcon::error ? "error" : "other"))
                                   .toStdString());
    }
    return status;
}

int runRestarted(const char* executable) {
    const char* after = std::getenv(kRestartedAfterCrashVariable);
    appendLine("restarts", std::string("restarted after=") + (after != nullptr ? after : ""));
    if (std::filesystem::remove(homeFile("crash-when-restarted"))) {
        installAndFail(executable, "segv", true);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (isErrorReportHelperCall(argc, argv)) {
        return runHelper(argc, argv);
    }
    if (argc == 1) {
        return runRestarted(argv[0]);
    }
    if (argc == 3) {
        installAndFail(argv[0], argv[1], std::string_view(argv[2]) == "first-cycle-done");
    }
    return 2;
}
