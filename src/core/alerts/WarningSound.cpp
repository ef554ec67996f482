#include "core/alerts/WarningSound.h"

#include "core/alerts/classify/SignalColour.h"

namespace galewarden {

int soundLevel(SoundFrom from) {
    switch (from) {
        case SoundFrom::red:
            return kRed;
        case SoundFrom::orange:
            return kOrange;
        case SoundFrom::yellow:
            return kYellow;
        case SoundFrom::blue:
            return kBlue;
        case SoundFrom::none:
            break;
    }
    return kNoColour;
}

bool asksForSound(SoundFrom from, int newColour) {
    const int level = soundLevel(from);
    return level != kNoColour && isColourLevel(newColour) && newColour >= level;
}

}  // namespace galewarden
