#include "core/alerts/RefreshWorker.h"

namespace galewarden {

RefreshWorker::RefreshWorker(Pass pass) : pass_(std::move(pass)) {}

RefreshWorker::~RefreshWorker() {
    stop();
}

bool RefreshWorker::start() {
    if (running_.exchange(true)) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();  // the previous pass has finished; reap its thread
    }
    thread_ = std::jthread([this](std::stop_token stop) {
        pass_(stop);
        running_ = false;
    });
    return true;
}

void RefreshWorker::stop() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

}  // namespace galewarden
