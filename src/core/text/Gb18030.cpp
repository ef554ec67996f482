#include "core/text/Gb18030.h"

namespace galewarden {

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
