#pragma once

#include <string_view>

namespace galewarden {

// Whether a typed value can be stored as one key=value line of Galewarden.ini: a line break
// (or a NUL) would end the value early and turn the rest into a line of its own.
bool storableValue(std::string_view value);

}  // namespace galewarden
