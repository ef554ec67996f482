#pragma once

#include <httplib.h>

#include <string>
#include <string_view>
#include <thread>

namespace galewarden::test {

// A cpp-httplib server on 127.0.0.1 and a free port, listening on a thread of its own until
// stopped or destroyed.
class LoopbackServer {
  public:
    // Owns its server: add handlers through `server()`, then `start()`.
    LoopbackServer();
    // Runs a server set up by the caller (an SSLServer too), starting at once.
    explicit LoopbackServer(httplib::Server& server, std::string scheme = "http");
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    httplib::Server& server() { return server_; }
    // Binds, starts listening and waits until the server accepts connections.
    void start();
    void stop();

    int port() const { return port_; }
    // "http://127.0.0.1:PORT"
    std::string base() const;
    std::string url(std::string_view path) const { return base() + std::string(path); }

  private:
    httplib::Server owned_;
    httplib::Server& server_;
    std::string scheme_ = "http";
    std::thread thread_;
    int port_ = 0;
};

}  // namespace galewarden::test
