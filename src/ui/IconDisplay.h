#pragma once

#include <cstddef>
#include <string>

#include "core/alerts/DisplaySnapshot.h"
#include "ui/IconFade.h"

namespace galewarden {

// What the icon, label and details windows show between two refresh results, and the icon's
// way through it: the one owner of that state. The windows and timers change it only through
// the operations below. Used on the interface thread only.
class IconDisplay {
  public:
    IconDisplay();

    // A processed result: its snapshot replaces the old one whole, and the rotation goes on
    // from where it stood.
    void takeResult(SharedDisplay display, int highestColour, bool anyKept, bool animate);
    // Monitoring starts: nothing keeps the icon away yet.
    void startMonitoring();

    // The pointer or a right click sent the icon away, and the re-show time brought it back.
    void suppress();
    void endSuppression();
    // Once a second: whether a full-screen window forbids the icon.
    void setFullScreenClear(bool clear);
    // The "show" option, and the opacity, of the colour in force.
    void showColour(bool shown);
    void applyColourOptions(bool shown, int alpha);

    // Steps to the next entry, wrapping to the first (also when a new snapshot is shorter),
    // and takes its place name. An empty display shows nothing and gives null.
    const DisplayEntry* advance();
    // A switch during a fade starts it again at the bottom, so the next tick changes the
    // picture at once.
    void interruptFade();
    // One tick of the fade: with animation and several pictures the opacity falls to 1 tenth,
    // the picture changes there and it rises to 10 tenths, 18 ticks in all; otherwise the
    // picture changes at once at full opacity.
    FadeTick nextFadeTick();

    // The icon shows while all four hold: warnings, not sent away, no full-screen window in
    // the way, the colour's show option.
    bool visible() const;
    // All but the full-screen condition, which is asked only then.
    bool iconWanted() const;
    // The colour's opacity at the current fade step.
    int alpha() const;

    const SharedDisplay& display() const { return display_; }
    std::size_t entryCount() const { return display_->entries.size(); }
    int highestColour() const { return highestColour_; }
    int currentIndex() const { return currentIndex_; }  // 1-based; 0 before the first step
    const std::string& currentPlaceName() const { return currentPlaceName_; }
    int fadeStep() const { return fadeStep_; }

  private:
    SharedDisplay display_;  // never null
    int highestColour_ = 0;  // 1 白 … 5 红 of the last processed result; 0 none
    bool animate_ = false;   // [General] Animate as the last pass read it

    bool hasAlerts_ = false;
    bool notSuppressed_ = false;
    bool fullScreenClear_ = false;
    bool colourShown_ = false;

    int currentIndex_ = 0;
    std::string currentPlaceName_;
    int fadeStep_ = 1;            // opacity in tenths
    bool fadeDirection_ = false;  // true while fading in
    int colourAlpha_ = 0;         // the configured opacity of the current colour, 0..255
};

}  // namespace galewarden
