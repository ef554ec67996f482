#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "settings/editors_model/BundledDistrictEntries.h"
#include "settings/editors_model/DistrictPickerAnswer.h"
#include "settings/editors_model/DistrictPickerChecklist.h"
#include "settings/editors_model/DistrictPickerDirectAdd.h"
#include "settings/editors_model/DistrictPickerRequest.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using Names = std::vector<std::string>;

// A parameterised case's name as GoogleTest takes it.
const auto caseName = [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
};

Names gbNames(std::initializer_list<const char*> utf8Names) {
    Names names;
    for (const char* name : utf8Names) {
        names.push_back(gb(name));
    }
    return names;
}

TEST(DistrictPickerRequest, TheProvinceListHasItsFixedEntries) {
    const auto& entries = provinceEntries();
    ASSERT_EQ(entries.size(), 33u);
    EXPECT_EQ(entries[0], gb("国家事业单位"));
    EXPECT_EQ(entries[kAllProvincesEntry], gb("全部省（自治区、直辖市）"));
    EXPECT_EQ(entries[3], gb("北京市"));
    EXPECT_EQ(entries[32], gb("其他"));
}

struct UrlCase {
    int entry;
    const char* url;
};

class DistrictPickerUrl : public testing::TestWithParam<UrlCase> {};

