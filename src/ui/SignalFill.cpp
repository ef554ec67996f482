#include "ui/SignalFill.h"

#include <array>

#include "core/alerts/classify/SignalColour.h"

namespace galewarden {

QColor signalFill(int level) {
    static const std::array<QColor, 5> fills{QColor(0xd9, 0xd9, 0xd9), QColor(0x1e, 0x5a, 0xe6),
                                             QColor(0xff, 0xd4, 0x00), QColor(0xff, 0x8a, 0x00),
                                             QColor(0xe6, 0x10, 0x10)};
    return isColourLevel(level) ? fills[static_cast<std::size_t>(level - kWhite)]
                                : QColor(160, 160, 160);
}

}  // namespace galewarden
