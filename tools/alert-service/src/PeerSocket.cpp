#include "PeerSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <string>

namespace galewarden::alertservice {
namespace {

int portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    }
    return -1;
}

int localPort(int socket) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return -1;
    }
    return portOf(address);
}

int peerPort(int socket) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return -1;
    }
    return portOf(address);
}

int descriptorNumber(const std::filesystem::path& entry) {
    const std::string name = entry.filename().string();
    int number = -1;
    std::from_chars(name.data(), name.data() + name.size(), number);
    return number;
}

}  // namespace

int requestSocket(const httplib::Request& request) {
    std::error_code error;
    for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end;
         it.increment(error)) {
        const int socket = descriptorNumber(it->path());
        if (socket >= 0 && localPort(socket) == request.local_port &&
            peerPort(socket) == request.remote_port) {
            return socket;
        }
    }
    return -1;
}

void dropConnection(int socket) {
    ::shutdown(socket, SHUT_RDWR);
}

bool peerHasClosed(int socket) {
    char byte = 0;
    const ssize_t received = ::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return received == 0 || (received < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
}

}  // namespace galewarden::alertservice
