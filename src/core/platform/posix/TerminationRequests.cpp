#include "core/platform/TerminationRequests.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace galewarden {
namespace {

int requestPipe[2] = {-1, -1};

// Only write(2) here: the handler may interrupt anything.
void onTerminationRequest(int) {
    const int saved = errno;
    const char byte = 1;
    (void)!::write(requestPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

int watchTerminationRequests() {
    if (requestPipe[0] != -1) {
        return requestPipe[0];
    }
    if (::pipe2(requestPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return -1;
    }
    struct sigaction action {};
    action.sa_handler = &onTerminationRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
    return requestPipe[0];
}

void drainTerminationRequests() {
    char drained[64];
    while (requestPipe[0] != -1 && ::read(requestPipe[0], drained, sizeof drained) > 0) {
    }
}

}  // namespace galewarden
