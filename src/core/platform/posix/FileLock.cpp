#include "core/platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/platform/FileSystem.h"

namespace galewarden {
namespace {

// flock locks any open file, so a lock file that is not writable for this user still serves.
int openLockFile(const char* path) {
    const int fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    return fd >= 0 ? fd : ::open(path, O_RDONLY | O_CLOEXEC);
}

bool lockOpenFile(int fd) {
    int locked = 0;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    return locked == 0;
}

// The last holder may have removed the file this one waited on, and another process may
// already hold a new one at the path.
bool stillAtPath(int fd, const char* path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path, &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

FileLock::FileLock(std::string_view path) : path_(nativePath(path)) {
    for (;;) {
        const int fd = openLockFile(path_.c_str());
        if (fd < 0) {
            return;
        }
        if (!lockOpenFile(fd)) {
            ::close(fd);
            return;
        }
        if (stillAtPath(fd, path_.c_str())) {
            handle_ = fd;
            return;
        }
        ::close(fd);
    }
}

// Removed while still locked, so that no one can lock this file once it is gone. Where the
// folder forbids it the file stays and serves the next holder as it is.
FileLock::~FileLock() {
    if (held()) {
        ::unlink(path_.c_str());
        ::close(static_cast<int>(handle_));
    }
}

}  // namespace galewarden
