#pragma once

#include <string>

#include "core/alerts/DisplaySnapshot.h"
#include "core/config/ConfigColour.h"

namespace galewarden {

// The background the label paints, which is also its transparent key: a colour with a fourth
// byte becomes RGB(red, green, (blue + 32) mod 256), one without keeps its red, green and
// blue.
ColourValue labelBackground(ColourValue configured);

// Pixels in the key colour are not shown; a key of 0 (pure black) switches keying off and
// leaves an opaque black box.
constexpr bool keysOut(ColourValue key) {
    return key != 0;
}

// Text in the key colour is keyed out with the background.
constexpr bool textShows(ColourValue text, ColourValue key) {
    return !keysOut(key) || (text & 0xFFFFFF) != key;
}

// [Label] Size held to what a label can draw.
inline constexpr int kSmallestLabelPoints = 1;
inline constexpr int kLargestLabelPoints = 200;
int labelPoints(int configured);

// [Label] Align: 1 centre, 2 right, anything else left.
enum class LabelAlign { left, centre, right };
LabelAlign labelAlign(int configured);

// The label's text: with place names, "%s" in the user's text stands for the place and "%%"
// for a percent sign; without them the text stands as written.
std::string labelTextFor(const DisplaySnapshot& display, const std::string& placeName);

}  // namespace galewarden
