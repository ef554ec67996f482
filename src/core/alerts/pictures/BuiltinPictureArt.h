#pragma once

#include <string>

#include "core/alerts/pictures/BuiltinPictures.h"

namespace galewarden {

// Draws the built-in signal picture of a colour number 1..5 (白 蓝 黄 橙 红), any other number
// the unknown-colour picture, as PNG bytes of kBuiltinPictureWidth × kBuiltinPictureHeight.
// Anti-aliasing every pixel costs about a fifth of a second for the six, so the build draws
// them once and compiles the bytes in.
std::string drawBuiltinPicture(int colourNumber);

}  // namespace galewarden
