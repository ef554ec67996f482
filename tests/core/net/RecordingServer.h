#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace galewarden::test {

// A raw HTTP server on loopback: keeps the exact bytes of every request (header block and a
// Content-Length body) and answers each with the same canned response, then closes.
class RecordingServer {
  public:
    explicit RecordingServer(std::string response);
    ~RecordingServer();
    RecordingServer(const RecordingServer&) = delete;
    RecordingServer& operator=(const RecordingServer&) = delete;

    int port() const { return port_; }
    std::string url(std::string_view path) const;
    std::vector<std::string> requests() const;

  private:
    void serve();
    void answer(int connection);

    std::string response_;
    int listener_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace galewarden::test
