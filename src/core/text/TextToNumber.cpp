#include "core/text/TextToNumber.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "core/text/Gb18030.h"

namespace galewarden {
namespace {

constexpr unsigned char kFullWidthRow = 0xA3;      // GB18030 row of U+FF01..U+FF5E
constexpr unsigned char kFullWidthYuan = 0xA4;     // A3A4 is U+FFE5, not a dollar sign
constexpr unsigned char kIdeographicSpace = 0xA1;  // A1A1 is U+3000

bool isSpaceByte(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view skipLeadingSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpaceByte(text[i])) {
        ++i;
    }
    return text.substr(i);
}

}  // namespace

std::string toHalfWidth(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = charLengthAt(text, i);
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = length == 2 ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (length == 2 && lead == kFullWidthRow && trail >= 0xA1 && trail != kFullWidthYuan) {
            result.push_back(static_cast<char>(trail - 0x80));
        } else if (length == 2 && lead == kIdeographicSpace && trail == kIdeographicSpace) {
            result.push_back(' ');
        } else {
            result.append(text.substr(i, length));
        }
        i += length;
    }
    return result;
}

int textToInteger(std::string_view text) {
    const std::string half = toHalfWidth(text);
    std::string_view rest = skipLeadingSpace(half);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    long long value = 0;
    for (char c : rest) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}

double textToReal(std::string_view text) {
    const std::string half = toHalfWidth(text);
    std::string_view rest = skipLeadingSpace(half);
    if (!rest.empty() && rest.front() == '+') {
        rest.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
    if (error != std::errc() || !std::isfinite(value)) {
        return 0;
    }
    return value;
}

}  // namespace galewarden
