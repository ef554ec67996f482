#include <gtest/gtest.h>

#include <optional>

#include "core/alerts/PassConfiguration.h"
#include "core/alerts/classify/AlertClassifier.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/classify/WarningSelection.h"
#include "core/config/ConfigStore.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;
using Names = std::vector<std::string>;

constexpr const char* kRain = "预计未来6小时内将出现强降雨，请注意防范。";

// One entry of a list as the walk hands it over, all for 北京市 unless told otherwise.
struct Warning {
    const char* headline;
    const char* time = "2026/07/20 20:00:00";
    const char* description = kRain;
    const char* district = "北京市";
};

class AlertClassifierTest : public ::testing::Test {
  protected:
    AlertRecord record(const Warning& warning, int index = 0) const {
        AlertRecord r;
        r.listIndex = index;
        r.id = "id" + std::to_string(index);
        r.headline = r.sender = gb(warning.headline);
        r.description = gb(warning.description);
        r.publishDateTime = textToDateTime(warning.time);
        r.publishTime = *warning.time == '\0' ? "" : formatDateTime(r.publishDateTime);
        return r;
    }

    ClassifyOutcome classify(const Warning& warning) {
        classifier_.emplace(words, guidance);
        return classifier_->classifyAlert(record(warning), gb(warning.district));
    }

    // A whole pass over the list, in its order.
    PassAccumulators pass(const std::vector<Warning>& list, SelectionOptions options = {}) {
        AlertClassifier classifier(words, guidance);
        for (std::size_t i = 0; i < list.size(); ++i) {
            classifier.classifyAlert(record(list[i], static_cast<int>(i)), gb(list[i].district));
        }
        return selectWarnings(classifier.classified(), options, nullptr);
    }

    static Names namesOf(const PassAccumulators& acc) {
        Names names;
        for (const DisplayEntry& entry : acc.display) {
            names.push_back(utf8(entry.signalName));
        }
        return names;
    }

    static Names keptIds(const PassAccumulators& acc) {
        Names ids;
        for (const KeptAlert& alert : acc.kept) {
            ids.push_back(alert.id);
        }
        return ids;
    }

    test::TestHome home;
    ConfigStore store;
    const Guidance guidance;
    ClassifierWords words = readPassConfiguration(store).words;
    std::optional<AlertClassifier> classifier_;
};

TEST_F(AlertClassifierTest, CutsHeadlinesIntoRegionAndSignalName) {
    using O = ClassifyOutcome;
    const struct {
        const char* headline;
        const char* district;
        O outcome;
        const char* region = "";
        const char* signalName = "";
    } cases[] = {
        {"北京市气象台发布暴雨蓝色预警信号", "北京市", O::candidate, "北京市", "暴雨蓝"},
        {"中央气象台发布台风橙色预警", "中央气象台", O::candidate, "中央气象台", "台风橙"},
        {"上海市中心气象台发布大风黄色预警", "上海市", O::nextDistrict},
        {"北京市气象台发布大风预警", "北京市", O::candidate, "北京市", "大风无"},
        {"北京市气象台解除暴雨蓝色预警", "北京市", O::liftNotice},
        {"北京市气象台解除通知", "北京市", O::dropped},
        {"北京市气象台更新暴雨蓝色预警", "北京市", O::nextDistrict},
        {"北京市气象台发布森林火险橙色预警", "北京市", O::dropped},
        {"北京市气象台发布道路结冰黄色预警", "北京市", O::candidate, "北京市", "道路结冰黄"},
        {"北京市气象台发布陆地大风蓝色预警", "北京市", O::candidate, "北京市", "大风蓝"},
        {"北京市气象台发布高温天气事件橙色预警", "北京市", O::candidate, "北京市", "高温事件橙"},
        {"北京市气象台发布龙卷预警", "北京市", O::dropped},
        {"北京市气象台发布信息", "北京市", O::dropped},
        {"天津市气象台发布暴雨蓝色预警", "北京市", O::nextDistrict},
        // A one-character district is matched like any other.
        {"沙气象台发布大风蓝色预警", "沙", O::candidate, "沙", "大风蓝"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classify({.headline = c.headline, .district = c.district}), c.outcome)
            << c.headline;
        const auto& candidates = classifier_->classified().candidates;
        ASSERT_EQ(candidates.size(), c.outcome == O::candidate ? 1u : 0u) << c.headline;
        if (c.outcome == O::candidate) {
            EXPECT_EQ(utf8(candidates[0].region), c.region);
            EXPECT_EQ(utf8(candidates[0].signalName), c.signalName);
        }
    }
}

