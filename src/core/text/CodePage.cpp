#include "core/text/CodePage.h"

#include "core/text/Gb18030Tables.h"
#include "core/text/Utf8.h"

#include <cstdint>
#include <optional>

namespace galewarden {
namespace {

void appendJavaEscape(std::string& out, std::uint32_t unit) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out.push_back(kHex[(unit >> shift) & 0xF]);
    }
}

std::string utf8ToJava(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 2);
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out.push_back(utf8[i++]);
            continue;
        }
        const std::optional<std::uint32_t> codePoint = decodeUtf8(utf8, i);
        if (!codePoint) {
            out.push_back('?');
            ++i;
        } else if (*codePoint >= 0x10000) {
            const std::uint32_t offset = *codePoint - 0x10000;
            appendJavaEscape(out, 0xD800 + (offset >> 10));
            appendJavaEscape(out, 0xDC00 + (offset & 0x3FF));
        } else {
            appendJavaEscape(out, *codePoint);
        }
    }
    return out;
}

std::optional<std::uint32_t> javaUnitAt(std::string_view text, std::size_t i) {
    if (i + 6 > text.size() || text[i] != '\\' || text[i + 1] != 'u') {
        return std::nullopt;
    }
    std::uint32_t unit = 0;
    for (std::size_t k = i + 2; k < i + 6; ++k) {
        const char c = text[k];
        const int digit = (c >= '0' && c <= '9')   ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                   : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        unit = unit * 16 + static_cast<std::uint32_t>(digit);
    }
    return unit;
}

std::string javaToUtf8(std::string_view java) {
    std::string out;
    out.reserve(java.size());
    for (std::size_t i = 0; i < java.size();) {
        const std::optional<std::uint32_t> unit = javaUnitAt(java, i);
        if (!unit) {
            out.push_back(java[i++]);
            continue;
        }
        i += 6;
        if (*unit < 0xD800 || *unit > 0xDFFF) {
            appendUtf8(out, *unit);
            continue;
        }
        const std::optional<std::uint32_t> low =
            *unit < 0xDC00 ? javaUnitAt(java, i) : std::nullopt;
        if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00));
            i += 6;
        } else {
            out.push_back('?');  // a lone surrogate
        }
    }
    return out;
}

std::string fromUtf8(std::string_view utf8, Encoding to) {
    switch (to) {
        case Encoding::Gb18030:
            return detail::utf8ToGb18030(utf8);
        case Encoding::Java:
            return utf8ToJava(utf8);
        case Encoding::Utf8:
            break;
    }
    return std::string(utf8);
}

}  // namespace

std::string convertText(std::string_view bytes, Encoding from, Encoding to) {
    if (from == to) {
        return std::string(bytes);
    }
    switch (from) {
        case Encoding::Gb18030:
            return to == Encoding::Utf8 ? detail::gb18030ToUtf8(bytes)
                                        : fromUtf8(detail::gb18030ToUtf8(bytes), to);
        case Encoding::Java:
            return to == Encoding::Utf8 ? javaToUtf8(bytes) : fromUtf8(javaToUtf8(bytes), to);
        case Encoding::Utf8:
            break;
    }
    return fromUtf8(bytes, to);
}

std::string gbFromUtf8(std::string_view utf8) {
    return convertText(utf8, Encoding::Utf8, Encoding::Gb18030);
}

std::string utf8FromGb(std::string_view gb) {
    return convertText(gb, Encoding::Gb18030, Encoding::Utf8);
}

}  // namespace galewarden
