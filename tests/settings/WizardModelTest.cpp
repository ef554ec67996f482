#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "settings/wizard_model/WizardModel.h"
#include "settings/wizard_model/WizardSummary.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

WizardValues someValues() {
    return WizardValues{true, true, gb("北京市 中央气象台"), "100", "82", "60", "80"};
}

WizardModel modelOnPage(int page, WizardValues values = someValues()) {
    WizardModel model(std::move(values));
    for (int i = 0; i < page; ++i) {
        model.forward();
    }
    return model;
}

TEST(WizardModel, AFreshWizardShowsTheWelcomePage) {
    const WizardModel model(someValues());
    EXPECT_EQ(model.page(), 0);
    EXPECT_EQ(model.forwardCaption(), gb("&S.开始"));
    EXPECT_FALSE(model.backEnabled());
    EXPECT_EQ(model.pageCounter(), "1 / 6");
}

struct PageView {
    int page;
    const char* forwardCaption;
    bool backEnabled;
    const char* counter;
};

TEST(WizardModel, EveryPageHasItsCaptionsAndCounter) {
    const PageView pages[] = {{0, "&S.开始", false, "1 / 6"},  {1, "&N.下一步", true, "2 / 6"},
                              {2, "&N.下一步", true, "3 / 6"}, {3, "&N.下一步", true, "4 / 6"},
                              {4, "&N.下一步", true, "5 / 6"}, {5, "&D.完成", true, "6 / 6"}};
    for (const PageView& expected : pages) {
        const WizardModel model = modelOnPage(expected.page);
        SCOPED_TRACE(expected.page);
        EXPECT_EQ(model.page(), expected.page);
        EXPECT_EQ(model.onLastPage(), expected.page == 5);
        EXPECT_EQ(model.forwardCaption(), gb(expected.forwardCaption));
        EXPECT_EQ(model.backEnabled(), expected.backEnabled);
        EXPECT_EQ(model.pageCounter(), expected.counter);
    }
}

TEST(WizardModel, TheClickTextGoesToTheSecondPage) {
    WizardModel model(someValues());
    model.startSetup();
    EXPECT_EQ(model.page(), 1);
    EXPECT_EQ(model.pageCounter(), "2 / 6");
    EXPECT_EQ(model.forwardCaption(), gb("&N.下一步"));
    EXPECT_TRUE(model.backEnabled());
}

TEST(WizardModel, BackReturnsAndStopsAtTheFirstPage) {
    WizardModel model = modelOnPage(5);
    model.back();
    EXPECT_EQ(model.page(), 4);
    EXPECT_EQ(model.forwardCaption(), gb("&N.下一步"));
    for (int i = 0; i < 6; ++i) {
        model.back();
    }
    EXPECT_EQ(model.page(), 0);
    EXPECT_EQ(model.forwardCaption(), gb("&S.开始"));
}

TEST(WizardModel, ForwardOnTheLastPageStaysThere) {
    WizardModel model = modelOnPage(5);
    model.forward();
    EXPECT_EQ(model.page(), 5);
}

TEST(WizardModel, CommasBecomeSpacesOnTheLastPageOnly) {
    WizardValues values = someValues();
    values.districts = gb("上海市,杭州市,,中央气象台");
    WizardModel model = modelOnPage(4, values);
    EXPECT_EQ(model.values().districts, gb("上海市,杭州市,,中央气象台"));
    model.forward();
    EXPECT_EQ(model.values().districts, gb("上海市 杭州市  中央气象台"));
    EXPECT_EQ(
        model.summary().substr(0, gb("稍后，程序将开始监测“上海市 杭州市  中央气象台”").size()),
        gb("稍后，程序将开始监测“上海市 杭州市  中央气象台”"));
}

TEST(WizardModel, FullWidthCommasAndTheBytesOfChineseCharactersStay) {
    WizardValues values = someValues();
    values.districts = gb("北京市，天津市");
    EXPECT_EQ(modelOnPage(5, values).values().districts, gb("北京市，天津市"));
}

struct SummaryCase {
    bool autoRun;
    bool autoCheck;
    const char* expected;
};

