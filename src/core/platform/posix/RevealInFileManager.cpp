#include "core/platform/RevealInFileManager.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/FileSystem.h"

extern char** environ;

namespace galewarden {
namespace {

// How long a started tool may take before it counts as having done its work.
constexpr std::chrono::milliseconds kToolWait{8000};
constexpr char kReplyTimeout[] = "--reply-timeout=5000";

// Every byte but the unreserved ones and "/" is escaped, so no "," reaches dbus-send, which
// would read it as the start of the next array element.
std::string fileUri(const std::string& nativeAbsolute) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char c : nativeAbsolute) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') ||
                           std::string_view("/-._~").find(c) != std::string_view::npos;
        if (plain) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0x0F];
        }
    }
    return uri;
}

// Quiet standard streams and default signal handling for the tool; searched on PATH, never
// through a shell.
pid_t spawnTool(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t child = -1;
    if (posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ) != 0) {
        child = -1;
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// True when the tool ended successfully, or is still at work after kToolWait (an opener that
// stays with the file manager it started); such a child is reaped on a thread of its own.
bool toolSucceeded(pid_t child) {
    const auto deadline = std::chrono::steady_clock::now() + kToolWait;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (ended < 0 && errno != EINTR) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::thread([child] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

bool runTool(std::vector<std::string> arguments) {
    const pid_t child = spawnTool(std::move(arguments));
    return child > 0 && toolSucceeded(child);
}

// The freedesktop.org file-manager interface selects the item; a folder opener only opens.
bool showItem(const std::string& uri) {
    return runTool({"dbus-send", "--session", "--print-reply", kReplyTimeout,
                    "--dest=org.freedesktop.FileManager1", "--type=method_call",
                    "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1.ShowItems",
                    "array:string:" + uri, "string:"});
}

}  // namespace

bool revealInFileManager(std::string_view path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(nativePath(path), error);
    if (error || absolute.empty()) {
        return false;
    }
    if (showItem(fileUri(absolute.string()))) {
        return true;
    }
    return runTool({"xdg-open", fileUri(absolute.parent_path().string())});
}

}  // namespace galewarden
