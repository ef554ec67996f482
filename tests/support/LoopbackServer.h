#pragma once

#include <httplib.h>

#include <string>
#include <thread>

namespace galewarden::test {

// A cpp-httplib server on 127.0.0.1 and a free port, listening on its own thread from
// construction (add handlers first through `server()` before `start()`) until destruction.
class LoopbackServer {
  public:
    LoopbackServer() = default;
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

  private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

}  // namespace galewarden::test