TEST(WizardSummary, TicksAndCrossesFollowTheCheckBoxes) {
    const SummaryCase cases[] = {
        {true, true,
         "稍后，程序将开始监测“北京市 中央气象台”的气象预警。\r\n√ 开机自动运行选项已打开。\r\n"
         "√ 自动检查更新选项已打开。"},
        {false, false,
         "稍后，程序将开始监测“北京市 中央气象台”的气象预警。\r\n× 计算机重新启动后需要手动打开"
         "才会再次监测。\r\n× 可在设置界面手动检查最新版本。"},
        {true, false,
         "稍后，程序将开始监测“北京市 中央气象台”的气象预警。\r\n√ 开机自动运行选项已打开。\r\n"
         "× 可在设置界面手动检查最新版本。"},
        {false, true,
         "稍后，程序将开始监测“北京市 中央气象台”的气象预警。\r\n× 计算机重新启动后需要手动打开"
         "才会再次监测。\r\n√ 自动检查更新选项已打开。"}};
    for (const SummaryCase& summary : cases) {
        WizardValues values = someValues();
        values.autoRun = summary.autoRun;
        values.autoCheck = summary.autoCheck;
        EXPECT_EQ(wizardSummary(values), gb(summary.expected))
            << summary.autoRun << summary.autoCheck;
    }
}

TEST(WizardSummary, AnEmptyDistrictTextIsShownAsIs) {
    WizardValues values = someValues();
    values.districts.clear();
    EXPECT_EQ(wizardSummary(values).substr(0, gb("稍后，程序将开始监测“”的").size()),
              gb("稍后，程序将开始监测“”的"));
}

std::vector<std::string> namesCounted(std::size_t count) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(gb("地") + std::to_string(i));
    }
    return names;
}

TEST(WizardModel, DistrictPickerNamesAreJoinedWithSpaces) {
    WizardModel model(someValues());
    EXPECT_EQ(model.chooseDistricts({gb("上海市"), gb("南京市"), gb("中央气象台")}),
              DistrictChoice::replaced);
    EXPECT_EQ(model.values().districts, gb("上海市 南京市 中央气象台"));
}

TEST(WizardModel, AnEmptyChoiceKeepsTheDistricts) {
    WizardModel model(someValues());
    EXPECT_EQ(model.chooseDistricts({}), DistrictChoice::unchanged);
    EXPECT_EQ(model.chooseDistricts({""}), DistrictChoice::unchanged);
    EXPECT_EQ(model.values().districts, gb("北京市 中央气象台"));
}

TEST(WizardModel, TwoHundredNamesAreTheMost) {
    WizardModel model(someValues());
    EXPECT_EQ(model.chooseDistricts(namesCounted(201)), DistrictChoice::tooMany);
    EXPECT_EQ(model.values().districts, gb("北京市 中央气象台"));
    EXPECT_EQ(model.chooseDistricts(namesCounted(200)), DistrictChoice::replaced);
    EXPECT_EQ(model.values().districts.substr(0, gb("地0 地1 ").size()), gb("地0 地1 "));
}

TEST(WizardModel, NamesLongerTogetherThanAReadGivesAreRefused) {
    WizardModel model(someValues());
    const DistrictSelection longNames(200, std::string(60, 'n'));
    EXPECT_EQ(model.chooseDistricts(longNames), DistrictChoice::tooLong);
    EXPECT_EQ(model.values().districts, gb("北京市 中央气象台"));
}

TEST(WizardModel, ThePickerReceivesTheEditsAsIntegers) {
    WizardValues values = someValues();
    values.width = "120";
    values.height = " 98px";
    values.top = "abc";
    values.right = "-5";
    EXPECT_EQ(WizardModel(values).placement(), (IconPlacement{120, 98, 0, -5}));
    values.width = gb("１５０");
    values.height = "";
    values.top = "99999999999";
    EXPECT_EQ(WizardModel(values).placement(), (IconPlacement{150, 0, INT_MAX, -5}));
}

struct PlacementCase {
    IconPlacement returned;
    bool taken;
};

TEST(WizardModel, OnlyAValidPlacementReplacesTheEdits) {
    const PlacementCase cases[] = {{{120, 98, 0, 0}, true},   {{1, 1, 5, 7}, true},
                                   {{-1, -1, -1, -1}, false}, {{0, 82, 60, 80}, false},
                                   {{100, 0, 60, 80}, false}, {{100, 82, -1, 80}, false},
                                   {{100, 82, 60, -1}, false}};
    for (const PlacementCase& placement : cases) {
        WizardModel model(someValues());
        const IconPlacement& p = placement.returned;
        SCOPED_TRACE(std::to_string(p.width) + " " + std::to_string(p.height) + " " +
                     std::to_string(p.top) + " " + std::to_string(p.right));
        EXPECT_EQ(model.takePlacement(p), placement.taken);
        const WizardValues expected = placement.taken ? WizardValues{true,
                                                                     true,
                                                                     gb("北京市 中央气象台"),
                                                                     std::to_string(p.width),
                                                                     std::to_string(p.height),
                                                                     std::to_string(p.top),
                                                                     std::to_string(p.right)}
                                                      : someValues();
        EXPECT_EQ(model.values(), expected);
    }
}

}  // namespace
}  // namespace galewarden
