#include "text/Gb18030.h"

namespace galewarden {
namespace {

bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool isDigitByte(unsigned char byte) {
    return byte >= 0x30 && byte <= 0x39;
}
bool isTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

}  // namespace

std::size_t charLengthAt(std::string_view text, std::size_t offset) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[offset + i]); };
    const std::size_t left = text.size() - offset;
    if (left < 2 || !isLeadByte(at(0))) {
        return 1;
    }
    if (isTrailByte(at(1))) {
        return 2;
    }
    if (left >= 4 && isDigitByte(at(1)) && isLeadByte(at(2)) && isDigitByte(at(3))) {
        return 4;
    }
    return 1;
}

std::size_t charBoundaryBefore(std::string_view text, std::size_t maxBytes) {
    if (maxBytes >= text.size()) {
        return text.size();
    }
    std::size_t offset = 0;
    while (offset < text.size()) {
        const std::size_t next = offset + charLengthAt(text, offset);
        if (next > maxBytes) {
            break;
        }
        offset = next;
    }
    return offset;
}

}  // namespace galewarden
