#pragma once

#include <cstddef>
#include <string_view>

namespace galewarden {

// Byte length (1, 2 or 4) of the GB18030 character that starts at `offset`. Malformed or
// truncated sequences count one byte at a time, so stepping always makes progress.
inline std::size_t charLengthAt(std::string_view text, std::size_t offset) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[offset + i]); };
    const unsigned char lead = at(0);
    if (lead < 0x81 || lead == 0xFF || text.size() - offset < 2) {
        return 1;
    }
    const unsigned char second = at(1);
    if (second >= 0x40 && second != 0x7F && second != 0xFF) {
        return 2;
    }
    const bool fourBytes = second >= 0x30 && second <= 0x39 && text.size() - offset >= 4 &&
                           at(2) >= 0x81 && at(2) <= 0xFE && at(3) >= 0x30 && at(3) <= 0x39;
    return fourBytes ? 4 : 1;
}

// Largest prefix length not above `maxBytes` that ends on a character boundary.
std::size_t charBoundaryBefore(std::string_view text, std::size_t maxBytes);

}  // namespace galewarden
