#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// Full-width ASCII forms (letters, digits, signs) become their one-byte forms and the
// ideographic space becomes a space; everything else is copied.
std::string toHalfWidth(std::string_view text);

// Leading white space skipped, an optional sign, then the leading decimal digits; 0 when
// there are none. Values beyond the range of int saturate.
int textToInteger(std::string_view text);

// The same rule for a decimal real number (digits, point, exponent); 0 when unreadable.
double textToReal(std::string_view text);

}  // namespace galewarden
