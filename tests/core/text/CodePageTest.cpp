#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "core/text/CodePage.h"
#include "core/text/Md5.h"
#include "core/text/Utf8.h"

namespace galewarden {
namespace {

bool isSurrogate(std::uint32_t codePoint) {
    return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

std::string hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char byte : bytes) {
        text += kDigits[static_cast<unsigned char>(byte) >> 4];
        text += kDigits[static_cast<unsigned char>(byte) & 0xF];
    }
    return text;
}

TEST(CodePage, Gb18030AndUtf8RoundTrip) {
    const std::string utf8 = "北京市 a😀€";
    const std::string gb = gbFromUtf8(utf8);
    EXPECT_EQ(gb.substr(0, 6), "\xB1\xB1\xBE\xA9\xCA\xD0");
    EXPECT_EQ(utf8FromGb(gb), utf8);
}

TEST(CodePage, JavaFormEscapesEveryNonAsciiUnit) {
    EXPECT_EQ(convertText("a北😀", Encoding::Utf8, Encoding::Java), "a\\u5317\\ud83d\\ude00");
    EXPECT_EQ(convertText("a\\u5317\\uD83D\\uDE00", Encoding::Java, Encoding::Utf8), "a北😀");
    EXPECT_EQ(convertText("\\u5317", Encoding::Java, Encoding::Gb18030), "\xB1\xB1");
    EXPECT_EQ(convertText("\xB1\xB1", Encoding::Gb18030, Encoding::Java), "\\u5317");
    EXPECT_EQ(convertText("\\x \\u12", Encoding::Java, Encoding::Utf8), "\\x \\u12");
    EXPECT_EQ(convertText("\\ud83d!", Encoding::Java, Encoding::Utf8), "?!");
}

TEST(CodePage, InvalidInputBecomesQuestionMarks) {
    struct Case {
        std::string_view input;
        Encoding from;
        Encoding to;
        std::string_view expected;
    };
    const Case cases[] = {
        {"a\xFF"
         "b",
         Encoding::Utf8, Encoding::Java, "a?b"},
        {"a\xC0\xAF", Encoding::Utf8, Encoding::Java, "a??"},  // overlong
        {"a\xE4\xB8", Encoding::Utf8, Encoding::Java, "a??"},  // truncated
        {"a\xFF"
         "b",
         Encoding::Utf8, Encoding::Gb18030, "a?b"},
        {"", Encoding::Utf8, Encoding::Gb18030, ""},
        {"a\x80"
         "b",
         Encoding::Gb18030, Encoding::Utf8, "a?b"},
        {"a\xB1", Encoding::Gb18030, Encoding::Utf8, "a?"},
        // Four-byte codes past the last BMP one, past U+10FFFF, and the very last.
        {"\x84\x31\xA5\x30", Encoding::Gb18030, Encoding::Utf8, "?"},
        {"\xE3\x32\x9A\x36", Encoding::Gb18030, Encoding::Utf8, "?"},
        {"\xFE\x39\xFE\x39", Encoding::Gb18030, Encoding::Utf8, "?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(convertText(c.input, c.from, c.to), c.expected) << hex(c.input);
    }
}

TEST(CodePage, EveryScalarValueSurvivesARoundTrip) {
    for (std::uint32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        const std::string utf8 = utf8Of(codePoint);
        if (!isSurrogate(codePoint) && utf8FromGb(gbFromUtf8(utf8)) != utf8) {
            ADD_FAILURE() << "U+" << std::hex << codePoint << " becomes " << hex(gbFromUtf8(utf8));
        }
    }
}

// The n-th four-byte code, counting from 81 30 81 30.
std::string fourByteCode(std::uint32_t n) {
    return {static_cast<char>(0x81 + n / 12600), static_cast<char>(0x30 + n / 1260 % 10),
            static_cast<char>(0x81 + n / 10 % 126), static_cast<char>(0x30 + n % 10)};
}

// Every two-byte code, the four-byte codes of the BMP (81308130..8431A439) and those of the
// other planes (90308130..E3329A35).
template <typename Visit>
void forEachCodeWithACharacter(Visit visit) {
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F) {
                visit(std::string{static_cast<char>(lead), static_cast<char>(trail)});
            }
        }
    }
    for (std::uint32_t n = 0; n < 39420; ++n) {
        visit(fourByteCode(n));
    }
    for (std::uint32_t n = 0; n <= 0x10FFFF - 0x10000; ++n) {
        visit(fourByteCode(189000 + n));
    }
}

TEST(CodePage, EveryCodeWithACharacterSurvivesARoundTrip) {
    forEachCodeWithACharacter([](const std::string& code) {
        const std::string utf8 = utf8FromGb(code);
        if (utf8 == "?" || gbFromUtf8(utf8) != code) {
            ADD_FAILURE() << hex(code) << " becomes " << hex(utf8) << " (UTF-8)";
        }
    });
}

