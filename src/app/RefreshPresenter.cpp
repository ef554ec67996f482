#include "app/RefreshPresenter.h"

#include "app/ProgramTimers.h"
#include "app/WarningSoundPlayer.h"
#include "core/alerts/RefreshState.h"
#include "core/text/CodePage.h"
#include "ui/AlertIconWindow.h"
#include "ui/DetailsWindow.h"
#include "ui/IconDisplay.h"
#include "ui/TrayIcon.h"

namespace galewarden {

RefreshPresenter::RefreshPresenter(Windows windows, IconDisplay& display, ProgramTimers& timers,
                                   WarningSoundPlayer& sound, std::function<void()> afterResult)
    : windows_(windows),
      display_(display),
      timers_(timers),
      sound_(sound),
      afterResult_(std::move(afterResult)) {}

// Without a tray the user cannot reach the menu or see balloons: the status line says so.
void RefreshPresenter::showStatus(const StatusLine& status) {
    if (windows_.tray.available()) {
        windows_.details.setStatus(status);
        return;
    }
    static const std::string note = gbFromUtf8("【无托盘】");
    windows_.details.setStatus({note + status.text, status.error});
}

void RefreshPresenter::setRefreshInterval(int milliseconds) {
    setTimerInterval(timers_.refresh, milliseconds);
}

// The new display replaces the old one whole; the cycle goes on from where it stood. The icon
// window shows or hides for it at once, before the tray, the details text and the balloon.
void RefreshPresenter::presentResult(const RefreshResult& result) {
    display_.takeResult(result.display, result.highestColour, result.anyKept, result.animate);
    updateIconWindowVisibility();
    presentRefreshResult(result, *this);
    if (afterResult_) {
        afterResult_();
    }
}

void RefreshPresenter::updateIconWindowVisibility() {
    if (windows_.icon != nullptr) {
        windows_.icon->updateIconWindowVisibility();
    }
}

void RefreshPresenter::applyIconWindowSettings() {
    if (windows_.icon != nullptr) {
        windows_.icon->applyIconWindowSettings();
    }
}

void RefreshPresenter::showFetchHealth(const FetchHealth& health) {
    windows_.tray.showFetchHealth(health);
}

void RefreshPresenter::setTrayHeaderVisible(bool visible) {
    windows_.tray.setHeaderVisible(visible);
}

void RefreshPresenter::stopTrayHideTimer() {
    timers_.trayHide.stop();
}

void RefreshPresenter::showTrayForColour(int highestColour) {
    windows_.tray.showTrayForColour(highestColour);
}

void RefreshPresenter::showTrayNeutral() {
    windows_.tray.showTrayNeutral();
}

bool RefreshPresenter::rotationRunning() const {
    return timers_.rotation.isActive();
}

void RefreshPresenter::startSwitch() {
    if (windows_.icon != nullptr) {
        windows_.icon->startSwitch();
    }
}

void RefreshPresenter::setRotationInterval(int milliseconds) {
    setTimerInterval(timers_.rotation, milliseconds);
}

void RefreshPresenter::clearDetailPictures() {
    windows_.details.clearDetailPictures();
}

bool RefreshPresenter::setDetailsText(const std::string& text) {
    return windows_.details.setDetailsText(text);
}

void RefreshPresenter::showBalloon(const std::string& title, const std::string& body) {
    windows_.tray.showBalloon(title, body);
}

void RefreshPresenter::playWarningSound() {
    sound_.play();
}

}  // namespace galewarden
