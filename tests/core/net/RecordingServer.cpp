#include "RecordingServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "core/text/TextSearch.h"

namespace galewarden::test {
namespace {

std::size_t contentLength(const std::string& head) {
    const int at = findText(head, "\r\nContent-Length:", 1, Case::Ignore);
    if (at == -1) {
        return 0;
    }
    return std::strtoul(head.c_str() + at - 1 + 17, nullptr, 10);
}

// The header block and the body it announces, or what arrived before the peer stopped.
std::string readRequest(int connection) {
    std::string received;
    char buffer[4096];
    std::size_t headEnd = std::string::npos;
    while (headEnd == std::string::npos ||
           received.size() < headEnd + 4 + contentLength(received.substr(0, headEnd))) {
        const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) {
            break;
        }
        received.append(buffer, static_cast<std::size_t>(n));
        headEnd = received.find("\r\n\r\n");
    }
    return received;
}

}  // namespace

RecordingServer::RecordingServer(std::string response) : response_(std::move(response)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("no loopback socket");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

RecordingServer::~RecordingServer() {
    shutdown(listener_, SHUT_RDWR);  // wakes the blocked accept
    thread_.join();
    close(listener_);
}

std::string RecordingServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> RecordingServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RecordingServer::serve() {
    for (;;) {
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection < 0) {
            return;
        }
        answer(connection);
        close(connection);
    }
}

void RecordingServer::answer(int connection) {
    std::string request = readRequest(connection);
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(std::move(request));
    }
    send(connection, response_.data(), response_.size(), MSG_NOSIGNAL);
}

}  // namespace galewarden::test
