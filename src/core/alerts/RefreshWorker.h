#pragma once

#include <atomic>
#include <functional>
#include <stop_token>
#include <thread>

namespace galewarden {

// Runs each refresh pass on a thread of its own. Destroying the worker asks a running pass to
// stop and waits for it, instead of killing the thread in the middle of its work.
class RefreshWorker {
  public:
    using Pass = std::function<void(std::stop_token)>;

    explicit RefreshWorker(Pass pass);
    ~RefreshWorker();
    RefreshWorker(const RefreshWorker&) = delete;
    RefreshWorker& operator=(const RefreshWorker&) = delete;

    // Starts a pass unless one is still running; false when one is.
    bool start();
    bool running() const { return running_; }
    // Asks a running pass to stop and waits until it has.
    void stop();

  private:
    Pass pass_;
    std::atomic<bool> running_{false};
    std::jthread thread_;
};

}  // namespace galewarden
