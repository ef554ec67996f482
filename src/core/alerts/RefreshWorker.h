#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

namespace galewarden {

// Runs each refresh pass on a thread of its own, one at a time. A failure that escapes a pass
// goes to the process's fatal-error handler.
class RefreshWorker {
  public:
    using Pass = std::function<void(std::stop_token)>;

    explicit RefreshWorker(Pass pass);
    // Asks a running pass to stop and waits for it, unless an earlier stop gave up on it.
    ~RefreshWorker();
    RefreshWorker(const RefreshWorker&) = delete;
    RefreshWorker& operator=(const RefreshWorker&) = delete;

    // Starts a pass unless one is still running; false when one is.
    [[nodiscard]] bool start();
    bool running() const;

    // Asks a running pass to stop and waits at most `limit` for it. False when it is still
    // running: it is then left to end on its own (a plug-in may block it for ever), so whatever
    // the pass uses must be owned by the pass itself.
    [[nodiscard]] bool stop(std::chrono::milliseconds limit);

  private:
    struct Run;

    Pass pass_;
    std::shared_ptr<Run> run_;
    std::thread thread_;
};

}  // namespace galewarden
