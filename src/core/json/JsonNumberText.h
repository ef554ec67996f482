#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// The text JavaScript's String() gives a JSON number token: shortest round-trip digits,
// exponent form from 1e21 up and below 1e-6, "Infinity" beyond the double range. An integer
// token (no fraction, no exponent) keeps its digits exactly instead, so that a long numeric id
// is not rounded; "-0" reads "0". A text that is not a number token comes back unchanged.
std::string jsonNumberText(std::string_view token);

}  // namespace galewarden
