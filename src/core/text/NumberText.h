#pragma once

#include <cstddef>
#include <string>

namespace galewarden {

// A real number with up to 13 significant digits and no trailing zeros, as "%.13g" writes
// it, independent of the locale.
std::string formatReal(double value);

// Writes the last `digits` decimal digits of `value` (0 or more) over text[at, at + digits),
// zeros in front: the fields of a time written without printf, where thousands are written a
// pass.
void putDigits(std::string& text, std::size_t at, int value, int digits);

}  // namespace galewarden
