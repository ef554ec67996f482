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

void putDigits(std::string& text, std::size_t at, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value /= 10) {
        text[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    }
}

void putDateTime(std::string& text, const DateTimeFields& fields) {
    putDigits(text, 0, fields.year, 4);
    putDigits(text, 5, fields.month, 2);
    putDigits(text, 8, fields.day, 2);
    putDigits(text, 11, fields.hour, 2);
    putDigits(text, 14, fields.minute, 2);
    putDigits(text, 17, fields.second, 2);
}

}  // namespace galewarden
