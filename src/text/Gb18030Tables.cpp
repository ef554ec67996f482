#include "text/Gb18030Tables.h"

#include <iconv.h>

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "text/Gb18030.h"
#include "text/Utf8.h"

namespace galewarden::detail {
namespace {

constexpr std::uint32_t kNone = 0;
constexpr int kTrailCount = 191;  // 0x40..0xFE
constexpr std::uint32_t kFourByteBmpCount = 39420;
constexpr std::uint32_t kSupplementaryBase = 0x10000;

// A GB18030 character packed into its bytes, first byte highest, with its length.
struct GbCode {
    std::uint32_t bytes = kNone;
    std::uint8_t length = 0;
};

std::uint32_t fourByteIndex(const unsigned char* b) {
    return ((static_cast<std::uint32_t>(b[0] - 0x81) * 10 + (b[1] - 0x30)) * 126 + (b[2] - 0x81)) *
               10 +
           (b[3] - 0x30);
}

class Tables {
  public:
    Tables() : fromUnicode_(0x10000), twoByte_(126 * kTrailCount), fourByte_(kFourByteBmpCount) {
        iconv_t toGb = iconv_open("GB18030", "UTF-8");
        iconv_t toUtf8 = iconv_open("UTF-8", "GB18030");
        if (toGb != reinterpret_cast<iconv_t>(-1) && toUtf8 != reinterpret_cast<iconv_t>(-1)) {
            fillFromUnicode(toGb);
            fillTwoByte(toUtf8);
            fillFourByte(toUtf8);
        }
        iconv_close(toGb);
        iconv_close(toUtf8);
    }

    GbCode encode(std::uint32_t codePoint) const {
        if (codePoint < 0x10000) {
            return fromUnicode_[codePoint];
        }
        if (const auto special = supplementaryTwoByte_.find(codePoint);
            special != supplementaryTwoByte_.end()) {
            return special->second;
        }
        const std::uint32_t index = codePoint - kSupplementaryBase;
        const std::uint32_t bytes = ((0x90 + index / 12600) << 24) |
                                    ((0x30 + index / 1260 % 10) << 16) |
                                    ((0x81 + index / 10 % 126) << 8) | (0x30 + index % 10);
        return {bytes, 4};
    }

    // The tables themselves, for loops that keep them in registers.
    const GbCode* bmpCodes() const { return fromUnicode_.data(); }
    const std::uint32_t* twoByteCodePoints() const { return twoByte_.data(); }

    // Code point of a 2- or 4-byte character; nullopt when it has none.
    std::optional<std::uint32_t> decode(const unsigned char* b, std::size_t length) const {
        std::uint32_t codePoint = kNone;
        if (length == 2) {
            codePoint =
                twoByte_[static_cast<std::size_t>(b[0] - 0x81) * kTrailCount + (b[1] - 0x40)];
        } else if (b[0] < 0x90) {
            const std::uint32_t index = fourByteIndex(b);
            codePoint = index < kFourByteBmpCount ? fourByte_[index] : kNone;
        } else {
            const std::uint32_t index = fourByteIndex(b) - fourByteIndexOf0x90308130();
            codePoint = kSupplementaryBase + index;
            if (codePoint > 0x10FFFF) {
                codePoint = kNone;
            }
        }
        return codePoint == kNone ? std::nullopt : std::optional<std::uint32_t>(codePoint);
    }

  private:
    static std::uint32_t fourByteIndexOf0x90308130() {
        static const unsigned char first[] = {0x90, 0x30, 0x81, 0x30};
        return fourByteIndex(first);
    }

    static std::string run(iconv_t handle, std::string_view input) {
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        std::string output(input.size() * 4 + 16, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            return {};
        }
        output.resize(output.size() - outLeft);
        return output;
    }

    void fillFromUnicode(iconv_t toGb) {
        for (std::uint32_t codePoint = 1; codePoint < 0x10000; ++codePoint) {
            if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
                continue;
            }
            std::string utf8;
            appendUtf8(utf8, codePoint);
            const std::string gb = run(toGb, utf8);
            if (gb.empty() || gb.size() > 4) {
                continue;
            }
            GbCode code;
            for (char c : gb) {
                code.bytes = (code.bytes << 8) | static_cast<unsigned char>(c);
            }
            code.length = static_cast<std::uint8_t>(gb.size());
            fromUnicode_[codePoint] = code;
        }
    }

