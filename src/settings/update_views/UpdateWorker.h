#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <utility>

class QObject;

namespace galewarden {

// Runs one job at a time on a thread of its own and hands its result to the thread of
// `receiver` (the interface thread), where `done` runs. A result that arrives after the worker
// or the receiver has gone is dropped. Used for the network work of the update check and of
// the icon-pack page.
class UpdateWorker {
  public:
    static constexpr std::chrono::milliseconds kStopWait{3000};

    explicit UpdateWorker(QObject& receiver);
    // Asks a running job to stop and waits at most kStopWait for it; a job still running then
    // is left to end on its own, so a job must own what it uses (or use what outlives it).
    ~UpdateWorker();
    UpdateWorker(const UpdateWorker&) = delete;
    UpdateWorker& operator=(const UpdateWorker&) = delete;

    // False, starting nothing, while a job runs.
    template <typename Job, typename Done>
    bool start(Job job, Done done) {
        return launch([job = std::move(job), done = std::move(done)](
                          std::stop_token stop) mutable -> std::function<void()> {
            return [done = std::move(done), result = job(std::move(stop))]() mutable {
                done(std::move(result));
            };
        });
    }

    bool busy() const;

  private:
    struct Run;
    using Work = std::function<std::function<void()>(std::stop_token)>;

    bool launch(Work work);

    QObject& receiver_;
    std::shared_ptr<Run> run_;
    std::thread thread_;
};

}  // namespace galewarden
