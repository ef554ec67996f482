#include "core/text/Gb18030Tables.h"

#include <optional>

#include "core/text/Gb18030.h"
#include "core/text/Gb18030TableData.h"
#include "core/text/Utf8.h"

namespace galewarden::detail {
namespace {

constexpr std::uint32_t kSupplementaryBase = 0x10000;
constexpr std::size_t kSlack = 4;  // a character's bytes may be stored four at a time

// The output pointer is a local of the converting loops: written through a member, every
// byte stored could alias the pointer itself and force it back to memory.
inline void putGb(char*& out, std::uint32_t code) {
    out[0] = static_cast<char>(code);
    out[1] = static_cast<char>(code >> 8);
    if (code > 0xFFFF) {
        out[2] = static_cast<char>(code >> 16);
        out[3] = static_cast<char>(code >> 24);
        out += 4;
    } else {
        out += 2;
    }
}

inline void putPackedUtf8(char*& out, std::uint32_t packed) {
    out[0] = static_cast<char>(packed);
    out[1] = static_cast<char>(packed >> 8);
    out[2] = static_cast<char>(packed >> 16);
    out += packed >> 24;
}

// The code of a character beyond the ASCII range; 0 when it has none.
std::uint32_t gbCodeOf(std::uint32_t codePoint) {
    if (codePoint < 0x10000) {
        return kBmpToGb[codePoint];
    }
    if (codePoint > 0x10FFFF) {
        return 0;
    }
    const std::uint32_t index = codePoint - kSupplementaryBase;
    return (0x90 + index / 12600) | (0x30 + index / 1260 % 10) << 8 |
           (0x81 + index / 10 % 126) << 16 | (0x30 + index % 10) << 24;
}

// The code point of a four-byte character; 0 when it has none.
std::uint32_t fourByteCodePoint(const unsigned char* b) {
    if (b[0] < 0x90) {
        const std::uint32_t index = fourByteIndex(b);
        return index < kFourByteBmpCount ? kFourByteToBmp[index] : 0;
    }
    static const unsigned char first[] = {0x90, 0x30, 0x81, 0x30};
    const std::uint32_t codePoint = kSupplementaryBase + fourByteIndex(b) - fourByteIndex(first);
    return codePoint <= 0x10FFFF ? codePoint : 0;
}

// Runs `convert(out)` over a buffer sized for the worst case and trims it to what was written.
template <typename Convert>
std::string converted(std::size_t worstCase, Convert convert) {
    std::string buffer(worstCase + kSlack, '\0');
    char* const begin = buffer.data();
    buffer.resize(static_cast<std::size_t>(convert(begin) - begin));
    return buffer;
}

}  // namespace

// A GB18030 character of n bytes becomes at most 2n UTF-8 bytes.
std::string gb18030ToUtf8(std::string_view gb) {
    return converted(gb.size() * 2, [&](char* out) {
        for (std::size_t i = 0; i < gb.size();) {
            const auto lead = static_cast<unsigned char>(gb[i]);
            if (lead < 0x80) {
                *out++ = gb[i++];
                continue;
            }
            const std::size_t length = charLengthAt(gb, i);
            if (length == 2) {
                const std::uint32_t utf8 =
                    kTwoByteToUtf8[twoByteIndex(lead, static_cast<unsigned char>(gb[i + 1]))];
                utf8 != 0 ? putPackedUtf8(out, utf8) : void(*out++ = '?');
            } else if (length == 4) {
                const std::uint32_t codePoint =
                    fourByteCodePoint(reinterpret_cast<const unsigned char*>(gb.data() + i));
                codePoint != 0 ? void(out = writeUtf8(out, codePoint)) : void(*out++ = '?');
            } else {
                *out++ = '?';
            }
            i += length;
        }
        return out;
    });
}

// A UTF-8 sequence of n bytes becomes at most 4 GB18030 bytes, never more than 2n.
std::string utf8ToGb18030(std::string_view utf8) {
    return converted(utf8.size() * 2, [&](char* out) {
        for (std::size_t i = 0; i < utf8.size();) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            if (lead < 0x80) {
                *out++ = utf8[i++];
                continue;
            }
            // Chinese text is almost all three-byte sequences, none of them surrogates.
            if (lead >= 0xE1 && lead != 0xED && lead <= 0xEF && i + 2 < utf8.size()) {
                const auto second = static_cast<unsigned char>(utf8[i + 1]);
                const auto third = static_cast<unsigned char>(utf8[i + 2]);
                if ((second & 0xC0) == 0x80 && (third & 0xC0) == 0x80) {
                    const std::uint32_t code = kBmpToGb[((lead & 0x0Fu) << 12) |
                                                        ((second & 0x3Fu) << 6) | (third & 0x3Fu)];
                    code != 0 ? putGb(out, code) : void(*out++ = '?');
                    i += 3;
                    continue;
                }
            }
            const std::optional<std::uint32_t> codePoint = decodeUtf8(utf8, i);
            const std::uint32_t code = codePoint ? gbCodeOf(*codePoint) : 0;
            if (code == 0) {
                *out++ = '?';
                i += codePoint ? 0 : 1;
            } else {
                putGb(out, code);
            }
        }
        return out;
    });
}

}  // namespace galewarden::detail
