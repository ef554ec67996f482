#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/alerts/classify/Guidance.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

// Guidance.html of the program directory as it is at the moment of the lookup.
std::string guidanceFor(std::string_view utf8Name) {
    return test::utf8(Guidance().lookup(gb(utf8Name)));
}

struct LookupCase {
    const char* page;
    const char* name;
    const char* expected;
};

TEST(LookupGuidance, TakesTheLastCellOfTheFirstRowNamingTheSignal) {
    const LookupCase cases[] = {
        {"<tr><td>暴雨蓝色预警信号</td><td>含义</td><td>1. 甲<br>2. 乙</td></tr>", "暴雨蓝",
         "1. 甲\r\n2. 乙"},
        {"<tr><td>暴雨蓝色预警信号</td><td>甲</td></tr>", "暴雨黄", ""},
        {"<tr><td>雷电橙色预警信号</td><td>1. 丙<BR>2. 丁</td></tr>", "雷电橙", "1. 丙<BR>2. 丁"},
        {"<tr><td>暴雨蓝色预警信号</td><td>甲</td></tr><tr><td>暴雨蓝色预警信号</td><td>乙</td>"
         "</tr>",
         "暴雨蓝", "甲"},
        {"<tr><td>冰雹红色预警信号</td><td>甲</td>", "冰雹红", ""},
        {"<tr><td>霜冻蓝色预警信号</td><td>1. 甲</tr>", "霜冻蓝", ""},
        {"<tr><th>霜冻蓝色预警信号</th><th>甲</th></tr>", "霜冻蓝", ""},
        {"<tr><td>暴雨蓝色预警信号</td><td>甲</td></tr>", "", ""},
    };
    for (const auto& [page, name, expected] : cases) {
        test::TestHome home;
        home.write("Guidance.html", page);
        EXPECT_EQ(guidanceFor(name), expected) << page;
    }
}

TEST(LookupGuidance, MissingFileGivesNothing) {
    test::TestHome home;
    const Guidance guidance;
    EXPECT_FALSE(guidance.fileExists());
    EXPECT_EQ(guidance.lookup(gb("暴雨蓝")), "");
    home.write("Guidance.html", "<tr><td>暴雨蓝色预警信号</td><td>甲</td></tr>");
    EXPECT_TRUE(guidance.fileExists());
    EXPECT_EQ(test::utf8(guidance.lookup(gb("暴雨蓝"))), "甲");
}

TEST(LookupGuidance, FollowsChangesOfTheFile) {
    test::TestHome home;
    const Guidance guidance;
    home.write("Guidance.html", "<tr><td>暴雨蓝色预警信号</td><td>甲</td></tr>");
    EXPECT_EQ(test::utf8(guidance.lookup(gb("暴雨蓝"))), "甲");
    home.write("Guidance.html", "<tr><td>暴雨蓝色预警信号</td><td>乙乙</td></tr>");
    EXPECT_EQ(test::utf8(guidance.lookup(gb("暴雨蓝"))), "乙乙");
    home.write("Guidance.html", "");
    EXPECT_EQ(guidance.lookup(gb("暴雨蓝")), "");
}

TEST(LookupGuidance, ConcurrentLookupsWhileTheFileChanges) {
    test::TestHome home;
    const std::string first = "<tr><td>暴雨蓝色预警信号</td><td>甲</td></tr>";
    const std::string second = "<tr><td>暴雨蓝色预警信号</td><td>乙乙</td></tr>";
    home.write("Guidance.html", first);
    const Guidance guidance;
    std::vector<std::thread> readers;
    std::vector<int> unexpected(4, 0);
    for (int& count : unexpected) {
        readers.emplace_back([&count, &guidance] {
            for (int i = 0; i < 300; ++i) {
                const std::string answer =
                    test::utf8(guidance.lookup(gb(i % 2 == 0 ? "暴雨蓝" : "大风黄")));
                const bool known = answer == "甲" || answer == "乙乙" || answer.empty();
                count += known ? 0 : 1;
            }
        });
    }
    for (int i = 0; i < 20; ++i) {
        home.write("Guidance.html", i % 2 == 0 ? second : first);
    }
    for (std::thread& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(unexpected, std::vector<int>(4, 0));
}

std::string shippedGuidance() {
    std::ifstream in(SHIPPED_GUIDANCE_HTML, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> signalNamesIn(const std::string& page) {
    const std::string cellEnd = "色预警信号</td>";
    std::vector<std::string> names;
    for (auto end = page.find(cellEnd); end != std::string::npos;
         end = page.find(cellEnd, end + 1)) {
        const auto start = page.rfind("<td>", end) + 4;
        names.push_back(page.substr(start, end - start));
    }
    return names;
}

// The fourteen national types in each colour they are issued in.
const char* const kNationalSignals[] = {
    "台风蓝", "台风黄", "台风橙",     "台风红",     "暴雨蓝",     "暴雨黄",   "暴雨橙",   "暴雨红",
    "暴雪蓝", "暴雪黄", "暴雪橙",     "暴雪红",     "寒潮蓝",     "寒潮黄",   "寒潮橙",   "寒潮红",
    "大风蓝", "大风黄", "大风橙",     "大风红",     "沙尘暴黄",   "沙尘暴橙", "沙尘暴红", "高温黄",
    "高温橙", "高温红", "干旱橙",     "干旱红",     "雷电黄",     "雷电橙",   "雷电红",   "冰雹橙",
    "冰雹红", "霜冻蓝", "霜冻黄",     "霜冻橙",     "大雾黄",     "大雾橙",   "大雾红",   "霾黄",
    "霾橙",   "霾红",   "道路结冰黄", "道路结冰橙", "道路结冰红",
};

// Each row must be the first place its full name appears, or a shorter name such as 大风黄
// would pick up the row of 雷雨大风黄.
TEST(ShippedGuidance, EverySignalFindsItsOwnNumberedGuidance) {
    const std::string page = shippedGuidance();
    ASSERT_FALSE(page.empty());
    test::TestHome home;
    home.write("Guidance.html", page);
    const std::vector<std::string> names = signalNamesIn(page);
    const std::set<std::string> listed(names.begin(), names.end());
    for (const char* national : kNationalSignals) {
        EXPECT_TRUE(listed.count(national)) << national;
    }
    std::set<std::string> answers;
    for (const std::string& name : names) {
        const std::string guidance = guidanceFor(name);
        EXPECT_EQ(guidance.substr(0, 3), "1. ") << name;
        EXPECT_NE(guidance.find("\r\n2. "), std::string::npos) << name;
        EXPECT_EQ(guidance.find_first_of("<>&"), std::string::npos) << name;
        EXPECT_TRUE(answers.insert(guidance).second) << name << " repeats another row";
    }
    EXPECT_EQ(names.size(), listed.size());
}

}  // namespace
}  // namespace galewarden
