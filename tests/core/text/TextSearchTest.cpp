#include <gtest/gtest.h>

#include "core/text/TextSearch.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

// 啊 is B0 A1 and 阿 is B0 A2, so "A1 B0" appears across their boundary; 丂 is 81 40 and
// 丄 is 81 41, whose second byte is an ASCII "A"; U+0080 takes four bytes 81 30 81 30.
const std::string kAcross = "\xB0\xA1\xB0\xA2";
const std::string kTrailA = "\x81\x41";
const std::string kFourByte = "\x81\x30\x81\x30";

TEST(TextSearch, FindsOnlyAtCharacterBoundaries) {
    EXPECT_EQ(findText(kAcross, "\xA1\xB0"), -1);
    EXPECT_EQ(findText(kAcross, "\xB0\xA2"), 3);
    EXPECT_EQ(findText(kTrailA + "A", "A"), 3);
    EXPECT_EQ(findText(kFourByte + "0", "0"), 5);
    EXPECT_EQ(findLastText(kTrailA + "A" + kTrailA, "A"), 3);
    EXPECT_EQ(findText("a" + kFourByte, "\x30\x81"), -1);
}

TEST(TextSearch, FindFromAPositionNeverStartsInsideACharacter) {
    const std::string text = gb("北京市北京");
    EXPECT_EQ(findText(text, gb("北京")), 1);
    EXPECT_EQ(findText(text, gb("北京"), 2), 7);  // position 2 is inside 北
    EXPECT_EQ(findText(text, gb("北京"), 7), 7);
    EXPECT_EQ(findText(text, gb("北京"), 8), -1);
    EXPECT_EQ(findText(text, gb("北京"), 0), 1);
    EXPECT_EQ(findText(text, gb("北京"), 100), -1);
}

TEST(TextSearch, EmptyNeedleRule) {
    EXPECT_EQ(findText("abc", ""), 1);
    EXPECT_EQ(findText("", ""), -1);
    EXPECT_EQ(findLastText("abc", ""), 1);
    EXPECT_EQ(findLastText("", ""), -1);
    EXPECT_TRUE(containsText("abc", ""));
    EXPECT_FALSE(containsText("", ""));
    EXPECT_EQ(findText("", "a"), -1);
}

TEST(TextSearch, LastOccurrence) {
    EXPECT_EQ(findLastText(gb("气象台北京市气象台"), gb("气象台")), 13);
    EXPECT_EQ(findLastText("aaa", "aa"), 2);
    EXPECT_EQ(findLastText("abc", "x"), -1);
}

TEST(TextSearch, IgnoreCaseFoldsWholeAsciiCharactersOnly) {
    EXPECT_EQ(findText("xUser-Agent: y", "user-agent:", 1, Case::Ignore), 2);
    EXPECT_EQ(findText(kTrailA, "a", 1, Case::Ignore), -1);
    EXPECT_EQ(findText(kTrailA, "\x81\x61", 1, Case::Ignore), -1);  // 丄 is not 乣
    EXPECT_EQ(findText(gb("中国BR<BR>"), "<br>", 1, Case::Ignore), 7);
    EXPECT_EQ(findLastText("aXbx", "X", Case::Ignore), 4);
}

TEST(TextSearch, ReplaceAllIsOnePassAndNonOverlapping) {
    EXPECT_EQ(replaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(replaceAll("  x  ", "  ", " "), " x ");
    EXPECT_EQ(replaceAll("a\\\\b", "\\\\", "\\"), "a\\b");
    EXPECT_EQ(replaceAll("x<BR>y<br>", "<br>", "", Case::Ignore), "xy");
    EXPECT_EQ(replaceAll(kAcross, "\xA1\xB0", "!"), kAcross);
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("ab", "b", "bb"), "abb");
}

TEST(TextSearch, FindAllGivesPositionsLeftToRight) {
    EXPECT_EQ(findAllText(gb("北,京,,"), ","), (std::vector<int>{3, 6, 7}));
    EXPECT_TRUE(findAllText("abc", "").empty());
}

TEST(TextSearch, LowerCaseLeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(toLowerAscii("HTTPS://A" + kTrailA), "https://a" + kTrailA);
}

}  // namespace
}  // namespace galewarden
