#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace galewarden {

// A colour as the configuration means it: red in the lowest byte, then green and blue, and a
// fourth byte on top (a Windows COLORREF with one more byte).
using ColourValue = std::uint32_t;

constexpr ColourValue rgbColour(int red, int green, int blue) {
    return static_cast<ColourValue>(red & 0xFF) | static_cast<ColourValue>(green & 0xFF) << 8 |
           static_cast<ColourValue>(blue & 0xFF) << 16;
}
constexpr int redOf(ColourValue colour) {
    return static_cast<int>(colour & 0xFF);
}
constexpr int greenOf(ColourValue colour) {
    return static_cast<int>(colour >> 8 & 0xFF);
}
constexpr int blueOf(ColourValue colour) {
    return static_cast<int>(colour >> 16 & 0xFF);
}
constexpr int fourthOf(ColourValue colour) {
    return static_cast<int>(colour >> 24 & 0xFF);
}

// "#" and hexadecimal pairs for red, green, blue and the fourth byte; every "#" is dropped
// first, characters that are no hexadecimal digit are skipped inside their pair, a trailing
// odd character and pairs beyond the fourth are ignored, and missing pairs count as 0.
ColourValue textToColour(std::string_view text);

// The stored form: "#RRGGBB" in upper case, with "AA" for the fourth byte only when it is
// not 0.
std::string colourToText(ColourValue colour);

}  // namespace galewarden
