#pragma once

#include "ui/DisplayState.h"

namespace galewarden {

// Steps `currentIndex` to the next entry of the display, wrapping to the first, and copies
// that entry's place name. The index survives a new snapshot and wraps when it lies beyond
// it. An empty display leaves index 0 and gives null.
const DisplayEntry* advancePicture(DisplayState& state);

}  // namespace galewarden
