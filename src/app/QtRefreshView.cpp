#include "app/QtRefreshView.h"

namespace galewarden {

QtRefreshView::QtRefreshView(RefreshView& target, QObject* parent)
    : QObject(parent), target_(target) {}

void QtRefreshView::showStatus(const StatusLine& status) {
    post([this, status] { target_.showStatus(status); });
}

void QtRefreshView::setRefreshInterval(int milliseconds) {
    post([this, milliseconds] { target_.setRefreshInterval(milliseconds); });
}

void QtRefreshView::presentResult(const RefreshResult& result) {
    post([this, result] { target_.presentResult(result); });
}

void QtRefreshView::updateIconWindowVisibility() {
    post([this] { target_.updateIconWindowVisibility(); });
}

void QtRefreshView::applyIconWindowSettings() {
    post([this] { target_.applyIconWindowSettings(); });
}

void QtRefreshView::showFetchHealth(const FetchHealth& health) {
    post([this, health] { target_.showFetchHealth(health); });
}

}  // namespace galewarden
