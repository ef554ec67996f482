#include "settings/model/AlphaLabel.h"

#include <cmath>

#include "core/text/NumberText.h"

namespace galewarden {

std::string alphaLabelText(int position) {
    const double percent = std::round(position * 1000.0 / 255.0) / 10.0;
    return std::to_string(position) + "(" + formatReal(percent) + "%)";
}

}  // namespace galewarden
