#include "core/json/JsonTextRepair.h"
#include "core/text/AsciiCharacters.h"

#include <optional>
#include <string_view>

namespace galewarden::json {
namespace {

constexpr std::size_t kLongestPlainNumber = 300;

std::optional<unsigned> hexUnitAt(std::string_view text, std::size_t i) {
    if (i + 4 > text.size()) {
        return std::nullopt;
    }
    unsigned unit = 0;
    for (const char c : text.substr(i, 4)) {
        const int digit = isAsciiDigit(c)          ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                   : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        unit = unit * 16 + static_cast<unsigned>(digit);
    }
    return unit;
}

// The UTF-16 unit of a \uXXXX escape at `i`.
std::optional<unsigned> escapeAt(std::string_view text, std::size_t i) {
    if (i + 2 > text.size() || text[i] != '\\' || text[i + 1] != 'u') {
        return std::nullopt;
    }
    return hexUnitAt(text, i + 2);
}

bool isHighSurrogate(unsigned unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(unsigned unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Walks a string body from just after its opening quote; returns the index after the closing
// quote.
std::size_t rewriteString(std::string& text, std::size_t i) {
    while (i < text.size() && text[i] != '"') {
        if (text[i] != '\\') {
            ++i;
            continue;
        }
        const std::optional<unsigned> unit = escapeAt(text, i);
        if (!unit) {
            i += 2;
            continue;
        }
        const std::optional<unsigned> next = escapeAt(text, i + 6);
        if (isHighSurrogate(*unit) && next && isLowSurrogate(*next)) {
            i += 12;
        } else if (isHighSurrogate(*unit) || isLowSurrogate(*unit)) {
            text.replace(i, 6, "\\u003f");
            i += 6;
        } else {
            i += 6;
        }
    }
    return i + 1;
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isAsciiDigit(text[i])) {
        ++i;
    }
    return i;
}

// The end of the JSON number starting at `i`, or `i` when none starts there.
std::size_t numberEnd(std::string_view text, std::size_t start) {
    std::size_t i = start < text.size() && text[start] == '-' ? start + 1 : start;
    if (i >= text.size() || !isAsciiDigit(text[i])) {
        return start;
    }
    i = text[i] == '0' ? i + 1 : skipDigits(text, i);
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionEnd = skipDigits(text, i + 1);
        if (fractionEnd == i + 1) {
            return start;
        }
        i = fractionEnd;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t digits = i + 1;
        if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) {
            ++digits;
        }
        const std::size_t exponentEnd = skipDigits(text, digits);
        if (exponentEnd == digits) {
            return start;
        }
        i = exponentEnd;
    }
    return i;
}

bool mayBeOutOfRange(std::string_view number) {
    return number.find_first_of("eE") != std::string_view::npos ||
           number.size() > kLongestPlainNumber;
}

}  // namespace

std::vector<RewrittenSpan> rewriteForRapidJson(std::string& text) {
    std::vector<RewrittenSpan> numbers;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            i = rewriteString(text, i + 1);
            continue;
        }
        const std::size_t end = numberEnd(text, i);
        if (end == i) {
            ++i;
            continue;
        }
        const RewrittenSpan span{i, end - i};
        if (mayBeOutOfRange(std::string_view(text).substr(span.offset, span.length))) {
            // The sign stays, so that "--1e5" cannot turn into a valid "-0e00".
            const std::size_t sign = text[i] == '-' ? 1 : 0;
            text.replace(i + sign, span.length - sign,
                         "0e" + std::string(span.length - sign - 2, '0'));
            numbers.push_back(span);
        }
        i = end;
    }
    return numbers;
}

}  // namespace galewarden::json
