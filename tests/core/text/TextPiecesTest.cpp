#include <gtest/gtest.h>

#include "core/text/Gb18030.h"
#include "core/text/NumberText.h"
#include "core/text/TextPieces.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using Pieces = std::vector<std::string>;

TEST(TextPieces, SplitKeepsInnerEmptyPiecesAndDropsTheTrailingOne) {
    EXPECT_EQ(splitText("a,,b", ","), (Pieces{"a", "", "b"}));
    EXPECT_EQ(splitText("a,b,", ","), (Pieces{"a", "b"}));
    EXPECT_EQ(splitText(",a", ","), (Pieces{"", "a"}));
    EXPECT_EQ(splitText(",", ","), (Pieces{""}));
    EXPECT_EQ(splitText("a,,", ","), (Pieces{"a", ""}));
    EXPECT_TRUE(splitText("", ",").empty());
    EXPECT_EQ(splitText("abc", ""), (Pieces{"abc"}));
    EXPECT_EQ(splitText("a\r\nb\r\n", "\r\n"), (Pieces{"a", "b"}));
    EXPECT_EQ(splitText(gb("北京市 中央气象台"), " "), (Pieces{gb("北京市"), gb("中央气象台")}));
}

TEST(TextPieces, SplitDoesNotCutInsideACharacter) {
    // 丄 (81 41) carries an "A" as its second byte.
    EXPECT_EQ(splitText("x\x81\x41y", "A"), (Pieces{"x\x81\x41y"}));
    EXPECT_EQ(joinText(splitText("a,b,,c", ","), ","), "a,b,,c");
}

TEST(TextPieces, TrimRemovesAsciiAndIdeographicSpacesOnly) {
    EXPECT_EQ(trimText(gb("　 北京 　")), gb("北京"));
    EXPECT_EQ(trimText(" \tx\t "), "\tx\t");
    EXPECT_EQ(trimText("   "), "");
    EXPECT_EQ(trimText(""), "");
    // B0 A1 A1: 啊 followed by a lone A1; the A1 A1 across the boundary is no space.
    EXPECT_EQ(trimText("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
}

TEST(TextPieces, EndsWithRespectsCharacterBoundaries) {
    EXPECT_TRUE(endsWith(gb("中央气象台"), gb("气象台")));
    EXPECT_TRUE(endsWith("abc", ""));
    EXPECT_FALSE(endsWith("\xB0\xA1\xB0\xA2", "\xA1\xB0\xA2"));
    EXPECT_FALSE(endsWith("ab", "abc"));
    EXPECT_TRUE(startsWith("https://x", "https://"));
}

TEST(TextPieces, CharacterLengths) {
    EXPECT_EQ(charLengthAt("a", 0), 1u);
    EXPECT_EQ(charLengthAt("\xB1\xB1", 0), 2u);
    EXPECT_EQ(charLengthAt("\x81\x30\x81\x30", 0), 4u);
    EXPECT_EQ(charLengthAt("\x81\x30\x81", 0), 1u);  // truncated four-byte sequence
    EXPECT_EQ(charLengthAt("\xB1", 0), 1u);
    EXPECT_EQ(charBoundaryBefore(gb("北京"), 3), 2u);
}

TEST(NumberText, ThirteenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(formatReal(0.5), "0.5");
    EXPECT_EQ(formatReal(2.0), "2");
    EXPECT_EQ(formatReal(1.0 / 3.0), "0.3333333333333");
    EXPECT_EQ(formatReal(1e20), "1e+20");
    EXPECT_EQ(formatReal(123456789012345.0), "1.234567890123e+14");
    EXPECT_EQ(formatReal(-0.00001), "-1e-05");
}

}  // namespace
}  // namespace galewarden
