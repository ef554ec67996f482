#pragma once

#include <QImage>

namespace galewarden {

inline constexpr int kTrayPictureSize = 32;

// The tray's pictures, 32 × 32 with transparent corners: a diamond standing on a corner with
// a small black dot in its centre. Levels 1 白 … 5 红 fill it with their colour (light grey
// for white); any other level gives the neutral one, quartered yellow at the top, blue at the
// right, red at the bottom and orange at the left. Other sizes draw the same picture larger
// (the application icon).
QImage trayPicture(int level, int size = kTrayPictureSize);

}  // namespace galewarden
