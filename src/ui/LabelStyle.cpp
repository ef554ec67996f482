#include "ui/LabelStyle.h"

#include <algorithm>

#include "core/text/UserFormat.h"

namespace galewarden {

ColourValue labelBackground(ColourValue configured) {
    if (fourthOf(configured) == 0) {
        return configured;
    }
    return rgbColour(redOf(configured), greenOf(configured), (blueOf(configured) + 32) % 256);
}

int labelPoints(int configured) {
    return std::clamp(configured, kSmallestLabelPoints, kLargestLabelPoints);
}

LabelAlign labelAlign(int configured) {
    switch (configured) {
        case 1:
            return LabelAlign::centre;
        case 2:
            return LabelAlign::right;
        default:
            return LabelAlign::left;
    }
}

std::string labelTextFor(const DisplaySnapshot& display, const std::string& placeName) {
    return display.labelUsesName ? formatWithText(display.labelText, placeName) : display.labelText;
}

}  // namespace galewarden
