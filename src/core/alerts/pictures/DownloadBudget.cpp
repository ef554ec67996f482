#include "core/alerts/pictures/DownloadBudget.h"

namespace galewarden {

DownloadBudget::DownloadBudget(std::stop_token passStop, std::chrono::milliseconds budget)
    : passStopped_(std::move(passStop), RequestStop{source_}),
      timer_([this, budget](std::stop_token destroyed) {
          std::unique_lock lock(mutex_);
          // Wakes early only when the budget is destroyed, its downloads done.
          if (!ended_.wait_for(lock, destroyed, budget, [] { return false; }) &&
              !destroyed.stop_requested()) {
              source_.request_stop();
          }
      }) {}

}  // namespace galewarden
