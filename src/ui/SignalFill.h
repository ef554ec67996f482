#pragma once

#include <QColor>

namespace galewarden {

// The colour a signal colour level (1 白 … 5 红) is filled with wherever the program paints
// one: light grey for white; a neutral grey for any other level (none, unknown).
QColor signalFill(int level);

}  // namespace galewarden
