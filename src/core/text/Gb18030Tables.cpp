#include "core/text/Gb18030Tables.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "core/text/Gb18030.h"
#include "core/text/Gb18030Overrides.h"
#include "core/text/Utf8.h"

namespace galewarden::detail {
namespace {

constexpr std::uint32_t kNone = 0;
constexpr int kTrailCount = 191;  // 0x40..0xFE
constexpr std::uint32_t kTwoByteCount = 126 * 190;
constexpr std::uint32_t kFourByteBmpCount = 39420;
constexpr std::uint32_t kNonAsciiBmpCount = 0x10000 - 0x80 - 0x800;  // no surrogates
static_assert(kTwoByteCount + kFourByteBmpCount == kNonAsciiBmpCount);
constexpr std::uint32_t kSupplementaryBase = 0x10000;
constexpr std::size_t kSlack = 4;  // whole characters are stored four bytes at a time
const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);

// One character in the target encoding: its bytes, ready to be copied, and how many count.
struct Encoded {
    std::array<char, 4> bytes{};
    std::uint8_t length = 0;
};

Encoded encodedFrom(std::string_view bytes) {
    Encoded encoded;
    if (bytes.empty() || bytes.size() > encoded.bytes.size()) {
        return encoded;
    }
    std::memcpy(encoded.bytes.data(), bytes.data(), bytes.size());
    encoded.length = static_cast<std::uint8_t>(bytes.size());
    return encoded;
}

std::uint32_t fourByteIndex(const unsigned char* b) {
    return ((static_cast<std::uint32_t>(b[0] - 0x81) * 10 + (b[1] - 0x30)) * 126 + (b[2] - 0x81)) *
               10 +
           (b[3] - 0x30);
}

std::size_t twoByteIndex(unsigned char lead, unsigned char trail) {
    return static_cast<std::size_t>(lead - 0x81) * kTrailCount + (trail - 0x40);
}

// One character converted, kept on the stack: the tables convert every character of both
// encodings one at a time, and a string each would be a hundred thousand allocations at start.
class OneCharacter {
  public:
    OneCharacter(iconv_t handle, std::string_view input) {
        iconv(handle, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = bytes_.data();
        std::size_t outLeft = bytes_.size();
        if (input.size() <= kLongestInput &&
            iconv(handle, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) {
            size_ = bytes_.size() - outLeft;
        }
    }

    std::string_view text() const { return {bytes_.data(), size_}; }

  private:
    static constexpr std::size_t kLongestInput = 4;
    std::array<char, 16> bytes_{};
    std::size_t size_ = 0;
};

// The code point of a text that is exactly one UTF-8 character; kNone otherwise.
std::uint32_t singleCodePoint(std::string_view utf8) {
    std::size_t at = 0;
    const std::optional<std::uint32_t> codePoint = decodeUtf8(utf8, at);
    return codePoint && at == utf8.size() ? *codePoint : kNone;
}

class Tables {
  public:
    Tables() : toGb_(0x10000), twoByteToUtf8_(126 * kTrailCount), fourByte_(kFourByteBmpCount) {
        iconv_t toGb = iconv_open("GB18030", "UTF-8");
        iconv_t toUtf8 = iconv_open("UTF-8", "GB18030");
        if (toGb != kNoHandle && toUtf8 != kNoHandle) {
            fillToGb(toGb);
            fillTwoByte(toUtf8);
            fillFourByte(toUtf8);
            applyOverrides();
            ready_ = complete();
        }
        for (iconv_t handle : {toGb, toUtf8}) {
            if (handle != kNoHandle) {
                iconv_close(handle);
            }
        }
    }

    bool ready() const { return ready_; }

    // The tables themselves, for loops that keep them in registers.
    const Encoded* bmpToGb() const { return toGb_.data(); }
    const Encoded* twoByteToUtf8() const { return twoByteToUtf8_.data(); }

    Encoded toGb(std::uint32_t codePoint) const {
        if (codePoint < 0x10000) {
            return toGb_[codePoint];
        }
        const std::uint32_t index = codePoint - kSupplementaryBase;
        const char bytes[] = {
            static_cast<char>(0x90 + index / 12600), static_cast<char>(0x30 + index / 1260 % 10),
            static_cast<char>(0x81 + index / 10 % 126), static_cast<char>(0x30 + index % 10)};
        return encodedFrom(std::string_view(bytes, 4));
    }

    // The code point of a four-byte character; kNone when it has none.
    std::uint32_t fourByteCodePoint(const unsigned char* b) const {
        if (b[0] < 0x90) {
            const std::uint32_t index = fourByteIndex(b);
            return index < kFourByteBmpCount ? fourByte_[index] : kNone;
        }
        static const unsigned char first[] = {0x90, 0x30, 0x81, 0x30};
        const std::uint32_t codePoint =
            kSupplementaryBase + fourByteIndex(b) - fourByteIndex(first);
        return codePoint <= 0x10FFFF ? codePoint : kNone;
    }

  private:
    void fillToGb(iconv_t toGb) {
        for (std::uint32_t codePoint = 1; codePoint < 0x10000; ++codePoint) {
            if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
                continue;
            }
            std::string utf8;
            appendUtf8(utf8, codePoint);
            toGb_[codePoint] = encodedFrom(OneCharacter(toGb, utf8).text());
        }
    }

    void fillTwoByte(iconv_t toUtf8) {
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) {
                    continue;
                }
                const char gb[] = {static_cast<char>(lead), static_cast<char>(trail)};
                const OneCharacter converted(toUtf8, std::string_view(gb, 2));
                const std::string_view utf8 = converted.text();
                // Characters beyond the BMP have only their computed four-byte codes, so a
                // two-byte one would not come back.
                const std::uint32_t codePoint = singleCodePoint(utf8);
                if (codePoint != kNone && codePoint < kSupplementaryBase) {
                    twoByteToUtf8_[twoByteIndex(lead, trail)] = encodedFrom(utf8);
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
            const std::uint32_t codePoint =
                singleCodePoint(OneCharacter(toUtf8, std::string_view(gb, 4)).text());
            fourByte_[index] = codePoint < 0x10000 ? static_cast<std::uint16_t>(codePoint) : 0;
        }
    }

