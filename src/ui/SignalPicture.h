#pragma once

#include <QImage>

namespace galewarden {

struct DisplayEntry;

// The picture an entry shows: its PNG, or the built-in picture of its colour when the PNG is
// missing or does not decode. Pixels in the key colour RGB(0, 0, 16) are made transparent.
QImage signalPicture(const DisplayEntry& entry);

}  // namespace galewarden
