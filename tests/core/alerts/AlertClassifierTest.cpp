#include <gtest/gtest.h>

#include "core/alerts/PassConfiguration.h"
#include "core/alerts/RefreshState.h"
#include "core/alerts/classify/AlertClassifier.h"
#include "core/config/ConfigStore.h"
#include "core/text/TextPieces.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;

class AlertClassifierTest : public ::testing::Test {
  protected:
    AlertRecord record(const char* headline, const char* sender = "") const {
        AlertRecord r;
        r.id = "id";
        r.headline = gb(headline);
        r.sender = *sender != '\0' ? gb(sender) : r.headline;
        r.description = gb("预计未来6小时内将出现强降雨，请注意防范。");
        r.publishTime = "2026/07/20 20:00:00";
        r.publishDateTime = {2026, 7, 20, 20, 0, 0};
        return r;
    }

    ClassifyOutcome classify(const char* headline, const char* district, const char* sender = "") {
        return classifier().classifyAlert(record(headline, sender), gb(district));
    }

    AlertClassifier& classifier() {
        if (!classifier_) {
            classifier_.emplace(words, state, nullptr, false);
        }
        return *classifier_;
    }

    std::vector<std::string> titles() {
        std::vector<std::string> names;
        for (const std::string& title : state.display.titles) {
            names.push_back(utf8(title));
        }
        return names;
    }

    test::TestHome home;
    ConfigStore store;
    RefreshState state;
    ClassifierWords words = readPassConfiguration(store).words;

  private:
    std::optional<AlertClassifier> classifier_;
};

TEST_F(AlertClassifierTest, CutsHeadlinesIntoRegionAndSignalName) {
    const struct {
        const char* headline;
        const char* district;
        const char* sender;
        ClassifyOutcome outcome;
        const char* region;
        const char* signalName;
    } cases[] = {
        {"北京市气象台发布暴雨蓝色预警信号", "北京市", "", ClassifyOutcome::kept, "北京市",
         "暴雨蓝"},
        {"中央气象台发布台风橙色预警", "中央气象台", "", ClassifyOutcome::kept, "中央气象台",
         "台风橙"},
        {"上海市中心气象台发布大风黄色预警", "上海市", "", ClassifyOutcome::nextDistrict, "", ""},
        {"北京市气象台发布大风预警", "北京市", "", ClassifyOutcome::kept, "北京市", "大风无"},
        {"北京市气象台解除暴雨蓝色预警", "北京市", "", ClassifyOutcome::dropped, "", ""},
        {"北京市气象台更新暴雨蓝色预警", "北京市", "", ClassifyOutcome::nextDistrict, "", ""},
        {"北京市气象台发布森林火险橙色预警", "北京市", "", ClassifyOutcome::dropped, "", ""},
        {"北京市气象台发布道路结冰黄色预警", "北京市", "", ClassifyOutcome::kept, "北京市",
         "道路结冰黄"},
        {"北京市气象台发布陆地大风蓝色预警", "北京市", "", ClassifyOutcome::kept, "北京市",
         "大风蓝"},
        {"北京市气象台发布高温天气事件橙色预警", "北京市", "", ClassifyOutcome::kept, "北京市",
         "高温事件橙"},
        {"北京市气象台发布龙卷预警", "北京市", "", ClassifyOutcome::dropped, "", ""},
        {"海淀区气象台发布暴雨黄色预警", "海淀区", "海淀区", ClassifyOutcome::kept, "海淀区",
         "暴雨黄"},
        {"天津市气象台发布暴雨蓝色预警", "北京市", "", ClassifyOutcome::nextDistrict, "", ""},
    };
    for (const auto& c : cases) {
        RefreshState fresh;
        AlertClassifier classifier(words, fresh, nullptr, false);
        EXPECT_EQ(classifier.classifyAlert(record(c.headline, c.sender), gb(c.district)), c.outcome)
            << c.headline;
        if (c.outcome == ClassifyOutcome::kept) {
            ASSERT_EQ(classifier.accumulators().kept.size(), 1u) << c.headline;
            EXPECT_EQ(utf8(classifier.accumulators().kept[0].region), c.region);
            EXPECT_EQ(utf8(classifier.accumulators().kept[0].signalName), c.signalName);
        }
    }
}

TEST_F(AlertClassifierTest, CountsColoursAndTornadoes) {
    classify("北京市气象台发布暴雨蓝色预警", "北京市");
    classify("北京市气象台发布大风预警", "北京市");
    AlertRecord thunder = record("北京市气象台发布雷电黄色预警信号");
    thunder.description = gb("局地可能出现龙卷、冰雹等强对流天气。");
    classifier().classifyAlert(thunder, gb("北京市"));
    const PassAccumulators& acc = classifier().accumulators();
    EXPECT_EQ(acc.colouredTotal, 2);
    EXPECT_EQ(acc.colourCount[1], 1);
    EXPECT_EQ(acc.colourCount[2], 1);
    EXPECT_EQ(state.highestColour, 3);
    EXPECT_EQ(state.tornadoCount, 1);
    EXPECT_EQ(titles(), (std::vector<std::string>{"暴雨蓝", "大风无", "雷电黄"}));
}

