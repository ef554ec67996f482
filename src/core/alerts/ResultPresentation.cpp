#include "core/alerts/ResultPresentation.h"

#include "core/alerts/WarningSound.h"

namespace galewarden {
namespace {

void presentTray(const RefreshResult& result, PresentationTarget& target) {
    if (!result.anyKept) {
        target.setTrayHeaderVisible(false);
        target.showTrayNeutral();
        target.setRotationInterval(0);
        target.clearDetailPictures();
        return;
    }
    target.setTrayHeaderVisible(true);
    target.stopTrayHideTimer();
    if (result.highestColour >= 1 && result.highestColour <= 5) {
        target.showTrayForColour(result.highestColour);
    }
}

void presentRotation(const RefreshResult& result, PresentationTarget& target) {
    if (result.anyKept && !target.rotationRunning()) {
        target.startSwitch();
        target.setRotationInterval(result.rotationIntervalMs);
    }
}

}  // namespace

void presentRefreshResult(const RefreshResult& result, PresentationTarget& target) {
    presentTray(result, target);
    presentRotation(result, target);
    if (!target.setDetailsText(result.detailsText)) {
        return;
    }
    if (!result.balloonTitle.empty()) {
        target.showBalloon(result.balloonTitle, result.balloonBody);
    }
    if (asksForSound(result.soundFrom, result.newColour)) {
        target.playWarningSound();
    }
}

}  // namespace galewarden
