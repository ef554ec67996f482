#pragma once

#include <string>

#include "core/alerts/DisplaySnapshot.h"

namespace galewarden {

// What the icon, label and details windows show between two refresh results, and the icon
// window's cycle through it. One object, owned by the program and used on the interface
// thread only; the refresh hands over a new snapshot with each processed result.
struct DisplayState {
    DisplayState() : display(std::make_shared<const DisplaySnapshot>()) {}

    SharedDisplay display;  // never null
    int highestColour = 0;  // 1 白 … 5 红 of the last processed result; 0 none
    bool animate = false;   // [General] Animate as the last pass read it

    // The icon window is shown only while all four hold.
    bool hasAlerts = false;        // the last processed result kept a warning
    bool notSuppressed = false;    // the user has not hidden the icon for a while
    bool fullScreenClear = false;  // no full-screen window forbids it
    bool colourShown = false;      // the "show" option of the current colour

    int currentIndex = 0;  // 1-based entry of `display` the icon shows; 0 none
    std::string currentPlaceName;
    int fadeStep = 1;            // opacity in tenths
    bool fadeDirection = false;  // true while fading in
    int currentAlpha = 0;        // the configured opacity of the current colour, 0..255

    bool visible() const { return hasAlerts && notSuppressed && fullScreenClear && colourShown; }
    std::size_t entryCount() const { return display->entries.size(); }
};

}  // namespace galewarden
