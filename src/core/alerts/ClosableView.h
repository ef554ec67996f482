#pragma once

#include <mutex>

#include "core/alerts/RefreshView.h"

namespace galewarden {

// Passes calls on to the real view until it is closed; a pass that outlives its engine then
// talks to nobody.
class ClosableView : public RefreshView {
  public:
    explicit ClosableView(RefreshView& view) : view_(&view) {}

    void close() {
        std::lock_guard lock(mutex_);
        view_ = nullptr;
    }

    void showStatus(const StatusLine& status) override {
        forward([&](RefreshView& view) { view.showStatus(status); });
    }
    void setRefreshInterval(int milliseconds) override {
        forward([&](RefreshView& view) { view.setRefreshInterval(milliseconds); });
    }
    void presentResult(const RefreshResult& result) override {
        forward([&](RefreshView& view) { view.presentResult(result); });
    }
    void updateIconWindowVisibility() override {
        forward([](RefreshView& view) { view.updateIconWindowVisibility(); });
    }
    void applyIconWindowSettings() override {
        forward([](RefreshView& view) { view.applyIconWindowSettings(); });
    }
    void showFetchHealth(const FetchHealth& health) override {
        forward([&](RefreshView& view) { view.showFetchHealth(health); });
    }

  private:
    template <typename Call>
    void forward(Call call) {
        std::lock_guard lock(mutex_);
        if (view_ != nullptr) {
            call(*view_);
        }
    }

    std::mutex mutex_;
    RefreshView* view_;
};

}  // namespace galewarden
