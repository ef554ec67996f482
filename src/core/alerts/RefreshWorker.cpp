#include "core/alerts/RefreshWorker.h"

#include <condition_variable>
#include <exception>
#include <mutex>

#include "core/platform/CrashSignals.h"
#include "core/platform/FatalError.h"
#include "core/platform/ProcessMemory.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr int kEscapedFailureCode = 2;

void runGuarded(const RefreshWorker::Pass& pass, std::stop_token stop) {
    try {
        pass(std::move(stop));
    } catch (const std::exception& failure) {
        raiseFatalError(kEscapedFailureCode,
                        gbFromUtf8("刷新时出现未处理的错误：") + gbFromUtf8(failure.what()));
    } catch (...) {
        raiseFatalError(kEscapedFailureCode, gbFromUtf8("刷新时出现未处理的错误。"));
    }
}

}  // namespace

struct RefreshWorker::Run {
    std::stop_source stop;
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;

    bool hasFinished() {
        std::lock_guard lock(mutex);
        return finished;
    }
};

RefreshWorker::RefreshWorker(Pass pass) : pass_(std::move(pass)) {}

RefreshWorker::~RefreshWorker() {
    if (thread_.joinable()) {
        run_->stop.request_stop();
        thread_.join();
    }
}

bool RefreshWorker::start() {
    if (running()) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();  // the previous pass has finished; reap its thread
    }
    auto run = std::make_shared<Run>();
    thread_ = std::thread([run, pass = pass_] {
        const ThreadFaultStack faultStack;
        runGuarded(pass, run->stop.get_token());
        returnFreeMemory();
        {
            std::lock_guard lock(run->mutex);
            run->finished = true;
        }
        run->ended.notify_all();
    });
    run_ = std::move(run);
    return true;
}

bool RefreshWorker::running() const {
    return run_ && !run_->hasFinished();
}

bool RefreshWorker::stop(std::chrono::milliseconds limit) {
    if (!thread_.joinable()) {
        return true;
    }
    run_->stop.request_stop();
    std::unique_lock lock(run_->mutex);
    if (!run_->ended.wait_for(lock, limit, [&] { return run_->finished; })) {
        thread_.detach();
        return false;
    }
    lock.unlock();
    thread_.join();
    return true;
}

}  // namespace galewarden
