#pragma once

#include "core/config/SoundFrom.h"

namespace galewarden {

// The lowest colour level (SignalColour.h) that `from` lets sound; kNoColour for none.
int soundLevel(SoundFrom from);

// Whether a change of the shown warnings that brought a new warning of `newColour` (0: no new
// warning) plays the warning sound.
bool asksForSound(SoundFrom from, int newColour);

}  // namespace galewarden