TEST_F(AlertClassifierTest, SenderEqualToTheDistrictIsTheRegion) {
    AlertRecord r = record({"海淀区气象台发布暴雨黄色预警"});
    r.sender = gb("海淀区");
    AlertClassifier classifier(words, guidance);
    EXPECT_EQ(classifier.classifyAlert(r, gb("海淀区")), ClassifyOutcome::candidate);
    EXPECT_EQ(utf8(classifier.classified().candidates[0].signalName), "暴雨黄");
}

TEST_F(AlertClassifierTest, SenderWordWithTildeIsSearchedWithoutItButCutWithItsLength) {
    words.senderWords = {gb("气象~台")};
    // The office takes seven bytes: "气象台" and the first byte of "发", so no keyword remains.
    EXPECT_EQ(classify({"北京市气象台发布暴雨蓝色预警"}), ClassifyOutcome::nextDistrict);
}

TEST_F(AlertClassifierTest, DropsWarningsMissingTheirParts) {
    EXPECT_EQ(classify({.headline = "北京市气象台发布暴雨蓝色预警", .time = ""}),
              ClassifyOutcome::dropped);
    EXPECT_EQ(classify({.headline = "北京市气象台发布暴雨蓝色预警", .description = " \r\n"}),
              ClassifyOutcome::dropped);
    // An empty keyword is found at once and leaves no type after it.
    words.keywords = {"", gb("发布")};
    EXPECT_EQ(classify({"北京市气象台发布暴雨蓝色预警"}), ClassifyOutcome::nextDistrict);
}

TEST_F(AlertClassifierTest, CountsColoursAndTornadoesOfTheKeptWarnings) {
    const PassAccumulators acc =
        pass({{"北京市气象台发布暴雨蓝色预警"},
              {"北京市气象台发布大风预警"},
              {.headline = "北京市气象台发布雷电黄色预警信号",
               .description = "局地可能出现龙卷、冰雹等强对流天气。"},
              {.headline = "北京市气象台发布雷电橙色预警信号", .description = "雷电伴有龙卷。"}});
    EXPECT_TRUE(acc.anyKept);
    EXPECT_EQ(acc.colouredTotal, 2);
    EXPECT_EQ(acc.colourCount, (std::array<int, 5>{0, 1, 1, 0, 0}));
    EXPECT_EQ(acc.highestColour, 3);
    EXPECT_EQ(acc.tornadoCount, 2);  // the duplicate 雷电 counts too
    EXPECT_EQ(namesOf(acc), (Names{"暴雨蓝", "大风无", "雷电黄"}));
}

TEST_F(AlertClassifierTest, OneDisplayEntryPerSignalNameUnlessTheLabelCarriesPlaces) {
    const std::vector<Warning> list{
        {"北京市气象台发布暴雨蓝色预警"},
        {.headline = "天津市气象台发布暴雨蓝色预警", .district = "天津市"}};
    const PassAccumulators plain = pass(list);
    EXPECT_EQ(namesOf(plain), (Names{"暴雨蓝"}));
    EXPECT_EQ(utf8(plain.display[0].placeName), "北京市");
    EXPECT_EQ(plain.kept.size(), 2u);
    EXPECT_EQ(utf8(plain.alertList), "var Alerts = new Array(\"暴雨蓝\"");

    const PassAccumulators named = pass(list, {.labelUsesName = true});
    EXPECT_EQ(namesOf(named), (Names{"暴雨蓝", "暴雨蓝"}));
    EXPECT_EQ(utf8(named.display[1].placeName), "天津市");
    EXPECT_EQ(utf8(named.alertList), "var Alerts = new Array(\"暴雨蓝\",\"暴雨蓝\"");
}

TEST_F(AlertClassifierTest, SameRegionAndTypeLaterInTheListIsADuplicate) {
    words.keywords = {gb("发布"), gb("更新")};
    const PassAccumulators acc = pass({{"北京市气象台发布暴雨蓝色预警"},
                                       {"北京市气象台更新暴雨黄色预警"},
                                       {"北京市气象台发布大风蓝色预警"}});
    EXPECT_EQ(keptIds(acc), (Names{"id0", "id2"}));
}

