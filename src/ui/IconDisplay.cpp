#include "ui/IconDisplay.h"

#include <utility>

namespace galewarden {

IconDisplay::IconDisplay() : display_(std::make_shared<const DisplaySnapshot>()) {}

void IconDisplay::takeResult(SharedDisplay display, int highestColour, bool anyKept, bool animate) {
    display_ = display ? std::move(display) : std::make_shared<const DisplaySnapshot>();
    highestColour_ = highestColour;
    hasAlerts_ = anyKept;
    animate_ = animate;
}

void IconDisplay::startMonitoring() {
    notSuppressed_ = true;
    fullScreenClear_ = true;
}

void IconDisplay::suppress() {
    notSuppressed_ = false;
}

void IconDisplay::endSuppression() {
    notSuppressed_ = true;
}

void IconDisplay::setFullScreenClear(bool clear) {
    fullScreenClear_ = clear;
}

void IconDisplay::showColour(bool shown) {
    colourShown_ = shown;
}

void IconDisplay::applyColourOptions(bool shown, int alpha) {
    colourShown_ = shown;
    colourAlpha_ = alpha;
}

const DisplayEntry* IconDisplay::advance() {
    const auto& entries = display_->entries;
    if (entries.empty()) {
        currentIndex_ = 0;
        return nullptr;
    }
    const bool inside =
        currentIndex_ >= 1 && static_cast<std::size_t>(currentIndex_) < entries.size();
    currentIndex_ = inside ? currentIndex_ + 1 : 1;
    const DisplayEntry& entry = entries[static_cast<std::size_t>(currentIndex_) - 1];
    currentPlaceName_ = entry.placeName;
    return &entry;
}

void IconDisplay::interruptFade() {
    fadeStep_ = 0;
}

FadeTick IconDisplay::nextFadeTick() {
    FadeTick tick;
    const bool fading = animate_ && entryCount() > 1;
    if (!fading) {
        // A fade cut short shows full opacity at once rather than at the next settings pass.
        tick.applyAlpha = fadeStep_ != kFullFadeStep;
        fadeStep_ = kFullFadeStep;
        tick.stopTimer = true;
        tick.changePicture = true;
        return tick;
    }
    fadeStep_ += fadeDirection_ ? 1 : -1;
    if (fadeStep_ <= 1) {
        fadeDirection_ = true;
        fadeStep_ = 1;
    }
    if (fadeStep_ >= kFullFadeStep) {
        fadeDirection_ = false;
        fadeStep_ = kFullFadeStep;
        tick.stopTimer = true;
    }
    tick.applyAlpha = true;
    tick.changePicture = fadeStep_ == 1;
    return tick;
}

bool IconDisplay::visible() const {
    return iconWanted() && fullScreenClear_;
}

bool IconDisplay::iconWanted() const {
    return hasAlerts_ && notSuppressed_ && colourShown_;
}

int IconDisplay::alpha() const {
    return fadedAlpha(colourAlpha_, fadeStep_);
}

}  // namespace galewarden
