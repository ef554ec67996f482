#pragma once

#include <chrono>
#include <optional>

#include "core/alerts/RefreshResult.h"
#include "core/alerts/RefreshState.h"

namespace galewarden {

// How the last pass ended, for a sign outside the details window: failed or not, and when an
// answer last arrived that could be used (none yet: empty).
struct FetchHealth {
    bool failed = false;
    std::optional<std::chrono::system_clock::time_point> lastGoodFetch;
};

// Everything the refresh pass does to windows and timers. The pass calls these from its
// worker thread in order; a window implementation posts them to its own thread keeping that
// order.
class RefreshView {
  public:
    virtual ~RefreshView() = default;

    virtual void showStatus(const StatusLine& status) = 0;
    // The refresh timer's interval in milliseconds; 0 stops it.
    virtual void setRefreshInterval(int milliseconds) = 0;
    // The end of a processed pass (typically: presentRefreshResult on the interface thread).
    virtual void presentResult(const RefreshResult& result) = 0;
    virtual void updateIconWindowVisibility() = 0;
    virtual void applyIconWindowSettings() = 0;
    // Last of a pass that got as far as an answer or a refusal; a stopped pass does not call it.
    virtual void showFetchHealth(const FetchHealth& /*health*/) {}
};

}  // namespace galewarden
