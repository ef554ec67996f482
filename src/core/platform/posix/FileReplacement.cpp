#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "core/platform/FileSystem.h"
#include "core/platform/TemporarySiblings.h"

namespace galewarden {
namespace {

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

// The file a chain of links finally names; it need not exist yet. A loop is left to fail with
// ELOOP when the file is opened.
std::filesystem::path finalTarget(std::filesystem::path path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code error;
        const std::filesystem::path link = std::filesystem::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

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

// The kernel lets root write anything; a file that carries no write bit at all is read-only
// for everyone, root included, as the user who took every write bit away meant it.
bool userMayWrite(const std::string& target, const struct stat& status) {
    return (status.st_mode & 0222) != 0 &&
           ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

// Owner first: a change of owner clears the set-user-ID and set-group-ID bits.
bool takeOver(int fd, const struct stat* existing) {
    if (existing == nullptr) {
        return true;
    }
    struct stat fresh {};
    if (::fstat(fd, &fresh) != 0) {
        return false;
    }
    const bool sameOwner = fresh.st_uid == existing->st_uid && fresh.st_gid == existing->st_gid;
    return (sameOwner || ::fchown(fd, existing->st_uid, existing->st_gid) == 0) &&
           ::fchmod(fd, existing->st_mode & 07777) == 0;
}

enum class Beside { Replaced, NotHere, Failed };

// NotHere: the folder takes no new file, or the new file could not get the old one's owner.
Beside replaceFromBeside(const std::string& target, std::string_view bytes,
                         const struct stat* existing) {
    const std::string temporary = temporarySiblingOf(target, ::getpid()).string();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EACCES || errno == EPERM ? Beside::NotHere : Beside::Failed;
    }
    const bool tookOver = takeOver(fd, existing);
    const bool written = tookOver && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), target.c_str()) == 0) {
        return Beside::Replaced;
    }
    ::unlink(temporary.c_str());
    return tookOver ? Beside::Failed : Beside::NotHere;
}

// Not atomic: a reader may see the file half written and a failure part-way leaves it damaged,
// so this is only the way out when no new file can take its place.
bool rewriteInPlace(const std::string& target, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, bytes) &&
                         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return written && closed;
}

}  // namespace

bool createScratchFile(std::string_view path, std::string_view bytes) {
    const std::string target = nativePath(path).string();
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, bytes);
    if (::close(fd) == 0 && written) {
        return true;
    }
    ::unlink(target.c_str());
    return false;
}

bool replaceFile(std::string_view path, std::string_view bytes) {
    const std::string target = finalTarget(nativePath(path)).string();
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) {
        return errno == ENOENT && replaceFromBeside(target, bytes, nullptr) == Beside::Replaced;
    }
    if (!S_ISREG(existing.st_mode) || !userMayWrite(target, existing)) {
        return false;
    }
    switch (replaceFromBeside(target, bytes, &existing)) {
        case Beside::Replaced:
            return true;
        case Beside::NotHere:
            return rewriteInPlace(target, bytes);
        case Beside::Failed:
            break;
    }
    return false;
}

void removeReplacementLeftovers(std::string_view path) {
    removeTemporarySiblingsOf(finalTarget(nativePath(path)));
}

}  // namespace galewarden