// A lift cancels what its region and type published at or before it, wherever it stands.
TEST_F(AlertClassifierTest, LiftNoticesCancelByTime) {
    const Warning issued{"北京市气象台发布暴雨蓝色预警信号", "2026/07/20 08:00"};
    const Warning lift{"北京市气象台解除暴雨蓝色预警信号", "2026/07/20 09:00"};
    const Warning reissued{"北京市气象台发布暴雨黄色预警信号", "2026/07/20 10:00"};
    const Warning sameTime{"北京市气象台发布暴雨橙色预警信号", "2026/07/20 09:00"};
    const Warning gale{"北京市气象台发布大风蓝色预警", "2026/07/20 07:00"};
    const Warning elsewhere{.headline = "天津市气象台发布暴雨蓝色预警",
                            .time = "2026/07/20 07:00",
                            .district = "天津市"};
    EXPECT_EQ(keptIds(pass({reissued, lift, issued})), (Names{"id0"}));
    EXPECT_EQ(keptIds(pass({issued, lift, reissued}, {.order = ListOrder::oldestFirst})),
              (Names{"id2"}));
    EXPECT_EQ(keptIds(pass({lift, sameTime, gale, elsewhere})), (Names{"id2", "id3"}));
}

TEST_F(AlertClassifierTest, LiftNoticesWithAnUnreadableTimeCancelByListOrder) {
    const Warning lift{"北京市气象台解除暴雨蓝色预警信号", "昨天"};
    const Warning before{"北京市气象台发布暴雨蓝色预警信号", "2026/07/20 08:00"};
    const Warning after{"北京市气象台发布暴雨黄色预警信号", "2026/07/20 10:00"};
    // Newest first: what follows the lift is older.
    EXPECT_EQ(keptIds(pass({after, lift, before})), (Names{"id0"}));
    EXPECT_EQ(keptIds(pass({before, lift, after}, {.order = ListOrder::oldestFirst})),
              (Names{"id2"}));
}

TEST_F(AlertClassifierTest, LiftNoticeNamesItsSignalLikeAWarning) {
    // Without a colour the lift is of the yellow signal's type; it is renamed like a warning.
    EXPECT_EQ(keptIds(pass({{"北京市气象台解除高温预警"},
                            {"北京市气象台发布高温橙色预警"},
                            {"北京市气象台解除陆地大风预警"},
                            {"北京市气象台发布大风蓝色预警"}})),
              Names{});
}

TEST_F(AlertClassifierTest, BuildsDetailsAndPageTextsWithTheGuidance) {
    home.write("Guidance.html", "<tr><td>暴雨蓝色预警信号</td><td>1. 甲<br>2. 乙</td></tr>");
    const PassAccumulators acc = pass(
        {{.headline = "北京市气象台发布暴雨蓝色预警信号",
          .description = "今天有雨。防御指南：注意。"},
         {.headline = "北京市气象台发布大风黄色预警", .description = "有风。防御指南：关窗。"}},
        {.guidanceFileExists = true});
    EXPECT_EQ(
        utf8(acc.detailsText),
        "▲【北京市暴雨蓝色预警信号】\r\n今天有雨。 (2026/07/20 20:00:00)\r\n"
        "防御指南：\r\n1. 甲\r\n2. 乙\r\n\r\n"
        "▲【北京市大风黄色预警信号】\r\n有风。防御指南：关窗。 (2026/07/20 20:00:00)\r\n\r\n");
    EXPECT_EQ(utf8(acc.pageText),
              "-----▲【北京市气象台7月20日20时发布暴雨蓝色预警信号 [Ⅳ级/一般]】 "
              "(2026/07/20 20:00:00)\r\n今天有雨。\r\n防御指南：\r\n1. 甲\r\n2. 乙"
              "-----▲【北京市气象台7月20日20时发布大风黄色预警信号 [Ⅲ级/较重]】 "
              "(2026/07/20 20:00:00)\r\n有风。防御指南：关窗。");
}

TEST_F(AlertClassifierTest, SignalNamesInTheAlertListCannotEndTheString) {
    words.senderWords = {gb("气象台")};
    words.changeFrom = {gb("*暴雨")};
    words.changeTo = {"x\"y\\"};
    EXPECT_EQ(pass({{"北京市气象台发布暴雨蓝色预警"}}).alertList,
              "var Alerts = new Array(\"x\\\"y\\\\" + gb("蓝") + "\"");
}

}  // namespace
}  // namespace galewarden
