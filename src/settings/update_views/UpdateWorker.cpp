#include "settings/update_views/UpdateWorker.h"
#include "core/platform/CrashSignals.h"

#include <QMetaObject>
#include <QObject>
#include <condition_variable>
#include <mutex>

namespace galewarden {

struct UpdateWorker::Run {
    std::stop_source stop;
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
    QObject* receiver = nullptr;  // null once the worker has gone

    // Under the lock, so that the worker's destructor cannot pass between the test and the
    // posting; the receiver's own destruction then drops what is still queued.
    void deliver(std::function<void()> result) {
        std::lock_guard lock(mutex);
        finished = true;
        if (receiver != nullptr) {
            QMetaObject::invokeMethod(receiver, std::move(result), Qt::QueuedConnection);
        }
        ended.notify_all();
    }
};

UpdateWorker::UpdateWorker(QObject& receiver) : receiver_(receiver) {}

UpdateWorker::~UpdateWorker() {
    if (!thread_.joinable()) {
        return;
    }
    std::unique_lock lock(run_->mutex);
    run_->receiver = nullptr;
    run_->stop.request_stop();
    if (run_->ended.wait_for(lock, kStopWait, [&] { return run_->finished; })) {
        lock.unlock();
        thread_.join();
    } else {
        lock.unlock();
        thread_.detach();
    }
}

bool UpdateWorker::busy() const {
    if (!run_) {
        return false;
    }
    std::lock_guard lock(run_->mutex);
    return !run_->finished;
}

bool UpdateWorker::launch(Work work) {
    if (busy()) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();  // finished: only its last steps remain
    }
    auto run = std::make_shared<Run>();
    run->receiver = &receiver_;
    thread_ = std::thread([run, work = std::move(work)] {
        const ThreadFaultStack faultStack;
        std::function<void()> result = work(run->stop.get_token());
        run->deliver(std::move(result));
    });
    run_ = std::move(run);
    return true;
}

}  // namespace galewarden
