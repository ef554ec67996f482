#pragma once

#include <QObject>

#include "core/alerts/RefreshView.h"

namespace galewarden {

// Hands the calls of a refresh pass from its worker thread to the interface thread, in their
// order, where `target` applies them. Calls still queued when this object goes are dropped.
class QtRefreshView : public QObject, public RefreshView {
    Q_OBJECT

  public:
    explicit QtRefreshView(RefreshView& target, QObject* parent = nullptr);

    void showStatus(const StatusLine& status) override;
    void setRefreshInterval(int milliseconds) override;
    void presentResult(const RefreshResult& result) override;
    void updateIconWindowVisibility() override;
    void applyIconWindowSettings() override;
    void showFetchHealth(const FetchHealth& health) override;

  private:
    template <typename Call>
    void post(Call call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    }

    RefreshView& target_;
};

}  // namespace galewarden
