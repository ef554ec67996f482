#pragma once

#include <string>

namespace galewarden {

// A real number with up to 13 significant digits and no trailing zeros, as "%.13g" writes
// it, independent of the locale.
std::string formatReal(double value);

}  // namespace galewarden
