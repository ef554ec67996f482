#pragma once

#include <cstddef>
#include <string_view>

namespace galewarden {

// Byte length (1, 2 or 4) of the GB18030 character that starts at `offset`. Malformed or
// truncated sequences count one byte at a time, so stepping always makes progress.
std::size_t charLengthAt(std::string_view text, std::size_t offset);

// Largest prefix length not above `maxBytes` that ends on a character boundary.
std::size_t charBoundaryBefore(std::string_view text, std::size_t maxBytes);

}  // namespace galewarden
