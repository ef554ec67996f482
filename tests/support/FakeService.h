#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "support/LoopbackServer.h"

namespace galewarden::test {

// A stand-in alert service whose answers the tests set.
class FakeService {
  public:
    FakeService() {
        server_.server().Get(".*",
                             [this](const httplib::Request& request, httplib::Response& response) {
                                 std::unique_lock lock(mutex_);
                                 requests_.push_back(request.target);
                                 referers_.push_back(request.get_header_value("Referer"));
                                 const auto detail = details_.find(request.target);
                                 if (detail != details_.end()) {
                                     holdWhileAsked(lock);
                                     response.set_content(detail->second, "application/json");
                                     return;
                                 }
                                 response.status = status_;
                                 response.set_content(answer_, "application/json");
                             });
        server_.start();
    }

    void answer(std::string body, int status = 200) {
        std::lock_guard lock(mutex_);
        answer_ = std::move(body);
        status_ = status;
    }
    void detail(const std::string& target, std::string body) {
        std::lock_guard lock(mutex_);
        details_[target] = std::move(body);
    }
    std::vector<std::string> requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::vector<std::string> referers() {
        std::lock_guard lock(mutex_);
        return referers_;
    }
    // While held, a detail request waits until released.
    void holdDetails(bool hold) {
        std::lock_guard lock(mutex_);
        hold_ = hold;
        changed_.notify_all();
    }
    void waitForHeldDetail() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return held_; });
    }
    std::string base() const { return server_.base(); }
    void stop() { server_.stop(); }

  private:
    void holdWhileAsked(std::unique_lock<std::mutex>& lock) {
        held_ = hold_;
        changed_.notify_all();
        changed_.wait(lock, [&] { return !hold_; });
        held_ = false;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    bool hold_ = false;
    bool held_ = false;
    std::string answer_;
    int status_ = 200;
    std::map<std::string, std::string> details_;
    std::vector<std::string> requests_;
    std::vector<std::string> referers_;
    LoopbackServer server_;  // last: its handlers use the members above until it stops
};

}  // namespace galewarden::test
