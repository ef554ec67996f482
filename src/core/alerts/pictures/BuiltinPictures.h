#pragma once

#include <string>
#include <string_view>

namespace galewarden {

inline constexpr int kBuiltinPictureWidth = 600;
inline constexpr int kBuiltinPictureHeight = 492;

// The built-in signal picture of a colour number 1..5 (白 蓝 黄 橙 红); any other number
// gives the unknown-colour picture. PNG bytes, 600 × 492, drawn once and kept.
const std::string& builtinPicture(int colourNumber);

}  // namespace galewarden
