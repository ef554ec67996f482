#include "core/json/JsonNumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace galewarden {
namespace {

bool isIntegerToken(std::string_view token) {
    return token.find_first_of(".eE") == std::string_view::npos;
}

// Saturates far beyond any double exponent, so that absurd exponents cannot overflow.
long long exponentOf(std::string_view token) {
    const std::size_t e = token.find_first_of("eE");
    if (e == std::string_view::npos) {
        return 0;
    }
    std::string_view digits = token.substr(e + 1);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    long long value = 0;
    for (const char c : digits) {
        value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
    }
    return negative ? -value : value;
}

// For a token outside the double range: whether it is too large (else it is too small).
bool isBeyondLargest(std::string_view token) {
    std::string_view mantissa = token.substr(0, token.find_first_of("eE"));
    if (!mantissa.empty() && mantissa.front() == '-') {
        mantissa.remove_prefix(1);
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::string_view whole = mantissa.substr(0, point);
    const std::size_t firstWholeDigit = std::min(whole.find_first_not_of('0'), whole.size());
    const auto wholeDigits = static_cast<long long>(whole.size() - firstWholeDigit);
    if (wholeDigits > 0) {
        return exponentOf(token) + wholeDigits > 0;
    }
    const std::string_view fraction = mantissa.substr(std::min(point + 1, mantissa.size()));
    const auto leadingZeros = static_cast<long long>(fraction.find_first_not_of('0'));
    return exponentOf(token) - leadingZeros > 0;
}

// ECMAScript Number::toString for a finite, positive double.
std::string positiveNumberText(double value) {
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits(scientific.substr(0, e));
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const std::string_view exponent = scientific.substr(e + 1);  // "+21" or "-07"
    int power = 0;
    std::from_chars(exponent.data() + 1, exponent.data() + exponent.size(), power);
    const int k = static_cast<int>(digits.size());
    const int n = (exponent.front() == '-' ? -power : power) + 1;
    if (k <= n && n <= 21) {
        return digits + std::string(static_cast<std::size_t>(n - k), '0');
    }
    if (0 < n && n <= 21) {
        return digits.insert(static_cast<std::size_t>(n), 1, '.');
    }
    if (-6 < n && n <= 0) {
        return "0." + std::string(static_cast<std::size_t>(-n), '0') + digits;
    }
    if (k > 1) {
        digits.insert(1, 1, '.');
    }
    return digits + (n - 1 >= 0 ? "e+" : "e-") + std::to_string(std::abs(n - 1));
}

std::string doubleText(double value) {
    if (value == 0) {
        return "0";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    return value < 0 ? "-" + positiveNumberText(-value) : positiveNumberText(value);
}

}  // namespace

std::string jsonNumberText(std::string_view token) {
    if (token == "-0") {
        return "0";
    }
    if (isIntegerToken(token)) {
        return std::string(token);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (end != token.data() + token.size()) {
        return std::string(token);
    }
    if (error == std::errc::result_out_of_range) {
        const bool negative = token.front() == '-';
        value = isBeyondLargest(token) ? HUGE_VAL : 0.0;
        value = negative ? -value : value;
    } else if (error != std::errc()) {
        return std::string(token);
    }
    return doubleText(value);
}

}  // namespace galewarden
