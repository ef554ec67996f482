#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/history/HistoryBrowser.h"
#include "core/history/HistoryStore.h"
#include "support/HistoryFixtures.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;

constexpr HistoryTime kHour = 3600;

HistoryDay day(const char* text) {
    return parseDay(text).value();
}

HistoryTime at(const char* dayText, int hour) {
    return startOfDay(day(dayText)) + hour * kHour;
}

HistoryWarning warning(const std::string& key, int colour, const char* type, const char* district,
                       const char* description) {
    HistoryWarning w = test::warningFor(key, colour);
    w.type = gb(type);
    w.district = gb(district);
    w.description = gb(description);
    return w;
}

// rain: blue, Beijing, 07-01 20:00 until the pass at 07-02 03:00 (over midnight);
// wind: yellow, Tianjin, 07-02 01:00 until 07-03 10:00 … still in force at 07-03 10:00;
// heat: red, Beijing, 07-03 10:00 and in force.
class HistoryBrowserTest : public ::testing::Test {
  protected:
    HistoryBrowserTest() {
        HistoryStore store(path);
        const HistoryWarning rain = warning("rain", 2, "暴雨", "北京市", "强降雨, \"局地\"大暴雨");
        const HistoryWarning wind = warning("wind", 3, "大风", "天津市", "阵风八级");
        const HistoryWarning heat = warning("heat", 5, "高温", "北京市", "最高气温40℃");
        (void)store.recordPass({rain}, at("2026-07-01", 20), 400);
        (void)store.recordPass({rain, wind}, at("2026-07-02", 1), 400);
        (void)store.recordPass({wind}, at("2026-07-02", 3), 400);
        (void)store.recordPass({wind, heat}, at("2026-07-03", 10), 400);
        EXPECT_TRUE(browser.load());
    }

    std::vector<std::string> keysShown() const {
        std::vector<std::string> keys;
        for (int row = 0; row < browser.rowCount(); ++row) {
            const std::string headline = browser.warningAt(row).headline;
            keys.push_back(
                headline.substr(headline.find_last_not_of("abcdefghijklmnopqrstuvwxyz") + 1));
        }
        return keys;
    }

    test::TestHome home;
    const std::string path = home.text() + "/History.db";
    HistoryBrowser browser{path};
};

struct FilterCase {
    const char* name;
    HistoryFilter filter;
    std::vector<std::string> keys;  // newest first
};

TEST_F(HistoryBrowserTest, FiltersSelectTheRows) {
    const auto days = [](const char* from, const char* to) {
        HistoryFilter f;
        f.from = day(from);
        f.to = day(to);
        return f;
    };
    HistoryFilter colours;
    colours.colours = (1u << 2) | (1u << 5);
    HistoryFilter type;
    type.type = gb("大风");
    HistoryFilter district;
    district.district = gb("北京市");
    HistoryFilter text;
    text.text = gb("局地");
    HistoryFilter headline;
    headline.text = "HEAT";  // in the headline, any case
    HistoryFilter none;
    none.text = gb("冰雹");
    HistoryFilter both = days("2026-07-03", "2026-07-03");
    both.district = gb("北京市");
    const std::vector<FilterCase> cases{
        {"all", {}, {"heat", "wind", "rain"}},
        {"the night over midnight", days("2026-07-02", "2026-07-02"), {"wind", "rain"}},
        {"one day before", days("2026-07-01", "2026-07-01"), {"rain"}},
        {"colours", colours, {"heat", "rain"}},
        {"type", type, {"wind"}},
        {"district", district, {"heat", "rain"}},
        {"text in the description", text, {"rain"}},
        {"text in the headline", headline, {"heat"}},
        {"no match", none, {}},
        {"day and district", both, {"heat"}},
    };
    for (const FilterCase& c : cases) {
        browser.setFilter(c.filter);
        EXPECT_EQ(keysShown(), c.keys) << c.name;
    }
}

struct OrderCase {
    HistoryBrowser::Column column;
    bool ascending;
    std::vector<std::string> keys;
};

