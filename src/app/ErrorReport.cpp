#include "app/ErrorReport.h"

#include <QDateTime>
#include <QtGlobal>
#include <array>
#include <atomic>
#include <chrono>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include "app/CrashLoopGuard.h"
#include "app/ErrorReportHelper.h"
#include "core/platform/CrashActions.h"
#include "core/platform/CrashSignals.h"
#include "core/platform/FatalError.h"
#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

// A crash on another thread while one is being reported waits this long for that report
// (which takes milliseconds) before it ends the process itself; so does a crash inside the
// report, which has no one to wait for.
constexpr int kSecondCrashWaitMs = 5000;

struct PreparedCrash {
    PreparedReport report;
    CrashLaunch helper;
};

// Two prepared crashes: updates fill the one not in use and then switch. An update checks
// that no crash has begun, and a crash first marks itself and only then picks the one in use,
// so the one it writes is never changed under it.
struct ReportState {
    std::mutex updateLock;  // never taken by a crash
    bool installed = false;
    std::filesystem::path reportPath;
    std::string versionText;
    std::string executableUtf8;
    std::optional<std::int64_t> previousCrash;
    std::int64_t startedAt = 0;  // on the crash clock
    std::array<PreparedCrash, 2> prepared;
    std::atomic<int> inUse{-1};
    // What the prepared report was made from, and when the clock's offset was last read.
    std::optional<ReportContext> preparedFrom;
    std::chrono::steady_clock::time_point offsetReadAt;
    std::atomic<std::int64_t> utcOffsetSeconds{0};
    std::atomic<bool> crashing{false};
};
static_assert(std::atomic<std::int64_t>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

// Never destroyed: a crash during the process's exit still finds it whole.
ReportState& reportState() {
    static auto* state = new ReportState;
    return *state;
}

std::optional<std::int64_t> takeRestartMoment() {
    const QByteArray text = qgetenv(kRestartedAfterCrashVariable);
    qunsetenv(kRestartedAfterCrashVariable);
    return crashMomentFromText(std::string_view(text.constData(), text.size()));
}

CrashLaunch helperLaunch(const ReportState& state, bool firstCycleDone) {
    return CrashLaunch(errorReportHelperCommandLine(
        state.executableUtf8, utf8FromGb(state.versionText), firstCycleDone, state.previousCrash));
}

// The time zone's offset changes twice a year at most: read once a minute, it costs nothing.
void keepUtcOffset(ReportState& state) {
    const auto now = std::chrono::steady_clock::now();
    if (state.preparedFrom && now - state.offsetReadAt < std::chrono::minutes(1)) {
        return;
    }
    state.offsetReadAt = now;
    state.utcOffsetSeconds.store(QDateTime::currentDateTime().offsetFromUtc());
}

// Once a second with the same context as a second ago, for the most part: made only anew.
void prepare(ReportState& state, const ReportContext& context) {
    keepUtcOffset(state);
    if (state.preparedFrom == context) {
        return;
    }
    const int next = state.inUse.load() == 0 ? 1 : 0;
    state.prepared[static_cast<std::size_t>(next)] = {PreparedReport(state.versionText, context),
                                                      helperLaunch(state, context.firstCycleDone)};
    state.inUse.store(next);
    state.preparedFrom = context;
}

void onCrash(int code, const char* message, std::size_t length) {
    ReportState& state = reportState();
    if (state.crashing.exchange(true)) {
        crashSleepMilliseconds(kSecondCrashWaitMs);
        endCrashedProcess();
    }
    const int inUse = state.inUse.load();
    if (inUse >= 0) {
        const PreparedCrash& prepared = state.prepared[static_cast<std::size_t>(inUse)];
        const CrashFacts facts{crashWallSeconds() + state.utcOffsetSeconds.load(),
                               crashSteadyMilliseconds() - state.startedAt, code,
                               std::string_view(message, length)};
        {
            CrashAppendFile file(state.reportPath);
            prepared.report.write(
                facts, [&file](std::string_view piece) { file.write(piece.data(), piece.size()); });
        }
        prepared.helper.start();
    }
    endCrashedProcess();
}

void onFatalError(int code, const std::string& message) {
    onCrash(code, message.data(), message.size());
}

std::string uncaughtExceptionMessage() {
    std::string message = gbFromUtf8("未处理的异常");
    if (const std::exception_ptr failure = std::current_exception()) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& exception) {
            message += gbFromUtf8("：") + gbFromUtf8(exception.what());
        } catch (...) {
        }
    }
    return message;
}

[[noreturn]] void onTerminate() {
    const std::string message = uncaughtExceptionMessage();
    onCrash(kUncaughtExceptionCode, message.data(), message.size());
    endCrashedProcess();
}

}  // namespace

bool installErrorReport(const ProgramInfo& info, std::string_view executablePath,
                        std::string_view reportDirectory) {
    ReportState& state = reportState();
    {
        std::lock_guard lock(state.updateLock);
        if (state.installed || !nativePath(executablePath).is_absolute()) {
            return false;
        }
        state.installed = true;
        state.reportPath = nativePath(reportDirectory) /
                           (nativePath(executablePath).filename().native() + "_BugReport.txt");
        state.versionText = info.versionText;
        state.executableUtf8 = utf8FromGb(executablePath);
        state.previousCrash = takeRestartMoment();
        const auto running = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - info.started);
        state.startedAt = crashSteadyMilliseconds() - running.count();
        prepare(state, ReportContext{});
    }
    setFatalErrorHandler(onFatalError);
    std::set_terminate(onTerminate);
    return catchFatalFaults(onCrash);
}

void updateErrorReport(const ReportContext& context) {
    ReportState& state = reportState();
    std::lock_guard lock(state.updateLock);
    if (state.installed && !state.crashing.load()) {
        prepare(state, context);
    }
}

}  // namespace galewarden
