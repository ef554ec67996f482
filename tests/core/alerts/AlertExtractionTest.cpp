#include <gtest/gtest.h>

#include "core/alerts/PassConfiguration.h"
#include "core/alerts/classify/AlertClassifier.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/classify/WarningSelection.h"
#include "core/alerts/source/AlertExtraction.h"
#include "core/config/ConfigStore.h"
#include "core/json/JsonDocument.h"
#include "core/text/CodePage.h"
#include "core/text/Md5.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;

class AlertExtractionTest : public ::testing::Test {
  protected:
    // Extracts from a UTF-8 answer and returns the kept warnings.
    std::vector<KeptAlert> extract(const std::string& answer,
                                   const std::vector<const char*>& districts = {"北京市"}) {
        JsonDocument list;
        EXPECT_TRUE(list.parse(convertText(answer, Encoding::Utf8, Encoding::Java)));
        AlertClassifier classifier(config.words, guidance);
        std::vector<std::string> names;
        for (const char* district : districts) {
            names.push_back(gb(district));
        }
        walked = extractAlerts(list, config.rules, names, classifier, nullptr, stop);
        return selectWarnings(classifier.classified(), {}, nullptr).kept;
    }

    test::TestHome home;
    ConfigStore store;
    const Guidance guidance;
    std::stop_token stop;
    PassConfiguration config = readPassConfiguration(store);
    int walked = 0;
};

TEST_F(AlertExtractionTest, WalkStopsAtTheFirstEmptyIdentifier) {
    const auto kept = extract(R"({"data":[
        {"id":"a","title":"北京市气象台发布暴雨蓝色预警","content":"雨","time":"2026-07-20 20:00"},
        {"id":"","title":"北京市气象台发布大风蓝色预警","content":"风","time":"2026-07-20 20:00"},
        {"id":"c","title":"北京市气象台发布高温黄色预警","content":"热","time":"2026-07-20 20:00"}]})");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].id, "a");
    EXPECT_EQ(walked, 1);
}

TEST_F(AlertExtractionTest, RulesNameThePathsOfTheArrayAndItsMembers) {
    config.rules.array = "result.list";
    config.rules.identifier = "code";
    config.rules.headline = "head";
    config.rules.sender = "unit";
    const auto kept = extract(R"({"result":{"list":[{"code":12345678901234567890,
        "head":"北京市发布暴雨蓝色预警","unit":"北京市","content":"雨","time":"2026-07-20 20:00"}]}})");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].id, "12345678901234567890");
    EXPECT_EQ(utf8(kept[0].region), "北京市");
}

TEST_F(AlertExtractionTest, DistrictsAreTriedInTheirOrder) {
    const std::string answer = R"({"data":[{"id":"n","title":"中央气象台发布北京市暴雨蓝色预警",
        "content":"雨","time":"2026-07-20 20:00"}]})";
    // 北京市 does not end the region 中央气象台, so 中央气象台 is tried next.
    const auto kept = extract(answer, {"北京市", "中央气象台"});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(utf8(kept[0].region), "中央气象台");
    EXPECT_TRUE(extract(answer, {"北京市"}).empty());
}

TEST_F(AlertExtractionTest, OneCharacterDistrictsMatchWholeCharacters) {
    const std::string answer = R"({"data":[
        {"id":"a","title":"沙气象台发布大风蓝色预警","content":"风","time":"2026-07-20"},
        {"id":"b","title":"长沙市气象台发布暴雨蓝色预警","content":"雨","time":"2026-07-20"},
        {"id":"c","title":"县气象台发布暴雨黄色预警","content":"雨","time":"2026-07-20"}]})";
    const auto kept = extract(answer, {"县", "沙", "北京市"});
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(utf8(kept[0].region), "沙");
    EXPECT_EQ(utf8(kept[1].region), "县");
}

TEST_F(AlertExtractionTest, LongIdentifiersBecomeTheirDigest) {
    const std::string id32(32, 'x');
    const std::string id33(33, 'y');
    const auto kept = extract(
        R"({"data":[
        {"id":")" +
        id32 + R"(","title":"北京市气象台发布暴雨蓝色预警","content":"雨","time":"2026-07-20"},
        {"id":")" +
        id33 + R"(","title":"北京市气象台发布大风蓝色预警","content":"风","time":"2026-07-20"}]})");
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].id, id32);
    EXPECT_EQ(kept[1].id, md5Hex(id33));
}

TEST_F(AlertExtractionTest, AStopEndsTheWalkBeforeTheNextWarning) {
    std::stop_source source;
    source.request_stop();
    stop = source.get_token();
    EXPECT_TRUE(extract(R"({"data":[{"id":"a","title":"北京市气象台发布暴雨蓝色预警",
        "content":"雨","time":"2026-07-20 20:00"}]})")
                    .empty());
    EXPECT_EQ(walked, 0);
}

// A warning issued after a lift of the same signal stays, one lifted later goes, whatever the
// list order, when the times carry zones as many JSON sources write them.
TEST_F(AlertExtractionTest, LiftsWithZonedTimesCompareByTheInstant) {
    const std::string warning =
        R"({"id":"w","title":"北京市气象台发布暴雨蓝色预警","content":"雨","time":"2026-10-06T22:00:00+08:00"})";
    const std::string earlierLift =
        R"({"id":"l","title":"北京市气象台解除暴雨蓝色预警","content":"解除","time":"2026-10-05T14:00:00Z"})";
    const std::string laterLift =
        R"({"id":"l","title":"北京市气象台解除暴雨蓝色预警","content":"解除","time":"2026-10-06T14:30:00Z"})";
    const auto list = [](const std::string& first, const std::string& second) {
        return R"({"data":[)" + first + "," + second + "]}";
    };
    for (const auto& answer : {list(warning, earlierLift), list(earlierLift, warning)}) {
        const auto kept = extract(answer);
        ASSERT_EQ(kept.size(), 1u) << answer;
        EXPECT_EQ(kept[0].id, "w");
        EXPECT_EQ(kept[0].publishTime, "2026/10/06 22:00:00");
        EXPECT_NE(kept[0].title.find(gb("10月6日22时")), std::string::npos) << utf8(kept[0].title);
    }
    for (const auto& answer : {list(warning, laterLift), list(laterLift, warning)}) {
        EXPECT_TRUE(extract(answer).empty()) << answer;
    }
}

TEST(PublishTime, NormalisedFromTheFormsFeedsUse) {
    const struct {
        const char* delivered;
        const char* expected;
    } cases[] = {
        {"2024-09-01T08:05:00", "2024/09/01 08:05:00"},
        {"1597999999999", "2020/08/21 16:53:19"},
        {"1598000000000", "2020/08/21 16:53:20"},
        {"2024/9/1 8:05", "2024/09/01 08:05:00"},
        {"2024年9月1日8时5分", "2024/09/01 08:05:00"},
        {"2024-09-01T08:05:00Z", "2024/09/01 16:05:00"},
        {"2024-02-30 10:00", "0100/01/01 00:00:00"},
        {"2024-02-29 10:00", "2024/02/29 10:00:00"},
        {"2024-09-01 08", "2024/09/01 08:00:00"},  // thirteen bytes, but no time stamp
        {"", "0100/01/01 00:00:00"},
    };
    for (const auto& c : cases) {
        AlertRecord record;
        normalisePublishTime(gb(c.delivered), record);
        EXPECT_EQ(record.publishTime, c.expected) << c.delivered;
    }
}

}  // namespace
}  // namespace galewarden