TEST_F(HistoryBrowserTest, ColumnsOrderTheRowsNewestFirstAmongEquals) {
    using B = HistoryBrowser;
    const std::vector<OrderCase> cases{
        {B::firstSeen, true, {"rain", "wind", "heat"}},
        {B::endedAt, true, {"rain", "heat", "wind"}},  // in force: later than any end
        {B::endedAt, false, {"heat", "wind", "rain"}},
        {B::colour, true, {"rain", "wind", "heat"}},
        {B::colour, false, {"heat", "wind", "rain"}},
        {B::type, true, {"rain", "wind", "heat"}},  // 暴雨 大风 高温, by pinyin
        {B::district, true, {"heat", "rain", "wind"}},
        {B::district, false, {"wind", "heat", "rain"}},
        {B::state, true, {"heat", "wind", "rain"}},
        {B::firstSeen, false, {"heat", "wind", "rain"}},
    };
    for (const OrderCase& c : cases) {
        browser.setOrder(c.column, c.ascending);
        EXPECT_EQ(keysShown(), c.keys) << c.column << (c.ascending ? " ascending" : " descending");
    }
    browser.setOrder(B::colour, true);
    HistoryFilter beijing;
    beijing.district = gb("北京市");
    browser.setFilter(beijing);
    EXPECT_EQ(keysShown(), (std::vector<std::string>{"rain", "heat"}));
    EXPECT_EQ(browser.rowOf(browser.warningAt(1).rowId), 1);
    browser.setFilter({});
    EXPECT_EQ(keysShown(), (std::vector<std::string>{"rain", "wind", "heat"}));
}

TEST_F(HistoryBrowserTest, CellsTellTimeColourAndState) {
    ASSERT_EQ(browser.rowCount(), 3);
    EXPECT_EQ(browser.cell(2, HistoryBrowser::firstSeen), "2026-07-01 20:00");
    EXPECT_EQ(browser.cell(2, HistoryBrowser::endedAt), "2026-07-02 03:00");
    EXPECT_EQ(utf8(browser.cell(2, HistoryBrowser::colour)), "蓝色");
    EXPECT_EQ(utf8(browser.cell(2, HistoryBrowser::state)), "已解除");
    EXPECT_EQ(utf8(browser.cell(0, HistoryBrowser::state)), "生效中");
    EXPECT_EQ(browser.cell(0, HistoryBrowser::endedAt), "");
    EXPECT_EQ(utf8(browser.cell(1, HistoryBrowser::district)), "天津市");
    EXPECT_EQ(utf8(browser.types()[0]) + utf8(browser.districts()[0]),
              "暴雨北京市");  // in GB18030 order, by pinyin
}

TEST_F(HistoryBrowserTest, EachDayCountsTheWarningsInForceByColour) {
    const std::vector<HistoryDayCount> counts = browser.dailyCounts();
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts[0].day, day("2026-07-01"));
    const auto colours = [&](std::size_t i) {
        std::vector<int> blueYellowRed;
        for (const int colour : {2, 3, 5}) {
            blueYellowRed.push_back(counts[i].byColour[static_cast<std::size_t>(colour)]);
        }
        return blueYellowRed;
    };
    EXPECT_EQ(colours(0), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(colours(1), (std::vector<int>{1, 1, 0}));  // the rain ended after midnight
    EXPECT_EQ(colours(2), (std::vector<int>{0, 1, 1}));
    HistoryFilter week;
    week.from = day("2026-06-30");
    week.to = day("2026-07-06");
    browser.setFilter(week);
    EXPECT_EQ(browser.dailyCounts().size(), 7u);  // the chosen days, empty ones too
}

TEST_F(HistoryBrowserTest, TheFullTextHasTheGuidanceAndTheExportQuotes) {
    HistoryFilter text;
    text.text = gb("局地");
    browser.setFilter(text);
    const std::string details = utf8(browser.detailsText(0));
    EXPECT_NE(details.find("强降雨, \"局地\"大暴雨"), std::string::npos) << details;
    EXPECT_NE(details.find("防御指南：\r\n1. 注意防范。"), std::string::npos) << details;
    EXPECT_NE(details.find("2026-07-02 03:00"), std::string::npos) << details;
    const std::string csv = browser.csv();
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "首次发现,最后发现,解除时间,状态,颜色,类型,名称,发布单位,地区,标题,发布时间,"
              "数据源,内容");
    EXPECT_NE(csv.find(",\"强降雨, \"\"局地\"\"大暴雨\"\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("2026-07-01 20:00:00,2026-07-02 01:00:00,2026-07-02 03:00:00,已解除,蓝色"),
              std::string::npos)
        << csv;
}

}  // namespace
}  // namespace galewarden
