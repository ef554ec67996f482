#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace galewarden {

// Writes the one to four bytes of a code point at `out`; returns where they end.
inline char* writeUtf8(char* out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
        return out;
    }
    if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    return out;
}

inline void appendUtf8(std::string& out, std::uint32_t codePoint) {
    char bytes[4];
    out.append(bytes, writeUtf8(bytes, codePoint));
}

inline std::string utf8Of(std::uint32_t codePoint) {
    std::string utf8;
    appendUtf8(utf8, codePoint);
    return utf8;
}

// Decodes the UTF-8 sequence at `i` and advances past it; nullopt, with `i` unchanged, for an
// invalid one (overlong, surrogate, out of range or truncated).
inline std::optional<std::uint32_t> decodeUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    std::uint32_t codePoint = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + length > text.size()) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
    }
    i += length;
    return codePoint;
}

}  // namespace galewarden
