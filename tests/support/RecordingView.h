#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/alerts/RefreshView.h"
#include "support/TestHome.h"

namespace galewarden::test {

// Records every call of a pass as a short UTF-8 line, in order.
class RecordingView : public RefreshView {
  public:
    void showStatus(const StatusLine& status) override {
        calls.push_back((status.error ? "error: " : "status: ") + utf8(status.text));
    }
    void setRefreshInterval(int milliseconds) override {
        calls.push_back("interval: " + std::to_string(milliseconds));
    }
    void presentResult(const RefreshResult& result) override {
        calls.push_back("result");
        lastResult = result;
    }
    void updateIconWindowVisibility() override { calls.push_back("visibility"); }
    void applyIconWindowSettings() override { calls.push_back("icon settings"); }
    void showFetchHealth(const FetchHealth& health) override { lastHealth = health; }

    std::vector<std::string> calls;
    std::optional<RefreshResult> lastResult;
    std::optional<FetchHealth> lastHealth;
};

}  // namespace galewarden::test
