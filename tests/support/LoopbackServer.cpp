#include "support/LoopbackServer.h"

#include <chrono>

namespace galewarden::test {

LoopbackServer::LoopbackServer() : server_(owned_) {}

LoopbackServer::LoopbackServer(httplib::Server& server, std::string scheme)
    : server_(server), scheme_(std::move(scheme)) {
    start();
}

LoopbackServer::~LoopbackServer() {
    stop();
}

void LoopbackServer::start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // Stopping works only once the accept loop runs.
    while (!server_.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void LoopbackServer::stop() {
    if (thread_.joinable()) {
        server_.stop();
        thread_.join();
    }
}

std::string LoopbackServer::base() const {
    return scheme_ + "://127.0.0.1:" + std::to_string(port_);
}

}  // namespace galewarden::test
