#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string temporaryNameFor(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

}  // namespace

// File names on this system are UTF-8.
std::filesystem::path nativePath(std::string_view path) {
    return std::filesystem::path(utf8FromGb(path));
}

std::string pathText(const std::filesystem::path& path) {
    return gbFromUtf8(path.string());
}

bool replaceFile(std::string_view path, std::string_view bytes) {
    const std::string target = nativePath(path).string();
    const std::string temporary = temporaryNameFor(target);
    struct stat existing {};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

FileStamp fileStamp(std::string_view path) {
    struct stat status {};
    if (::stat(nativePath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    return {
        true, static_cast<std::int64_t>(status.st_size),
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

bool renameWithoutReplacing(std::string_view from, std::string_view to) {
    const std::string source = nativePath(from).string();
    const std::string target = nativePath(to).string();
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // The file system cannot rename without replacing: check first, accepting the race.
    struct stat existing {};
    return ::stat(target.c_str(), &existing) != 0 && ::rename(source.c_str(), target.c_str()) == 0;
}

}  // namespace galewarden
