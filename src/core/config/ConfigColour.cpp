#include "core/config/ConfigColour.h"

#include <array>

namespace galewarden {
namespace {

constexpr std::size_t kBytesInValue = 4;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

int pairValue(char high, char low) {
    int value = 0;
    for (char c : {high, low}) {
        const int digit = hexDigit(c);
        if (digit >= 0) {
            value = value * 16 + digit;
        }
    }
    return value;
}

}  // namespace

ColourValue textToColour(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c != '#') {
            digits.push_back(c);
        }
    }
    ColourValue colour = 0;
    for (std::size_t k = 0; k < kBytesInValue && 2 * k + 1 < digits.size(); ++k) {
        const auto byte = static_cast<ColourValue>(pairValue(digits[2 * k], digits[2 * k + 1]));
        colour |= byte << (8 * k);
    }
    return colour;
}

std::string colourToText(ColourValue colour) {
    static constexpr std::array<char, 16> kDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    const std::size_t pairs = fourthOf(colour) != 0 ? 4 : 3;
    std::string text = "#";
    for (std::size_t k = 0; k < pairs; ++k) {
        const auto byte = colour >> (8 * k) & 0xFF;
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0xF]);
    }
    return text;
}

}  // namespace galewarden
