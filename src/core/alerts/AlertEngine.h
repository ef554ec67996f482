#pragma once

#include <chrono>
#include <memory>

#include "core/alerts/RefreshCycle.h"
#include "core/alerts/RefreshWorker.h"

namespace galewarden {

class ConfigStore;
class HttpClient;
class RefreshState;
class RefreshView;

// The engine of the program: configuration, network client, guidance, plug-in, the state that
// lasts between passes, and the worker that runs one pass at a time against the view.
class AlertEngine {
  public:
    static constexpr std::chrono::milliseconds kStopWait{2000};

    // The view must outlive the engine, or stop() must have been called first.
    explicit AlertEngine(RefreshView& view);
    // Stops as stop() does.
    ~AlertEngine();
    AlertEngine(const AlertEngine&) = delete;
    AlertEngine& operator=(const AlertEngine&) = delete;

    // Starts a pass on the worker unless one is running; false when one is.
    bool refreshNow();
    bool refreshing() const;
    // One live pass on the calling thread, for a program without windows.
    RefreshCycle::Outcome runOnce();

    // Asks a running pass to stop and waits at most `limit`. From then on the view hears
    // nothing more. False when the pass is still running (a plug-in that blocks): it ends on
    // its own, with everything it uses, while the caller goes on.
    [[nodiscard]] bool stop(std::chrono::milliseconds limit = kStopWait);

    const ConfigStore& config() const;
    const HttpClient& http() const;
    RefreshState& state();

    // A pass over a saved answer on a state of its own; the live state is never touched.
    RefreshCycle::Outcome checkAnswer(std::string_view answerBytes, RefreshView& view) const;

  private:
    struct Parts;
    // Shared with a running pass, which may outlive the engine.
    std::shared_ptr<Parts> parts_;
    RefreshWorker worker_;
};

}  // namespace galewarden
