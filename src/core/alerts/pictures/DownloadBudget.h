#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

namespace galewarden {

// One overall time for the picture downloads of a pass, so that a picture server that stalls
// never holds back the warnings: once it has run out, or the pass is stopped, its token asks
// every download to stop; the built-in picture stands in and a later pass fetches again.
class DownloadBudget {
  public:
    static constexpr std::chrono::milliseconds kPerPass{5000};

    DownloadBudget(std::stop_token passStop, std::chrono::milliseconds budget = kPerPass);
    DownloadBudget(const DownloadBudget&) = delete;
    DownloadBudget& operator=(const DownloadBudget&) = delete;

    std::stop_token token() const { return source_.get_token(); }

  private:
    struct RequestStop {
        std::stop_source source;
        void operator()() const noexcept { source.request_stop(); }
    };

    std::stop_source source_;
    std::stop_callback<RequestStop> passStopped_;
    std::mutex mutex_;
    std::condition_variable_any ended_;
    std::jthread timer_;  // last: stopped and joined before the members it uses go
};

}  // namespace galewarden
