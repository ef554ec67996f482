#include <gtest/gtest.h>

#include "core/alerts/KnownWarnings.h"
#include "core/alerts/LabelSettings.h"
#include "core/alerts/PassConfiguration.h"
#include "core/alerts/RefreshResultBuilder.h"
#include "core/alerts/ResultPresentation.h"
#include "core/alerts/WarningSound.h"
#include "core/alerts/classify/AlertClassifier.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/classify/SignalColour.h"
#include "core/alerts/classify/WarningSelection.h"
#include "core/config/ConfigStore.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;
using Calls = std::vector<std::string>;

// The tray and details window as the results drive them, starting as at program start.
class RecordingTarget : public PresentationTarget {
  public:
    void setTrayHeaderVisible(bool visible) override {
        calls.push_back(visible ? "header shown" : "header hidden");
    }
    void stopTrayHideTimer() override { calls.push_back("tray timer stopped"); }
    void showTrayForColour(int colour) override {
        calls.push_back("tray colour " + std::to_string(colour));
    }
    void showTrayNeutral() override { calls.push_back("tray neutral"); }
    bool rotationRunning() const override { return cycleInterval > 0; }
    void startSwitch() override { calls.push_back("switch"); }
    void setRotationInterval(int milliseconds) override {
        cycleInterval = milliseconds;
        calls.push_back("cycle " + std::to_string(milliseconds));
    }
    void clearDetailPictures() override { calls.push_back("pictures cleared"); }
    bool setDetailsText(const std::string& text) override {
        if (text == shown) {
            return false;
        }
        shown = text;
        calls.push_back("details");
        return true;
    }
    void showBalloon(const std::string& title, const std::string& body) override {
        calls.push_back("balloon " + utf8(title) + " | " + utf8(body));
    }
    void playWarningSound() override { calls.push_back("sound"); }

    Calls calls;
    int cycleInterval = 0;
    std::string shown = noAlertsText();
};

class ResultsTest : public ::testing::Test {
  protected:
    // One pass over headlines of 北京市 (each with its description), as the refresh does it.
    RefreshResult pass(const std::vector<std::pair<const char*, const char*>>& warnings,
                       bool notice = true) {
        AlertClassifier classifier(words, guidance);
        for (const auto& [headline, description] : warnings) {
            AlertRecord record;
            record.headline = record.sender = gb(headline);
            record.description = gb(description);
            record.publishTime = "2026/07/20 20:00:00";
            classifier.classifyAlert(record, gb("北京市"));
        }
        PassAccumulators acc = selectWarnings(classifier.classified(), {}, nullptr);
        summary = utf8(summaryText(acc, false));
        return buildRefreshResult(std::move(acc), LabelSettings{}, {15, notice});
    }

    test::TestHome home;
    ConfigStore store;
    const Guidance guidance;
    ClassifierWords words = readPassConfiguration(store).words;
    RecordingTarget target;
    std::string summary;
};

TEST_F(ResultsTest, TwoWarningsGiveSummaryTrayCycleAndBalloon) {
    presentRefreshResult(
        pass({{"北京市气象台发布暴雨蓝色预警", "有雨"}, {"北京市气象台发布大风黄色预警", "有风"}}),
        target);
    EXPECT_EQ(
        summary,
        "共有2种类型的2个预警正生效中。\r\n蓝色预警1个，黄色预警1个，橙色预警0个，红色预警0个。");
    EXPECT_EQ(target.calls,
              (Calls{"header shown", "tray timer stopped", "tray colour 3", "switch", "cycle 15000",
                     "details",
                     "balloon 较重：气象灾害预警信息变更 | 【暴雨蓝色预警】【大风黄色预警】\r\n"
                     "（单击托盘图标查看详细信息）"}));
}

TEST_F(ResultsTest, SameWarningsAgainGiveNoBalloonButAChangedTimeDoes) {
    const std::vector<std::pair<const char*, const char*>> warnings{
        {"北京市气象台发布暴雨蓝色预警", "有雨"}};
    presentRefreshResult(pass(warnings), target);
    target.calls.clear();
    presentRefreshResult(pass(warnings), target);
    EXPECT_EQ(target.calls, (Calls{"header shown", "tray timer stopped", "tray colour 2"}));

    target.shown += " ";  // what a changed publication time does to the text
    target.calls.clear();
    presentRefreshResult(pass(warnings), target);
    EXPECT_EQ(target.calls.back().substr(0, 7), "balloon");
}

TEST_F(ResultsTest, ManyEntriesAndTornadoesInTheBalloon) {
    const RefreshResult result = pass({{"北京市气象台发布暴雨蓝色预警", "有雨"},
                                       {"北京市气象台发布大风黄色预警", "有风"},
                                       {"北京市气象台发布高温橙色预警", "很热"},
                                       {"北京市气象台发布雷电黄色预警", "局地有龙卷"},
                                       {"北京市气象台发布冰雹红色预警", "有冰雹"},
                                       {"北京市气象台发布大雾黄色预警", "有雾"},
                                       {"北京市气象台发布霾黄色预警", "有霾"}});
    EXPECT_EQ(utf8(result.balloonTitle), "特别严重：预警存在龙卷警报信息");
    EXPECT_EQ(
        utf8(result.balloonBody),
        "【暴雨蓝色预警】【大风黄色预警】【高温橙色预警】【雷电黄色预警】【冰雹红色预警】等7种"
        "预警\r\n（单击托盘图标查看详细信息）");
    EXPECT_EQ(summary.substr(0, summary.find("共有")), "（预警存在1龙卷警报）");
}

