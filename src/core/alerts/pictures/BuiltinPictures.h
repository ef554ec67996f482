#pragma once

#include <string>
#include <string_view>

namespace galewarden {

inline constexpr int kBuiltinPictureWidth = 600;
inline constexpr int kBuiltinPictureHeight = 492;
inline constexpr int kBuiltinPictureCount = 6;

// The built-in signal picture of a colour number 1..5 (白 蓝 黄 橙 红); any other number
// gives the unknown-colour picture. PNG bytes, 600 × 492, drawn when the program was built.
const std::string& builtinPicture(int colourNumber);

// The compiled-in PNG bytes by colour number 0..5 (0: the unknown colour), written by the
// build's picture generator.
std::string_view builtinPicturePng(int colourNumber);

}  // namespace galewarden