TEST_P(DistrictPickerUrl, NamesTheProvinceInPercentEncodedUtf8) {
    EXPECT_EQ(districtListUrl("https://web.example", GetParam().entry), GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DistrictPickerUrl,
    testing::Values(UrlCase{0,
                            "https://web.example/Galewarden/Info/"
                            "n?p=%E5%9B%BD%E5%AE%B6%E4%BA%8B%E4%B8%9A%E5%8D%95%E4%BD%8D"},
                    UrlCase{kAllProvincesEntry, "https://web.example/Galewarden/Info/n"},
                    UrlCase{32, "https://web.example/Galewarden/Info/n?p=%E5%85%B6%E4%BB%96"}));

struct AnswerCase {
    const char* name;
    const char* answer;
    bool json;
    std::vector<DistrictEntry> entries;
};

class DistrictPickerAnswer : public testing::TestWithParam<AnswerCase> {};

TEST_P(DistrictPickerAnswer, ReadsTheAreasUpToTheFirstWithoutAName) {
    const auto entries = readDistrictAnswer(GetParam().answer);
    ASSERT_EQ(entries.has_value(), GetParam().json);
    if (entries) {
        EXPECT_EQ(*entries, GetParam().entries);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DistrictPickerAnswer,
    testing::Values(
        AnswerCase{"two",
                   R"({"areas":[{"name":"北京市","province":"北京市"},)"
                   R"({"name":"中央气象台","province":"国家事业单位"}]})",
                   true,
                   {{gb("北京市"), gb("北京市")}, {gb("中央气象台"), gb("国家事业单位")}}},
        AnswerCase{"stops at a missing name",
                   R"({"areas":[{"name":"A","province":"p"},{"province":"q"},{"name":"C"}]})",
                   true,
                   {{"A", "p"}}},
        AnswerCase{
            "stops at an empty first name", R"({"areas":[{"name":""},{"name":"B"}]})", true, {}},
        AnswerCase{"no province", R"({"areas":[{"name":"A"}]})", true, {{"A", ""}}},
        AnswerCase{"line breaks become spaces",
                   R"({"areas":[{"name":"A\r\nB","province":"p\n"}]})",
                   true,
                   {{"A  B", "p "}}},
        AnswerCase{"escaped text",
                   R"({"areas":[{"name":"\u5317\u4eac","province":"x"}]})",
                   true,
                   {{gb("北京"), "x"}}},
        AnswerCase{"JSON without areas", R"({"code":500,"message":"internal error"})", true, {}},
        AnswerCase{"HTML", "<!DOCTYPE html><html><body>502</body></html>", false, {}},
        AnswerCase{"empty", "", false, {}},
        AnswerCase{"truncated", R"({"areas":[{"name":"北京市","prov)", false, {}}),
    caseName);

TEST(DistrictPickerAnswerStop, AStoppedReadingGivesNothing) {
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(readDistrictAnswer(R"({"areas":[{"name":"A"}]})", stop.get_token()));
}

std::vector<DistrictEntry> sampleEntries() {
    return {{gb("北京市"), gb("北京市")},
            {gb("北京市海淀区"), gb("北京市")},
            {"Hong Kong Observatory", gb("其他")},
            {gb("天津市"), gb("北京")},
            {gb("乹"), "x"}};  // its second byte is "q"
}

struct FilterCase {
    const char* name;
    const char* filterUtf8;
    Names texts;
};

class DistrictPickerFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(DistrictPickerFilter, SearchesTheNamesOnly) {
    DistrictPickerChecklist list;
    list.fill(sampleEntries(), gb(GetParam().filterUtf8));
    Names texts;
    for (std::size_t row = 0; row < list.size(); ++row) {
        texts.push_back(list.text(row));
    }
    EXPECT_EQ(texts, GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, DistrictPickerFilter,
    testing::Values(
        FilterCase{"empty", "",
                   gbNames({"北京市 (北京市)", "北京市海淀区 (北京市)",
                            "Hong Kong Observatory (其他)", "天津市 (北京)", "乹 (x)"})},
        FilterCase{"chinese", "北京", gbNames({"北京市 (北京市)", "北京市海淀区 (北京市)"})},
        FilterCase{"lower case finds upper case", "hong kong",
                   gbNames({"Hong Kong Observatory (其他)"})},
        FilterCase{"upper case finds lower case", "OBSERV",
                   gbNames({"Hong Kong Observatory (其他)"})},
        FilterCase{"never inside a character", "Q", {}}, FilterCase{"nothing", "上海", {}}),
    caseName);

// The bundled list answers as the service would: the provinces the drop-down does not name
// (黑龙江省) come under its last entry, "其他".
TEST(BundledDistrictEntries, AProvinceEntryChoosesItsPart) {
    const std::vector<DistrictEntry> all{{gb("中央气象台"), gb("国家事业单位")},
                                         {gb("北京市"), gb("北京市")},
                                         {gb("海淀区"), gb("北京市")},
                                         {gb("哈尔滨市"), gb("黑龙江省")}};
    const int others = static_cast<int>(provinceEntries().size()) - 1;
    const struct {
        int entry;
        std::size_t count;
        const char* first;
    } cases[] = {{0, 1, "中央气象台"},
                 {kAllProvincesEntry, 4, "中央气象台"},
                 {3, 2, "北京市"},
                 {others, 1, "哈尔滨市"},
                 {5, 0, ""}};
    for (const auto& c : cases) {
        const std::vector<DistrictEntry> chosen = entriesOfProvince(all, c.entry);
        ASSERT_EQ(chosen.size(), c.count) << c.entry;
        if (c.count > 0) {
            EXPECT_EQ(chosen.front().name, gb(c.first)) << c.entry;
        }
    }
}

// The web host's list when it gives one; the bundled list, marked, when it does not; nothing
// at all when the wait was given up.
TEST(DistrictListing, TheOnlineListOrTheBundledOne) {
    const test::TestHome home;
    home.write("Districts.json", R"({"areas":[{"name":"北京市","province":"北京市"}]})");
    const DistrictListing online =
        districtListing(R"({"areas":[{"name":"A","province":"p"}]})", kAllProvincesEntry);
    ASSERT_TRUE(online.entries);
    EXPECT_FALSE(online.bundled);
    EXPECT_EQ(online.entries->front().name, "A");

    const DistrictListing bundled = districtListing("<html>502</html>", kAllProvincesEntry);
    ASSERT_TRUE(bundled.entries);
    EXPECT_TRUE(bundled.bundled);
    EXPECT_EQ(bundled.entries->front().name, gb("北京市"));

    std::stop_source stop;
    stop.request_stop();
    const DistrictListing stopped =
        districtListing("<html>502</html>", kAllProvincesEntry, stop.get_token());
    EXPECT_FALSE(stopped.entries);
    EXPECT_FALSE(stopped.bundled);
}

TEST(DistrictPickerChecklist, TheSelectionIsTheTickedNamesUpToTheirFirstSpaceAsTicked) {
    DistrictPickerChecklist list;
    list.fill(sampleEntries(), "");
    list.setTicked(2, true);
    list.setTicked(0, true);
    list.setTicked(0, true);  // twice counts once
    EXPECT_EQ(list.tickedCount(), 2u);
    EXPECT_EQ(list.selection(), (Names{"Hong", gb("北京市")}));
    list.setTicked(0, false);
    EXPECT_EQ(list.selection(), Names{"Hong"});
}

TEST(DistrictPickerChecklist, TickingAllAndNone) {
    DistrictPickerChecklist list;
    list.fill(sampleEntries(), gb("北京"));
    list.setAllTicked(true);
    EXPECT_EQ(list.selection(), gbNames({"北京市", "北京市海淀区"}));
    EXPECT_EQ(list.tickedCount(), 2u);
    list.setAllTicked(false);
    EXPECT_TRUE(list.selection().empty());
    EXPECT_EQ(list.tickedCount(), 0u);
}

// The selection is the picker's, the rows only show it: a refill keeps every tick, and a
// name ticks every row that carries it.
TEST(DistrictPickerChecklist, TicksOutliveRefillsAndFollowTheirNames) {
    DistrictPickerChecklist list;
    list.setSelection(gbNames({"上海市", "北京市", "上海市"}));
    list.fill(sampleEntries(), "");
    EXPECT_EQ(list.tickedCount(), 1u);  // 北京市 shows; 上海市 is elsewhere
    list.setTicked(1, true);
    list.fill(sampleEntries(), gb("海淀"));
    EXPECT_EQ(list.tickedCount(), 1u);
    list.setAllTicked(false);
    EXPECT_EQ(list.selection(), gbNames({"上海市", "北京市"}));
    list.addNames(gbNames({"北京市", "甲"}));
    EXPECT_EQ(list.selection(), gbNames({"上海市", "北京市", "甲"}));

    list.fill({{gb("朝阳区"), gb("北京市")}, {gb("朝阳区"), gb("辽宁省")}}, "");
    list.setTicked(1, true);
    EXPECT_TRUE(list.ticked(0));
    EXPECT_EQ(list.tickedCount(), 2u);
    EXPECT_EQ(list.selection().back(), gb("朝阳区"));
}

TEST(DistrictPickerChecklist, AnEntryTextWithoutSpaceIsItsOwnName) {
    EXPECT_EQ(nameOfEntryText("abc"), "abc");
    EXPECT_EQ(nameOfEntryText(gb("北京市 (北京市)")), gb("北京市"));
    EXPECT_EQ(nameOfEntryText(" x"), "");
}

TEST(DistrictPickerChecklist, CountText) {
    EXPECT_EQ(selectionCountText(0), gb("当前已选择 0 项。"));
    EXPECT_EQ(selectionCountText(33), gb("当前已选择 33 项。"));
}

struct DirectCase {
    const char* name;
    const char* typed;
    Names accepted;
    Names refused;
};

class DistrictPickerDirectAdd : public testing::TestWithParam<DirectCase> {};

TEST_P(DistrictPickerDirectAdd, TakesThePiecesBetweenSpacesAndRefusesForbiddenOnes) {
    const DirectNames names = splitDirectNames(gb(GetParam().typed));
    EXPECT_EQ(names.accepted, GetParam().accepted);
    EXPECT_EQ(names.refused, GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, DistrictPickerDirectAdd,
    testing::Values(DirectCase{"one refused", "甲 乙/丙", gbNames({"甲"}), gbNames({"乙/丙"})},
                    DirectCase{"empty pieces skipped", "  甲  乙 ", gbNames({"甲", "乙"}), {}},
                    DirectCase{"duplicates kept", "甲 甲", gbNames({"甲", "甲"}), {}},
                    DirectCase{"nothing", "", {}, {}}, DirectCase{"only spaces", "   ", {}, {}},
                    DirectCase{"every forbidden character",
                               "a,b c?d e&f g=h i;j k/l m\\n o",
                               {"o"},
                               {"a,b", "c?d", "e&f", "g=h", "i;j", "k/l", "m\\n"}},
                    DirectCase{"a line break", "甲\n乙 丙", gbNames({"丙"}), gbNames({"甲\n乙"})},
                    DirectCase{
                        "an ideographic space does not split", "甲　乙", gbNames({"甲　乙"}), {}},
                    // Its second byte is "\", which is not a character of its own.
                    DirectCase{"a backslash inside a character", "昞", gbNames({"昞"}), {}}),
    caseName);

TEST(DistrictPickerDirectAddMessage, NamesThePiece) {
    EXPECT_EQ(directNameRefusal(gb("乙/丙")), gb("“乙/丙”存在非法字符，无法添加，已忽略。"));
}

}  // namespace
}  // namespace galewarden
