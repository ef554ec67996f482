#include <gtest/gtest.h>

#include "core/alerts/classify/SignalColour.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;

TEST(SignalColour, OneTableServesLevelsNamesAndWords) {
    const struct {
        const char* character;
        int level;
        const char* levelName;
        const char* levelWord;
    } cases[] = {
        {"白", 1, "Ⅴ级/注意", "提示信息"},     {"蓝", 2, "Ⅳ级/一般", "一般"},
        {"黄", 3, "Ⅲ级/较重", "较重"},         {"橙", 4, "Ⅱ级/严重", "严重"},
        {"红", 5, "Ⅰ级/特别严重", "特别严重"}, {"无", 0, "未知级别", ""},
        {"蓝色", 0, "未知级别", ""},           {"", 0, "未知级别", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(colourLevel(gb(c.character)), c.level) << c.character;
        EXPECT_EQ(utf8(levelName(gb(c.character))), c.levelName) << c.character;
        EXPECT_EQ(utf8(levelWord(c.level)), c.levelWord) << c.character;
        if (c.level != 0) {
            EXPECT_EQ(utf8(colourCharacter(c.level)), c.character);
        }
    }
    EXPECT_EQ(colourCharacter(6), "");
    EXPECT_EQ(levelWord(-1), "");
}

TEST(SignalColour, TheColourIsTheLastCharacterOfTheName) {
    EXPECT_EQ(utf8(colourCharacterOf(gb("暴雨蓝"))), "蓝");
    EXPECT_EQ(utf8(typeOf(gb("暴雨蓝"))), "暴雨");
    EXPECT_EQ(colourCharacterOf("x"), "x");
    EXPECT_EQ(typeOf("x"), "");
}

}  // namespace
}  // namespace galewarden
