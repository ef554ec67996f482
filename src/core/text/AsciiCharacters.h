#pragma once

namespace galewarden {

// The ASCII decimal digits, whatever the locale.
constexpr bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace galewarden
