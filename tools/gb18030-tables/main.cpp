// galewarden-gb18030-tables OUTPUT: reads the GB18030 mapping from the system's converter,
// brings it to the 2022 edition (Gb18030Overrides.h) and writes it as a C++ source defining the
// tables of Gb18030TableData.h. Fails, writing nothing, when the mapping does not come out
// whole: some Chinese text would otherwise become "?".
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/Gb18030Overrides.h"
#include "core/text/Gb18030TableData.h"
#include "core/text/Utf8.h"

namespace {

using namespace galewarden;
using namespace galewarden::detail;

constexpr std::uint32_t kSupplementaryBase = 0x10000;
constexpr std::uint32_t kNonAsciiBmpCount = 0x10000 - 0x80 - 0x800;  // no surrogates
constexpr std::size_t kTwoByteCodeCount = 126 * 190;                 // trail 0x7F names none
static_assert(kTwoByteCodeCount + kFourByteBmpCount == kNonAsciiBmpCount);

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);

// One character through the converter; empty when it has no counterpart.
std::string converted(iconv_t handle, std::string_view input) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    std::array<char, 16> bytes{};
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = bytes.data();
    std::size_t outLeft = bytes.size();
    if (iconv(handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        return {};
    }
    return std::string(bytes.data(), bytes.size() - outLeft);
}

// The code point of a text that is exactly one UTF-8 character.
std::optional<std::uint32_t> singleCodePoint(std::string_view utf8) {
    std::size_t at = 0;
    const std::optional<std::uint32_t> codePoint =
        utf8.empty() ? std::nullopt : decodeUtf8(utf8, at);
    return codePoint && at == utf8.size() ? codePoint : std::nullopt;
}

// Bytes packed into a number, the first lowest.
std::uint32_t packed(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

std::uint32_t packedUtf8(std::uint32_t codePoint) {
    const std::string utf8 = utf8Of(codePoint);
    return packed(utf8) | static_cast<std::uint32_t>(utf8.size()) << 24;
}

std::string fourByteCode(std::uint32_t index) {
    return {static_cast<char>(0x81 + index / 12600), static_cast<char>(0x30 + index / 1260 % 10),
            static_cast<char>(0x81 + index / 10 % 126), static_cast<char>(0x30 + index % 10)};
}

struct Tables {
    std::vector<std::uint32_t> bmpToGb = std::vector<std::uint32_t>(0x10000);
    std::vector<std::uint32_t> twoByteToUtf8 = std::vector<std::uint32_t>(kTwoByteIndexCount);
    std::vector<std::uint16_t> fourByteToBmp = std::vector<std::uint16_t>(kFourByteBmpCount);

    void fill(iconv_t toGb, iconv_t toUtf8) {
        for (std::uint32_t codePoint = 0x80; codePoint < 0x10000; ++codePoint) {
            if (codePoint < 0xD800 || codePoint > 0xDFFF) {
                const std::string gb = converted(toGb, utf8Of(codePoint));
                bmpToGb[codePoint] = gb.size() == 2 || gb.size() == 4 ? packed(gb) : 0;
            }
        }
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const char gb[] = {static_cast<char>(lead), static_cast<char>(trail)};
                const auto codePoint = singleCodePoint(converted(toUtf8, std::string_view(gb, 2)));
                // Characters beyond the BMP have only their computed four-byte codes, so a
                // two-byte one would not come back.
                if (trail != 0x7F && codePoint && *codePoint < kSupplementaryBase) {
                    twoByteToUtf8[twoByteIndex(lead, trail)] = packedUtf8(*codePoint);
                }
            }
        }
        for (std::uint32_t index = 0; index < kFourByteBmpCount; ++index) {
            const auto codePoint = singleCodePoint(converted(toUtf8, fourByteCode(index)));
            fourByteToBmp[index] =
                codePoint && *codePoint < 0x10000 ? static_cast<std::uint16_t>(*codePoint) : 0;
        }
    }

    void applyOverrides() {
        for (const GbOverride& entry : kGb18030Overrides) {
            bmpToGb[entry.codePoint] = packed(entry.bytes);
            const auto* b = reinterpret_cast<const unsigned char*>(entry.bytes.data());
            if (entry.bytes.size() == 2) {
                twoByteToUtf8[twoByteIndex(b[0], b[1])] = packedUtf8(entry.codePoint);
            } else {
                fourByteToBmp[fourByteIndex(b)] = static_cast<std::uint16_t>(entry.codePoint);
            }
        }
    }

    bool complete() const {
        const auto mapped = [](const auto& table) {
            return static_cast<std::size_t>(
                std::count_if(table.begin(), table.end(), [](auto value) { return value != 0; }));
        };
        return mapped(bmpToGb) == kNonAsciiBmpCount && mapped(twoByteToUtf8) == kTwoByteCodeCount &&
               mapped(fourByteToBmp) == kFourByteBmpCount;
    }
};

template <typename Value>
void writeTable(std::ofstream& out, std::string_view declaration, const std::vector<Value>& table) {
    out << "\nconst " << declaration << " = {";
    for (std::size_t i = 0; i < table.size(); ++i) {
        out << (i % 8 == 0 ? "\n    " : " ") << "0x" << std::hex << table[i] << std::dec << ',';
    }
    out << "\n};\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: galewarden-gb18030-tables OUTPUT\n", stderr);
        return 2;
    }
    const iconv_t toGb = iconv_open("GB18030", "UTF-8");
    const iconv_t toUtf8 = iconv_open("UTF-8", "GB18030");
    if (toGb == kNoHandle || toUtf8 == kNoHandle) {
        std::fputs("galewarden-gb18030-tables: iconv has no GB18030 converter\n", stderr);
        return 1;
    }
    Tables tables;
    tables.fill(toGb, toUtf8);
    iconv_close(toGb);
    iconv_close(toUtf8);
    tables.applyOverrides();
    if (!tables.complete()) {
        std::fputs("galewarden-gb18030-tables: the converter's GB18030 mapping is incomplete\n",
                   stderr);
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << "// Written by galewarden-gb18030-tables.\n"
           "#include \"core/text/Gb18030TableData.h\"\n\n"
           "namespace galewarden::detail {\n";
    writeTable(out, "std::uint32_t kBmpToGb[0x10000]", tables.bmpToGb);
    writeTable(out, "std::uint32_t kTwoByteToUtf8[kTwoByteIndexCount]", tables.twoByteToUtf8);
    writeTable(out, "std::uint16_t kFourByteToBmp[kFourByteBmpCount]", tables.fourByteToBmp);
    out << "\n}  // namespace galewarden::detail\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "galewarden-gb18030-tables: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
