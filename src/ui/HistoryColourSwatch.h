#pragma once

#include <QColor>

namespace galewarden {

// The colour a history colour (0 none, 1 白 … 5 红) is drawn in.
QColor historySwatchColour(int colour);

}  // namespace galewarden
