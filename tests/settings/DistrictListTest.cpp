#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/model/DistrictList.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using Names = std::vector<std::string>;

Names numbered(std::size_t count, const std::string& prefix = "d") {
    Names names;
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(prefix + std::to_string(i));
    }
    return names;
}

TEST(DistrictList, SplitsAtSingleSpacesAndJoinsBack) {
    struct Case {
        const char* stored;
        std::vector<const char*> entries;
        const char* storedAgain;
    };
    const Case cases[] = {
        {"北京市 中央气象台", {"北京市", "中央气象台"}, "北京市 中央气象台"},
        {"北京市  中央气象台", {"北京市", "", "中央气象台"}, "北京市  中央气象台"},
        {"北京市 ", {"北京市"}, "北京市"},
        {" 北京市", {"", "北京市"}, " 北京市"},
        {"", {}, ""},
        {"上海市", {"上海市"}, "上海市"},
    };
    for (const Case& c : cases) {
        const DistrictList list = DistrictList::fromStored(gb(c.stored));
        Names expected;
        for (const char* entry : c.entries) {
            expected.push_back(gb(entry));
        }
        EXPECT_EQ(list.entries(), expected) << c.stored;
        EXPECT_EQ(list.stored(), gb(c.storedAgain)) << c.stored;
    }
}

TEST(DistrictList, AddSkipsNamesAlreadyPresentWithoutComplaint) {
    DistrictList list({gb("北京市"), "Abc"});
    const auto added = list.add({gb("北京市"), "abc", gb("上海市"), gb("上海市")});
    EXPECT_EQ(added.count, 2U);
    EXPECT_FALSE(added.hitLimit);
    EXPECT_EQ(list.entries(), (Names{gb("北京市"), "Abc", "abc", gb("上海市")}));
}

TEST(DistrictList, AddStopsAtTheLimitAndSaysSoOnce) {
    struct Case {
        std::size_t before;
        Names picked;
        std::size_t added;
        bool hitLimit;
    };
    const Case cases[] = {
        {199, {"x", "y", "z"}, 1, true}, {199, {"x"}, 1, false},
        {199, {"d0", "x"}, 1, false},  // a repeat takes no room
        {199, {"x", "d0"}, 1, true},   // full before the repeat is even looked at
        {200, {"x"}, 0, true},           {0, numbered(201, "n"), 200, true},
    };
    for (const Case& c : cases) {
        DistrictList list(numbered(c.before));
        const auto added = list.add(c.picked);
        EXPECT_EQ(added.count, c.added) << c.before << " + " << c.picked.size();
        EXPECT_EQ(added.hitLimit, c.hitLimit) << c.before << " + " << c.picked.size();
        EXPECT_LE(list.size(), DistrictList::kLimit);
    }
}

// Long names would otherwise store a list the configuration reads back cut.
TEST(DistrictList, AddKeepsTheStoredTextWithinWhatAReadGivesBack) {
    const std::string longName(60, 'n');
    Names names;
    for (int i = 0; i < 200; ++i) {
        names.push_back(longName + std::to_string(i));
    }
    DistrictList list;
    const auto added = list.add(names);
    EXPECT_TRUE(added.hitLengthLimit);
    EXPECT_FALSE(added.hitLimit);
    EXPECT_LE(list.stored().size(), DistrictList::kMaxStoredBytes);
    EXPECT_GT(list.stored().size() + 1 + names[added.count].size(), DistrictList::kMaxStoredBytes);
    EXPECT_EQ(list.entries().back(), names[added.count - 1]);
}

TEST(DistrictList, FullOnlyAtTheLimitThoughStoredListsMayBeLonger) {
    EXPECT_FALSE(DistrictList(numbered(199)).full());
    EXPECT_TRUE(DistrictList(numbered(200)).full());
    DistrictList longer = DistrictList::fromStored(DistrictList(numbered(250)).stored());
    EXPECT_EQ(longer.size(), 250U);
    EXPECT_TRUE(longer.add({"new"}).hitLimit);
}

TEST(DistrictList, RemovesExactlyTheSelectedRows) {
    DistrictList list(Names{"a", "b", "c", "d", "e"});
    list.remove({4, 0, 2, 2, 9});
    EXPECT_EQ(list.entries(), (Names{"b", "d"}));
    list.remove({});
    EXPECT_EQ(list.size(), 2U);
}

TEST(DistrictList, DeleteQuestionNamesTheRowsInListOrder) {
    const DistrictList list(Names{gb("北京市"), gb("上海市"), gb("天津市")});
    EXPECT_EQ(list.deleteQuestion({2, 0}), gb("确定要删除北京市、天津市？"));
    EXPECT_EQ(list.deleteQuestion({1}), gb("确定要删除上海市？"));
    EXPECT_EQ(list.deleteQuestion({}), "");
    EXPECT_EQ(list.deleteQuestion({7}), "");
}

TEST(DistrictList, SummaryAndCount) {
    struct Case {
        Names entries;
        const char* summary;
        const char* count;
    };
    const Case cases[] = {
        {{}, "", "当前共 0 个项目。"},
        {{"北京市"}, "北京市", "当前共 1 个项目。"},
        {{"北京市", "上海市", "中央气象台"}, "北京市 .. (3项)", "当前共 3 个项目。"},
        {{"", "上海市"}, " .. (2项)", "当前共 2 个项目。"},
    };
    for (const Case& c : cases) {
        Names entries;
        for (const std::string& entry : c.entries) {
            entries.push_back(gb(entry));
        }
        const DistrictList list(entries);
        EXPECT_EQ(list.summary(), gb(c.summary));
        EXPECT_EQ(list.countText(), gb(c.count));
    }
}

}  // namespace
}  // namespace galewarden
