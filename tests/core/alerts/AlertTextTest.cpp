#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/alerts/LabelSettings.h"
#include "core/alerts/classify/AlertText.h"
#include "core/config/ConfigStore.h"
#include "core/text/TextPieces.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

// 0x81 0x5C is one Chinese character whose second byte is a backslash.
const std::string kTrailBackslash = "\x81\x5C";

struct TextPair {
    std::string input;
    std::string expected;
};

TEST(CleanAlertText, RemovesBreaksAndQuestionMarksAndShrinksSpaces) {
    const TextPair cases[] = {
        {gb(" A?B\r\nC　D  <BR>E`"), "ABC D E&`;"},
        {"a\\nb\\R\\tc", "abc"},
        {"a\\\\b", "a\\b"},
        {"a<br/>b<BR />c<Br>d", "abcd"},
        {"a\tb\rc\nd", "abcd"},
        {"a     b", "a b"},
        {gb("　　a　　"), "a"},
        {"", ""},
        {kTrailBackslash + "n" + kTrailBackslash + "\\",
         kTrailBackslash + "n" + kTrailBackslash + "\\"},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(cleanAlertText(input), expected) << test::utf8(input);
    }
}

TEST(CutGuidanceSection, CutsBeforeTheFirstHeadingInPriorityOrder) {
    const TextPair cases[] = {
        {gb("今天有雨。防御指南：注意防范。"), gb("今天有雨。")},
        {gb("建议：少出门。防御指南：关窗。"), gb("建议：少出门。")},
        {gb("请注意建议事项"), gb("请注意建议事项")},
        {gb("雨大。 防御措施1.关窗"), gb("雨大。")},
        {gb("雨大。防范措施一、关窗"), gb("雨大。")},
        {gb("雨大。风险提示: 关窗"), gb("雨大。")},
        {gb("防御指南很重要。防御指南 关窗"), gb("防御指南很重要。")},
        {gb("防御指南很重要。建议:关窗"), gb("防御指南很重要。")},
        {gb("防御指南：关窗"), ""},
        {gb("雨大。防御指南"), gb("雨大。防御指南")},
        {"", ""},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(cutGuidanceSection(input), expected) << test::utf8(input);
    }
}

TEST(SignalWord, PrefersTheLongerWord) {
    EXPECT_EQ(signalWord(gb("发布暴雨蓝色预警信号")), gb("预警信号"));
    EXPECT_EQ(signalWord(gb("发布大风预警")), gb("预警"));
    EXPECT_EQ(signalWord(gb("预警，预警信号")), gb("预警信号"));
    EXPECT_EQ(signalWord(""), gb("预警信号"));
}

TEST(IsWantedType, DropsEmptyTornadoAndSkippedTypes) {
    const std::vector<std::string> skip = splitText(gb("火,险"), ",");
    EXPECT_TRUE(isWantedType(gb("暴雨"), skip));
    EXPECT_TRUE(isWantedType(gb("龙卷风"), skip));
    EXPECT_FALSE(isWantedType(gb("龙卷"), skip));
    EXPECT_FALSE(isWantedType("", skip));
    EXPECT_FALSE(isWantedType(gb("森林火险"), skip));
    // An empty word between two commas is found in every type.
    EXPECT_FALSE(isWantedType(gb("暴雨"), splitText(gb("火,,险"), ",")));
}

TEST(NationalNames, MarkCentralBodies) {
    EXPECT_EQ(nationalNames().size(), 5u);
    EXPECT_TRUE(hasNationalName(gb("中央气象台")));
    EXPECT_TRUE(hasNationalName(gb("国家气候中心")));
    EXPECT_FALSE(hasNationalName(gb("北京市")));
}

TEST(FormatAlertTitle, BuildsTheTitleFromItsParts) {
    const DateTime july{2020, 7, 20, 20, 0, 0};
    const DateTime january{2024, 1, 5, 8, 0, 0};
    const std::string beijing = gb("北京市"), rainstorm = gb("暴雨"), blue = gb("蓝"),
                      signal = gb("预警信号");
    EXPECT_EQ(test::utf8(formatAlertTitle({beijing, july, rainstorm, blue, signal, std::nullopt})),
              "北京市气象台7月20日20时发布暴雨蓝色预警信号 [Ⅳ级/一般]");
    const std::string centre = gb("国家气象中心"), cold = gb("寒潮"), yellow = gb("黄"),
                      warning = gb("预警"), bureau = gb("应急管理局");
    EXPECT_EQ(test::utf8(formatAlertTitle({centre, january, cold, yellow, warning, bureau})),
              "国家气象中心1月5日8时发布寒潮黄色预警 [Ⅲ级/较重]");
    const std::string shanghai = gb("上海市"), gale = gb("大风"), none = gb("无");
    EXPECT_EQ(test::utf8(formatAlertTitle({shanghai, january, gale, none, warning, bureau})),
              "上海市应急管理局1月5日8时发布大风无色预警 [未知级别]");
    // Texts from the feed are never used as a format.
    EXPECT_EQ(
        formatAlertTitle({"%s%n", january, "%d", "%s", "%%", std::nullopt}),
        "%s%n" + gb("气象台1月5日8时发布") + "%d%s" + gb("色") + "%% [" + gb("未知级别") + "]");
}

struct LabelCase {
    const char* storedText;  // UTF-8, before encoding; nullptr for no key
    const char* show;
    const char* useName;
    const char* expectedText;
    bool expectedUsesName;
};

TEST(LoadLabelSettings, DecodesTheTextAndNeedsAllThreeConditions) {
    const LabelCase cases[] = {
        {nullptr, nullptr, nullptr, "未指定文本", false},
        {"%s 有预警", "1", "1", "%s 有预警", true},
        {"%s 有预警", "0", "1", "%s 有预警", false},
        {"%s 有预警", "1", "0", "%s 有预警", false},
        {"%s 有预警", "1", "true", "%s 有预警", false},
        {"有预警", "1", "1", "有预警", false},
        {"第一行\r\n\"第二行\"\\%", "1", "1", "第一行\r\n\"第二行\"\\%", true},
    };
    for (const LabelCase& c : cases) {
        test::TestHome home;
        ConfigStore store;
        if (c.storedText != nullptr) {
            store.write(keys::kLabelText, encodeLabelText(gb(c.storedText)));
            store.writeText("Label", "Show", c.show);
            store.writeText("Label", "UseName", c.useName);
        }
        const LabelSettings settings = loadLabelSettings(store);
        EXPECT_EQ(test::utf8(settings.text), c.expectedText);
        EXPECT_EQ(settings.usesName, c.expectedUsesName) << c.expectedText;
    }
}

}  // namespace
}  // namespace galewarden
