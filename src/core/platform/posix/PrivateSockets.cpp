#include "core/platform/PrivateSockets.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace galewarden {
namespace {

// This user's directory, which no one else may change: no link, owned by this user, no write
// permission for group or others.
bool isPrivateDirectory(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::string privateSocketDirectory() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && isPrivateDirectory(runtime)) {
        return runtime;
    }
    const std::string fallback = "/tmp/galewarden-" + std::to_string(::geteuid());
    // mkdir fails on anything already there, which must then pass the same test.
    (void)::mkdir(fallback.c_str(), S_IRWXU);
    return isPrivateDirectory(fallback) ? fallback : std::string();
}

bool peerIsThisUser(std::intptr_t socketDescriptor) {
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    return ::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials,
                        &size) == 0 &&
           credentials.uid == ::geteuid();
}

}  // namespace galewarden
