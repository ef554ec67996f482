#pragma once

#include "core/alerts/RefreshResult.h"
#include "core/alerts/RefreshState.h"

namespace galewarden {

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
};

}  // namespace galewarden