TEST_F(ResultsTest, NoBalloonWithoutColourOrNoticeAndNeutralTrayWhenAllIsGone) {
    presentRefreshResult(pass({{"北京市气象台发布大风预警", "有风"}}), target);
    EXPECT_EQ(target.calls,
              (Calls{"header shown", "tray timer stopped", "switch", "cycle 15000", "details"}));

    target.calls.clear();
    presentRefreshResult(pass({{"北京市气象台发布暴雨蓝色预警", "有雨"}}, false), target);
    EXPECT_EQ(target.calls.back(), "details");

    target.calls.clear();
    const RefreshResult none = pass({});
    presentRefreshResult(none, target);
    EXPECT_EQ(target.calls,
              (Calls{"header hidden", "tray neutral", "cycle 0", "pictures cleared", "details"}));
    EXPECT_EQ(target.shown, noAlertsText());
    EXPECT_EQ(none.alertList, "var Alerts = new Array();");
    EXPECT_FALSE(none.anyKept);
    EXPECT_TRUE(none.display->entries.empty());
}

TEST_F(ResultsTest, ANewWarningAtOrAboveTheChosenColourSoundsWhenTheDetailsChange) {
    struct Case {
        SoundFrom from;
        int newColour;  // 0: no new warning
        bool changed;
        bool sound;
    };
    const Case cases[] = {
        {SoundFrom::none, kRed, true, false},     {SoundFrom::red, kRed, true, true},
        {SoundFrom::red, kOrange, true, false},   {SoundFrom::orange, kRed, true, true},
        {SoundFrom::orange, kOrange, true, true}, {SoundFrom::orange, kYellow, true, false},
        {SoundFrom::yellow, kYellow, true, true}, {SoundFrom::yellow, kBlue, true, false},
        {SoundFrom::blue, kBlue, true, true},     {SoundFrom::blue, kWhite, true, false},
        {SoundFrom::blue, 0, true, false},        {SoundFrom::red, kRed, false, false},
        {SoundFrom::blue, kYellow, false, false}, {SoundFrom::none, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(soundFromName(c.from)) + " new " + std::to_string(c.newColour) +
                     (c.changed ? " changed" : " unchanged"));
        RefreshResult result = pass({{"北京市气象台发布暴雨蓝色预警", "有雨"}}, false);
        result.soundFrom = c.from;
        result.newColour = c.newColour;
        target.shown = c.changed ? std::string() : result.detailsText;
        target.calls.clear();
        presentRefreshResult(result, target);
        EXPECT_EQ(target.calls.back() == "sound", c.sound);
    }
}

TEST_F(ResultsTest, TheSoundFollowsTheBalloon) {
    RefreshResult result = pass({{"北京市气象台发布暴雨红色预警", "有雨"}});
    result.soundFrom = SoundFrom::red;
    result.newColour = kRed;
    presentRefreshResult(result, target);
    ASSERT_GE(target.calls.size(), 2u);
    EXPECT_EQ(target.calls[target.calls.size() - 2].substr(0, 7), "balloon");
    EXPECT_EQ(target.calls.back(), "sound");
}

TEST(KnownWarningsTest, OnlyWarningsTheLastPassDidNotKeepAreNew) {
    const auto warning = [](const char* id, const char* region, int level) {
        KeptAlert alert;
        alert.id = id;
        alert.region = region;
        alert.signalName = "s";
        alert.level = level;
        return alert;
    };
    const KeptAlert blue = warning("a", "r1", kBlue);
    const KeptAlert red = warning("b", "r1", kRed);
    const KeptAlert yellow = warning("c", "r1", kYellow);
    const KeptAlert redElsewhere = warning("b", "r2", kRed);
    KnownWarnings known;
    EXPECT_EQ(known.takePass({blue, red}), kRed);
    EXPECT_EQ(known.takePass({blue, red}), 0);
    EXPECT_EQ(known.takePass({red, blue, yellow}), kYellow);
    EXPECT_EQ(known.takePass({blue}), 0);
    EXPECT_EQ(known.takePass({blue, red}), kRed);
    EXPECT_EQ(known.takePass({blue, red, redElsewhere}), kRed);
    EXPECT_EQ(known.takePass({}), 0);
}

TEST(SoundFromTest, StoredTextsAndTheirColours) {
    const std::pair<const char*, SoundFrom> names[] = {
        {"none", SoundFrom::none},     {"red", SoundFrom::red},   {"orange", SoundFrom::orange},
        {"yellow", SoundFrom::yellow}, {"blue", SoundFrom::blue},
    };
    for (const auto& [name, from] : names) {
        EXPECT_EQ(soundFromText(name), from);
        EXPECT_EQ(soundFromName(from), name);
    }
    EXPECT_EQ(soundFromText("Orange"), SoundFrom::orange);
    for (const char* unknown : {"", "white", "1", "red "}) {
        EXPECT_EQ(soundFromText(unknown), SoundFrom::none) << unknown;
    }
    EXPECT_EQ(soundLevel(SoundFrom::none), kNoColour);
    EXPECT_EQ(soundLevel(SoundFrom::blue), kBlue);
    EXPECT_EQ(soundLevel(SoundFrom::red), kRed);
}

}  // namespace
}  // namespace galewarden
