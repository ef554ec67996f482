#pragma once

#include <string>

namespace galewarden {

// The value label beside an opacity slider of page "级别设置": the position and its share of
// 255 in per cent, one decimal, "%.13g" ("63(24.7%)", "255(100%)").
std::string alphaLabelText(int position);

}  // namespace galewarden