// GB18030-2022 gave eighteen two-byte codes the characters Unicode had encoded meanwhile, and
// the private-use points they had named the four-byte codes of those characters; six two-byte
// codes keep their private-use points.
struct Mapping {
    std::uint32_t codePoint;
    std::string_view gb;
};
constexpr Mapping k2022Mappings[] = {
    {0xFE10, "\xA6\xD9"},
    {0xFE12, "\xA6\xDA"},
    {0xFE11, "\xA6\xDB"},
    {0xFE13, "\xA6\xDC"},
    {0xFE14, "\xA6\xDD"},
    {0xFE15, "\xA6\xDE"},
    {0xFE16, "\xA6\xDF"},
    {0xFE17, "\xA6\xEC"},
    {0xFE18, "\xA6\xED"},
    {0xFE19, "\xA6\xF3"},
    {0xE816, "\xFE\x51"},
    {0xE817, "\xFE\x52"},
    {0xE818, "\xFE\x53"},
    {0x9FB4, "\xFE\x59"},
    {0x9FB5, "\xFE\x61"},
    {0x9FB6, "\xFE\x66"},
    {0x9FB7, "\xFE\x67"},
    {0xE831, "\xFE\x6C"},
    {0x9FB8, "\xFE\x6D"},
    {0xE83B, "\xFE\x76"},
    {0x9FB9, "\xFE\x7E"},
    {0x9FBA, "\xFE\x90"},
    {0xE855, "\xFE\x91"},
    {0x9FBB, "\xFE\xA0"},
    {0xE81E, "\x82\x35\x90\x37"},
    {0xE826, "\x82\x35\x90\x38"},
    {0xE82B, "\x82\x35\x90\x39"},
    {0xE82C, "\x82\x35\x91\x30"},
    {0xE832, "\x82\x35\x91\x31"},
    {0xE843, "\x82\x35\x91\x32"},
    {0xE854, "\x82\x35\x91\x33"},
    {0xE864, "\x82\x35\x91\x34"},
    {0xE78D, "\x84\x31\x82\x36"},
    {0xE78F, "\x84\x31\x82\x37"},
    {0xE78E, "\x84\x31\x82\x38"},
    {0xE790, "\x84\x31\x82\x39"},
    {0xE791, "\x84\x31\x83\x30"},
    {0xE792, "\x84\x31\x83\x31"},
    {0xE793, "\x84\x31\x83\x32"},
    {0xE794, "\x84\x31\x83\x33"},
    {0xE795, "\x84\x31\x83\x34"},
    {0xE796, "\x84\x31\x83\x35"},
    // The characters of the six have four-byte codes of their own.
    {0x20087, "\x95\x32\x90\x31"},
    {0x20089, "\x95\x32\x90\x33"},
    {0x200CC, "\x95\x32\x97\x30"},
    {0x215D7, "\x95\x36\xB9\x37"},
    {0x2298F, "\x96\x30\xBA\x35"},
    {0x241FE, "\x96\x35\xB6\x30"},
};

TEST(CodePage, FollowsThe2022MappingOfFormerPrivateUseCodes) {
    for (const Mapping& mapping : k2022Mappings) {
        const std::string utf8 = utf8Of(mapping.codePoint);
        EXPECT_EQ(gbFromUtf8(utf8), mapping.gb) << std::hex << mapping.codePoint;
        EXPECT_EQ(utf8FromGb(mapping.gb), utf8) << hex(mapping.gb);
    }
}

TEST(Md5, LowerCaseHexDigest) {
    EXPECT_EQ(md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
}

std::string systemConvert(const char* to, const char* from, const std::string& input) {
    iconv_t handle = iconv_open(to, from);
    std::string output(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const bool converted =
        iconv(handle, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(handle);
    output.resize(output.size() - outLeft);
    return converted ? output : std::string();
}

// Where two long texts first differ, shown briefly; empty when they are equal.
std::string difference(std::string_view ours, std::string_view system) {
    const auto [at, _] = std::mismatch(ours.begin(), ours.end(), system.begin(), system.end());
    if (ours.size() == system.size() && at == ours.end()) {
        return {};
    }
    const auto offset = static_cast<std::size_t>(at - ours.begin());
    return "at " + std::to_string(offset) + ": " + hex(ours.substr(offset, 8)) + " against " +
           hex(system.substr(offset, 8));
}

TEST(CodePage, AgreesWithTheSystemConverterOutsideThe2022Changes) {
    // Where the system's converter predates the 2022 mapping (glibc 2.36: no codes for the
    // private-use points, two-byte codes for the six supplementary characters), it is left out.
    std::set<std::uint32_t> changed;
    for (const Mapping& mapping : k2022Mappings) {
        if ((mapping.codePoint >= 0xE000 && mapping.codePoint <= 0xF8FF) ||
            mapping.codePoint >= 0x10000) {
            changed.insert(mapping.codePoint);
        }
    }
    ASSERT_EQ(changed.size(), 30u);
    std::string utf8;
    for (std::uint32_t codePoint = 1; codePoint <= 0x10FFFF; ++codePoint) {
        if (!isSurrogate(codePoint) && !changed.contains(codePoint)) {
            appendUtf8(utf8, codePoint);
        }
    }
    const std::string gb = systemConvert("GB18030", "UTF-8", utf8);
    ASSERT_FALSE(gb.empty());
    EXPECT_EQ(difference(gbFromUtf8(utf8), gb), "");
    EXPECT_EQ(difference(utf8FromGb(gb), systemConvert("UTF-8", "GB18030", gb)), "");
}

}  // namespace
}  // namespace galewarden
