#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden {

// File names on this system are UTF-8.
std::filesystem::path nativePath(std::string_view path) {
    return std::filesystem::path(utf8FromGb(path));
}

std::string pathText(const std::filesystem::path& path) {
    return gbFromUtf8(path.string());
}

FileStamp fileStamp(std::string_view path) {
    struct stat status {};
    if (::stat(nativePath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    const auto nanoseconds = [](const timespec& time) {
        return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return {true,
            static_cast<std::int64_t>(status.st_size),
            nanoseconds(status.st_mtim),
            nanoseconds(status.st_ctim),
            static_cast<std::uint64_t>(status.st_dev),
            static_cast<std::uint64_t>(status.st_ino)};
}

bool isWritableDirectory(std::string_view path) {
    const std::string native = nativePath(path).string();
    struct stat status {};
    return ::stat(native.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           ::access(native.c_str(), W_OK | X_OK) == 0;
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
