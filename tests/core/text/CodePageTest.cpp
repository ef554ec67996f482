#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>

#include "core/text/CodePage.h"
#include "core/text/Md5.h"
#include "core/text/Utf8.h"

namespace galewarden {
namespace {

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
    EXPECT_EQ(convertText("a\xFF"
                          "b",
                          Encoding::Utf8, Encoding::Java),
              "a?b");
    EXPECT_EQ(convertText("a\xC0\xAF", Encoding::Utf8, Encoding::Java), "a??");  // overlong
    EXPECT_EQ(convertText("a\xE4\xB8", Encoding::Utf8, Encoding::Java), "a??");  // truncated
    EXPECT_EQ(gbFromUtf8("a\xFF"
                         "b"),
              "a?b");
    EXPECT_EQ(utf8FromGb("a\x80"
                         "b"),
              "a?b");
    EXPECT_EQ(utf8FromGb("a\xB1"), "a?");
    EXPECT_EQ(gbFromUtf8(""), "");
}

TEST(Md5, LowerCaseHexDigest) {
    EXPECT_EQ(md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
}

}  // namespace
}  // namespace galewarden

namespace galewarden {
namespace {

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

TEST(CodePage, AgreesWithTheSystemConverterOnEveryCharacter) {
    // Every character the system can convert (a few private-use ones it cannot: "?" here).
    std::string utf8;
    for (std::uint32_t codePoint = 1; codePoint <= 0x10FFFF; ++codePoint) {
        std::string character;
        appendUtf8(character, codePoint);
        if ((codePoint < 0xD800 || codePoint > 0xDFFF) && gbFromUtf8(character) != "?") {
            utf8 += character;
        }
    }
    const std::string gb = systemConvert("GB18030", "UTF-8", utf8);
    ASSERT_FALSE(gb.empty());
    EXPECT_EQ(gbFromUtf8(utf8), gb);
    EXPECT_EQ(utf8FromGb(gb), systemConvert("UTF-8", "GB18030", gb));
}

}  // namespace
}  // namespace galewarden