TEST_F(AlertClassifierTest, OneDisplayEntryPerSignalNameUnlessTheLabelCarriesPlaces) {
    classify("北京市气象台发布暴雨蓝色预警", "北京市");
    classifier().classifyAlert(record("天津市气象台发布暴雨蓝色预警"), gb("天津市"));
    EXPECT_EQ(titles(), (std::vector<std::string>{"暴雨蓝"}));
    EXPECT_EQ(utf8(state.display.placeNames[0]), "北京市");
    EXPECT_EQ(utf8(classifier().accumulators().alertList), "var Alerts = new Array(\"暴雨蓝\"");

    RefreshState labelled;
    labelled.labelUsesName = true;
    AlertClassifier withNames(words, labelled, nullptr, false);
    withNames.classifyAlert(record("北京市气象台发布暴雨蓝色预警"), gb("北京市"));
    withNames.classifyAlert(record("天津市气象台发布暴雨蓝色预警"), gb("天津市"));
    EXPECT_EQ(labelled.display.titles.size(), 2u);
    EXPECT_EQ(utf8(withNames.accumulators().alertList),
              "var Alerts = new Array(\"暴雨蓝\",\"暴雨蓝\"");
}

TEST_F(AlertClassifierTest, SameRegionAndTypeLaterInTheListIsADuplicate) {
    words.keywords = {gb("发布"), gb("更新")};
    EXPECT_EQ(classify("北京市气象台发布暴雨蓝色预警", "北京市"), ClassifyOutcome::kept);
    EXPECT_EQ(classify("北京市气象台更新暴雨黄色预警", "北京市"), ClassifyOutcome::duplicate);
    EXPECT_EQ(classify("北京市气象台发布大风蓝色预警", "北京市"), ClassifyOutcome::kept);
    EXPECT_EQ(classifier().accumulators().kept.size(), 2u);
}

TEST_F(AlertClassifierTest, LiftNoticeSuppressesTheOlderIssueThatFollowsIt) {
    // Newest first: the lift of the rainstorm warning comes before the issue it lifts.
    EXPECT_EQ(classify("北京市气象台解除暴雨蓝色预警信号", "北京市"), ClassifyOutcome::dropped);
    EXPECT_EQ(classify("北京市气象台发布暴雨蓝色预警信号", "北京市"), ClassifyOutcome::dropped);
    // Another type, and the same type elsewhere, stay.
    EXPECT_EQ(classify("北京市气象台发布大风蓝色预警", "北京市"), ClassifyOutcome::kept);
    EXPECT_EQ(classify("天津市气象台发布暴雨蓝色预警", "天津市"), ClassifyOutcome::kept);
    EXPECT_EQ(titles(), (std::vector<std::string>{"大风蓝", "暴雨蓝"}));
}

TEST_F(AlertClassifierTest, LiftNoticeWithoutColourAndTheNewerIssueBeforeIt) {
    EXPECT_EQ(classify("北京市气象台发布高温橙色预警", "北京市"), ClassifyOutcome::kept);
    EXPECT_EQ(classify("北京市气象台解除高温预警", "北京市"), ClassifyOutcome::dropped);
    EXPECT_EQ(classify("北京市气象台发布高温黄色预警", "北京市"), ClassifyOutcome::dropped);
    // The lift is renamed like a warning: 陆地大风 lifts 大风.
    EXPECT_EQ(classify("北京市气象台解除陆地大风预警", "北京市"), ClassifyOutcome::dropped);
    EXPECT_EQ(classify("北京市气象台发布大风蓝色预警", "北京市"), ClassifyOutcome::dropped);
    EXPECT_EQ(titles(), (std::vector<std::string>{"高温橙"}));
}

TEST_F(AlertClassifierTest, SenderWordWithTildeIsSearchedWithoutItButCutWithItsLength) {
    words.senderWords = {gb("气象~台")};
    AlertClassifier classifier(words, state, nullptr, false);
    // The office takes seven bytes: "气象台" and the first byte of "发", so no keyword remains.
    EXPECT_EQ(classifier.classifyAlert(record("北京市气象台发布暴雨蓝色预警"), gb("北京市")),
              ClassifyOutcome::nextDistrict);
}

TEST_F(AlertClassifierTest, DropsWarningsMissingTheirParts) {
    AlertRecord noTime = record("北京市气象台发布暴雨蓝色预警");
    noTime.publishTime.clear();
    EXPECT_EQ(classifier().classifyAlert(noTime, gb("北京市")), ClassifyOutcome::dropped);
    AlertRecord noText = record("北京市气象台发布暴雨蓝色预警");
    noText.description = " \r\n";
    EXPECT_EQ(classifier().classifyAlert(noText, gb("北京市")), ClassifyOutcome::dropped);
    EXPECT_EQ(classify("北京市气象台发布信息", "北京市"), ClassifyOutcome::dropped);
    EXPECT_FALSE(classifier().accumulators().anyKept);
}

TEST_F(AlertClassifierTest, BuildsDetailsAndPageTexts) {
    classify("北京市气象台发布暴雨蓝色预警信号", "北京市");
    const PassAccumulators& acc = classifier().accumulators();
    EXPECT_EQ(utf8(acc.detailsText),
              "▲【北京市暴雨蓝色预警信号】\r\n预计未来6小时内将出现强降雨，请注意防范。"
              " (2026/07/20 20:00:00)\r\n\r\n");
    EXPECT_EQ(utf8(acc.pageText),
              "-----▲【北京市气象台7月20日20时发布暴雨蓝色预警信号 [Ⅳ级/一般]】 (2026/07/20 "
              "20:00:00)\r\n预计未来6小时内将出现强降雨，请注意防范。");
}

TEST_F(AlertClassifierTest, SignalNamesInTheAlertListCannotEndTheString) {
    words.senderWords = {gb("气象台")};
    words.changeFrom = {gb("*暴雨")};
    words.changeTo = {"x\"y\\"};
    classify("北京市气象台发布暴雨蓝色预警", "北京市");
    EXPECT_EQ(classifier().accumulators().alertList,
              "var Alerts = new Array(\"x\\\"y\\\\" + gb("蓝") + "\"");
}

}  // namespace
}  // namespace galewarden
