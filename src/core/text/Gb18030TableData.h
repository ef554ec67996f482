#pragma once

#include <cstddef>
#include <cstdint>

// The GB18030 ⇄ Unicode tables, written when the program is built by tools/gb18030-tables from
// the build system's GB18030 converter and Gb18030Overrides.h, so that no process builds them.
namespace galewarden::detail {

inline constexpr std::size_t kTrailCount = 191;  // 0x40..0xFE
inline constexpr std::size_t kTwoByteIndexCount = 126 * kTrailCount;
inline constexpr std::uint32_t kFourByteBmpCount = 39420;

inline std::size_t twoByteIndex(unsigned char lead, unsigned char trail) {
    return static_cast<std::size_t>(lead - 0x81) * kTrailCount + (trail - 0x40);
}

inline std::uint32_t fourByteIndex(const unsigned char* b) {
    return ((static_cast<std::uint32_t>(b[0] - 0x81) * 10 + (b[1] - 0x30)) * 126 + (b[2] - 0x81)) *
               10 +
           (b[3] - 0x30);
}

// By BMP code point: the GB18030 code, its first byte lowest; more than 0xFFFF for a four-byte
// code, 0 for none (ASCII and the surrogates).
extern const std::uint32_t kBmpToGb[0x10000];
// By two-byte index: the character's UTF-8, its first byte lowest and its length in the top
// byte; 0 where the code names no character of the BMP.
extern const std::uint32_t kTwoByteToUtf8[kTwoByteIndexCount];
// By four-byte index below 0x90308130: the BMP code point.
extern const std::uint16_t kFourByteToBmp[kFourByteBmpCount];

}  // namespace galewarden::detail
