#pragma once

#include <string>

#include "core/alerts/RefreshResult.h"

namespace galewarden {

// The tray, timers and details window as the results of a pass drive them.
class PresentationTarget {
  public:
    virtual ~PresentationTarget() = default;

    virtual void setTrayHeaderVisible(bool visible) = 0;
    virtual void stopTrayHideTimer() = 0;
    virtual void showTrayForColour(int highestColour) = 0;
    // Neutral picture and plain tooltip, once: only while the tray icon is visible and its
    // hide timer is not running; starts that timer.
    virtual void showTrayNeutral() = 0;
    virtual bool rotationRunning() const = 0;
    virtual void startSwitch() = 0;
    // The picture-cycle timer's interval in milliseconds; 0 stops it.
    virtual void setRotationInterval(int milliseconds) = 0;
    virtual void clearDetailPictures() = 0;
    // Replaces the details text when it differs from what is shown; true when it changed.
    virtual bool setDetailsText(const std::string& text) = 0;
    virtual void showBalloon(const std::string& title, const std::string& body) = 0;
    // Starts the warning sound and returns at once.
    virtual void playWarningSound() = 0;
};

// Applies the results of a pass in their order: tray state, picture cycle, details text and,
// when that text changed, the balloon and the warning sound that [Sound] From asks for.
void presentRefreshResult(const RefreshResult& result, PresentationTarget& target);

}  // namespace galewarden
