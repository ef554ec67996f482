#include "core/alerts/ResultPresentation.h"

namespace galewarden {
namespace {

void presentTray(const RefreshResult& result, PresentationTarget& target) {
    if (!result.anyKept) {
        target.setTrayHeaderVisible(false);
        target.showTrayNeutral();
        target.setCycleInterval(0);
        target.clearDetailPictures();
        return;
    }
    target.setTrayHeaderVisible(true);
    target.stopTrayHideTimer();
    if (result.highestColour >= 1 && result.highestColour <= 5) {
        target.showTrayForColour(result.highestColour);
    }
}

void presentCycle(const RefreshResult& result, PresentationTarget& target) {
    if (result.anyKept && !target.cycleTimerRunning()) {
        target.startSwitch();
        target.setCycleInterval(result.cycleIntervalMs);
    }
}

}  // namespace

void presentRefreshResult(const RefreshResult& result, PresentationTarget& target) {
    presentTray(result, target);
    presentCycle(result, target);
    if (target.setDetailsText(result.detailsText) && !result.balloonTitle.empty()) {
        target.showBalloon(result.balloonTitle, result.balloonBody);
    }
}

}  // namespace galewarden
