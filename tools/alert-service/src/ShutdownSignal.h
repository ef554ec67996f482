#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace galewarden::alertservice {

// Raised once when the service stops, so that handlers that wait on purpose let it stop at once.
class ShutdownSignal {
  public:
    void raise() {
        {
            std::lock_guard lock(mutex_);
            raised_ = true;
        }
        changed_.notify_all();
    }

    // Waits up to `period`; true once the signal is raised.
    bool waitFor(std::chrono::milliseconds period) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, period, [this] { return raised_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool raised_ = false;
};

}  // namespace galewarden::alertservice