    void applyOverrides() {
        for (const GbOverride& entry : kGb18030Overrides) {
            toGb_[entry.codePoint] = encodedFrom(entry.bytes);
            const auto* b = reinterpret_cast<const unsigned char*>(entry.bytes.data());
            if (entry.bytes.size() == 2) {
                twoByteToUtf8_[twoByteIndex(b[0], b[1])] = encodedFrom(utf8Of(entry.codePoint));
            } else {
                fourByte_[fourByteIndex(b)] = static_cast<std::uint16_t>(entry.codePoint);
            }
        }
    }

    // Anything less and some Chinese text would silently become "?".
    bool complete() const {
        return countMapped(toGb_.begin() + 0x80, toGb_.end()) == kNonAsciiBmpCount &&
               countMapped(twoByteToUtf8_.begin(), twoByteToUtf8_.end()) == kTwoByteCount &&
               std::find(fourByte_.begin(), fourByte_.end(), 0) == fourByte_.end();
    }

    static std::size_t countMapped(std::vector<Encoded>::const_iterator begin,
                                   std::vector<Encoded>::const_iterator end) {
        return static_cast<std::size_t>(std::count_if(
            begin, end, [](const Encoded& character) { return character.length != 0; }));
    }

    std::vector<Encoded> toGb_;            // by BMP code point
    std::vector<Encoded> twoByteToUtf8_;   // by two-byte code
    std::vector<std::uint16_t> fourByte_;  // BMP code point by four-byte index
    bool ready_ = false;
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

// The output pointer is a local of the converting loop: written through a member, every
// byte stored could alias the pointer itself and force it back to memory.
inline void put(char*& out, const Encoded& character) {
    std::memcpy(out, character.bytes.data(), character.bytes.size());
    out += character.length;
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

bool gb18030TablesReady() {
    return tables().ready();
}

// A GB18030 character of n bytes becomes at most 2n UTF-8 bytes.
std::string gb18030ToUtf8(std::string_view gb) {
    const Tables& t = tables();
    const Encoded* const twoByte = t.twoByteToUtf8();
    return converted(gb.size() * 2, [&](char* out) {
        for (std::size_t i = 0; i < gb.size();) {
            const auto lead = static_cast<unsigned char>(gb[i]);
            if (lead < 0x80) {
                *out++ = gb[i++];
                continue;
            }
            const std::size_t length = charLengthAt(gb, i);
            if (length == 2) {
                const Encoded& character =
                    twoByte[twoByteIndex(lead, static_cast<unsigned char>(gb[i + 1]))];
                character.length != 0 ? put(out, character) : void(*out++ = '?');
            } else if (length == 4) {
                const std::uint32_t codePoint =
                    t.fourByteCodePoint(reinterpret_cast<const unsigned char*>(gb.data() + i));
                codePoint != kNone ? put(out, encodedFrom(utf8Of(codePoint))) : void(*out++ = '?');
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
    const Encoded* const bmp = t.bmpToGb();
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
                    const Encoded& character =
                        bmp[((lead & 0x0Fu) << 12) | ((second & 0x3Fu) << 6) | (third & 0x3Fu)];
                    character.length != 0 ? put(out, character) : void(*out++ = '?');
                    i += 3;
                    continue;
                }
            }
            const std::optional<std::uint32_t> codePoint = decodeUtf8(utf8, i);
            const Encoded character = codePoint ? t.toGb(*codePoint) : Encoded{};
            if (character.length == 0) {
                *out++ = '?';
                i += codePoint ? 0 : 1;
            } else {
                put(out, character);
            }
        }
        return out;
    });
}

}  // namespace galewarden::detail
