#include "core/text/NumberText.h"

#include <array>
#include <charconv>

namespace galewarden {

std::string formatReal(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 13);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace galewarden