    static std::uint32_t singleCodePoint(const std::string& utf8) {
        std::size_t at = 0;
        const std::optional<std::uint32_t> codePoint = decodeUtf8(utf8, at);
        return codePoint && at == utf8.size() ? *codePoint : kNone;
    }

    void fillTwoByte(iconv_t toUtf8) {
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) {
                    continue;
                }
                const char gb[] = {static_cast<char>(lead), static_cast<char>(trail)};
                const std::uint32_t codePoint =
                    singleCodePoint(run(toUtf8, std::string_view(gb, 2)));
                twoByte_[static_cast<std::size_t>(lead - 0x81) * kTrailCount + (trail - 0x40)] =
                    codePoint;
                if (codePoint >= kSupplementaryBase) {
                    // A few characters outside the BMP have two-byte codes of their own.
                    supplementaryTwoByte_[codePoint] = {
                        static_cast<std::uint32_t>(lead << 8 | trail), 2};
                }
            }
        }
    }

    void fillFourByte(iconv_t toUtf8) {
        for (std::uint32_t index = 0; index < kFourByteBmpCount; ++index) {
            const char gb[] = {static_cast<char>(0x81 + index / 12600),
                               static_cast<char>(0x30 + index / 1260 % 10),
                               static_cast<char>(0x81 + index / 10 % 126),
                               static_cast<char>(0x30 + index % 10)};
            const std::uint32_t codePoint = singleCodePoint(run(toUtf8, std::string_view(gb, 4)));
            fourByte_[index] = codePoint < 0x10000 ? static_cast<std::uint16_t>(codePoint) : 0;
        }
    }

    std::vector<GbCode> fromUnicode_;
    std::vector<std::uint32_t> twoByte_;
    std::vector<std::uint16_t> fourByte_;
    std::unordered_map<std::uint32_t, GbCode> supplementaryTwoByte_;
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

// The output pointer is a local of the converting loop: written through a member, every
// byte stored could alias the pointer itself and force it back to memory.
inline void putGb(char*& out, GbCode code) {
    for (int shift = (code.length - 1) * 8; shift >= 0; shift -= 8) {
        *out++ = static_cast<char>((code.bytes >> shift) & 0xFF);
    }
}

inline void putUtf8(char*& out, std::uint32_t codePoint) {
    if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Runs `convert(out)` over a buffer sized for the worst case and trims it to what was written.
template <typename Convert>
std::string converted(std::size_t worstCase, Convert convert) {
    std::string buffer(worstCase, '\0');
    char* const begin = buffer.data();
    buffer.resize(static_cast<std::size_t>(convert(begin) - begin));
    return buffer;
}

}  // namespace

// A GB18030 character of n bytes becomes at most 2n UTF-8 bytes.
std::string gb18030ToUtf8(std::string_view gb) {
    const Tables& t = tables();
    const std::uint32_t* const twoByte = t.twoByteCodePoints();
    return converted(gb.size() * 2, [&](char* out) {
        for (std::size_t i = 0; i < gb.size();) {
            const auto lead = static_cast<unsigned char>(gb[i]);
            if (lead < 0x80) {
                *out++ = gb[i++];
                continue;
            }
            const std::size_t length = charLengthAt(gb, i);
            if (length == 2) {
                const auto trail = static_cast<unsigned char>(gb[i + 1]);
                const std::uint32_t codePoint =
                    twoByte[static_cast<std::size_t>(lead - 0x81) * kTrailCount + (trail - 0x40)];
                codePoint != kNone ? putUtf8(out, codePoint) : void(*out++ = '?');
                i += 2;
                continue;
            }
            const auto* bytes = reinterpret_cast<const unsigned char*>(gb.data() + i);
            const std::optional<std::uint32_t> codePoint =
                length == 1 ? std::nullopt : t.decode(bytes, length);
            if (codePoint) {
                putUtf8(out, *codePoint);
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
    const Tables& t = tables();
    const GbCode* const bmp = t.bmpCodes();
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
                    const GbCode code =
                        bmp[((lead & 0x0Fu) << 12) | ((second & 0x3Fu) << 6) | (third & 0x3Fu)];
                    code.length != 0 ? putGb(out, code) : void(*out++ = '?');
                    i += 3;
                    continue;
                }
            }
            const std::optional<std::uint32_t> codePoint = decodeUtf8(utf8, i);
            const GbCode code = codePoint ? t.encode(*codePoint) : GbCode{};
            if (code.length == 0) {
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
