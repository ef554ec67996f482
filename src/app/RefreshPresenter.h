#pragma once

#include <functional>

#include "core/alerts/RefreshView.h"
#include "core/alerts/ResultPresentation.h"

namespace galewarden {

class AlertIconWindow;
class DetailsWindow;
class TrayIcon;
class IconDisplay;
struct ProgramTimers;
class WarningSoundPlayer;

// Applies what a refresh pass hands over to the windows, the tray and the timers, on the
// interface thread.
class RefreshPresenter : public RefreshView, public PresentationTarget {
  public:
    struct Windows {
        DetailsWindow& details;
        TrayIcon& tray;
        AlertIconWindow*& icon;  // null until monitoring starts
    };

    // `afterResult` runs once each result has been applied.
    RefreshPresenter(Windows windows, IconDisplay& display, ProgramTimers& timers,
                     WarningSoundPlayer& sound, std::function<void()> afterResult);

    // RefreshView
    void showStatus(const StatusLine& status) override;
    void setRefreshInterval(int milliseconds) override;
    void presentResult(const RefreshResult& result) override;
    void updateIconWindowVisibility() override;
    void applyIconWindowSettings() override;
    void showFetchHealth(const FetchHealth& health) override;

    // PresentationTarget
    void setTrayHeaderVisible(bool visible) override;
    void stopTrayHideTimer() override;
    void showTrayForColour(int highestColour) override;
    void showTrayNeutral() override;
    bool rotationRunning() const override;
    void startSwitch() override;
    void setRotationInterval(int milliseconds) override;
    void clearDetailPictures() override;
    bool setDetailsText(const std::string& text) override;
    void showBalloon(const std::string& title, const std::string& body) override;
    void playWarningSound() override;

  private:
    Windows windows_;
    IconDisplay& display_;
    ProgramTimers& timers_;
    WarningSoundPlayer& sound_;
    std::function<void()> afterResult_;
};

}  // namespace galewarden
