#include "settings/editors/BackgroundCall.h"
#include "core/platform/CrashSignals.h"

#include <QMetaObject>
#include <QObject>
#include <utility>

namespace galewarden {

bool BackgroundCall::start(Work work) {
    if (running_) {
        return false;
    }
    // The previous work has delivered, so its thread is at its very end.
    if (thread_.joinable()) {
        thread_.join();
    }
    running_ = true;
    thread_ = std::jthread([this, work = std::move(work)](std::stop_token stop) {
        const ThreadFaultStack faultStack;
        Delivery delivery = work(std::move(stop));
        QMetaObject::invokeMethod(
            receiver_, [this, delivery = std::move(delivery)] { finish(delivery); },
            Qt::QueuedConnection);
    });
    return true;
}

void BackgroundCall::abandon(std::function<void()> ended) {
    if (!running_) {
        ended();
        return;
    }
    ended_ = std::move(ended);
    thread_.request_stop();
}

void BackgroundCall::finish(const Delivery& delivery) {
    running_ = false;
    if (ended_) {
        std::exchange(ended_, {})();
        return;
    }
    if (delivery) {
        delivery();
    }
}

}  // namespace galewarden
