#include "core/platform/CrashActions.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace galewarden {

struct CrashLaunch::Prepared {
    std::vector<std::string> texts;
    std::vector<char*> argv;
    int highestDescriptor = 0;
};

namespace {

std::int64_t readClock(clockid_t clock, std::int64_t perSecond) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * perSecond +
           static_cast<std::int64_t>(now.tv_nsec) / (1'000'000'000 / perSecond);
}

// Files the crashed process held open, locks among them, stay with it.
void closeInheritedFiles(int highestDescriptor) {
    if (close_range(3, ~0U, 0) == 0) {
        return;
    }
    for (int descriptor = 3; descriptor <= highestDescriptor; ++descriptor) {
        close(descriptor);
    }
}

}  // namespace

std::int64_t crashWallSeconds() noexcept {
    return readClock(CLOCK_REALTIME, 1);
}

// The clock of std::chrono::steady_clock, shared by all processes.
std::int64_t crashSteadyMilliseconds() noexcept {
    return readClock(CLOCK_MONOTONIC, 1000);
}

void crashSleepMilliseconds(int milliseconds) noexcept {
    timespec rest{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1'000'000};
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}

void endCrashedProcess() noexcept {
    _exit(255);
}

CrashAppendFile::CrashAppendFile(const std::filesystem::path& path) noexcept
    : handle_(open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666)) {}

CrashAppendFile::~CrashAppendFile() {
    if (handle_ >= 0) {
        close(static_cast<int>(handle_));
    }
}

void CrashAppendFile::write(const char* bytes, std::size_t length) noexcept {
    while (handle_ >= 0 && length > 0) {
        const ssize_t written = ::write(static_cast<int>(handle_), bytes, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
}

CrashLaunch::CrashLaunch(const std::vector<std::string>& commandLine)
    : prepared_(std::make_shared<Prepared>()) {
    prepared_->texts = commandLine;
    for (std::string& text : prepared_->texts) {
        prepared_->argv.push_back(text.data());
    }
    prepared_->argv.push_back(nullptr);
    rlimit files{};
    prepared_->highestDescriptor = getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < 65536
                                       ? static_cast<int>(files.rlim_cur)
                                       : 65536;
}

// _Fork, unlike fork, runs no fork handlers and takes no locks of the C library, which the
// crashed thread may hold. The child only replaces itself.
bool CrashLaunch::start() const noexcept {
    if (!prepared_ || prepared_->argv.size() < 2) {
        return false;
    }
    const pid_t child = _Fork();
    if (child == 0) {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        closeInheritedFiles(prepared_->highestDescriptor);
        execve(prepared_->argv[0], prepared_->argv.data(), environ);
        _exit(127);
    }
    return child > 0;
}

}  // namespace galewarden
