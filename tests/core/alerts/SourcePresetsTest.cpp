#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/alerts/RefreshCycle.h"
#include "core/alerts/classify/Guidance.h"
#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/alerts/source/SourcePresets.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "support/RecordingView.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;

std::string feedAnswer(const std::string& preset) {
    std::ifstream in(std::string(FEED_ANSWERS) + "/" + preset + ".json", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What a preset keeps of its feed's answer for one watched district: "region signal" each.
std::vector<std::string> keptFor(const std::string& preset, const char* district) {
    const test::TestHome home;
    ConfigStore store;
    EXPECT_TRUE(useSourcePreset(store, *findSourcePreset(preset)));
    store.writeQuoted("Source", "Districts", gb(district));
    const HttpClient http;
    const Guidance guidance;
    RefreshPlugin plugin;
    test::RecordingView view;
    EXPECT_EQ(checkSavedAnswer({store, http, guidance, plugin}, feedAnswer(preset), view),
              RefreshCycle::Outcome::processed);
    std::vector<std::string> kept;
    for (const KeptAlert& alert : view.lastResult->kept) {
        kept.push_back(utf8(alert.region + " " + alert.signalName));
    }
    return kept;
}

// Each feed with districts watched at county, city, province and national level.
TEST(SourcePresets, EachFeedKeepsTheWarningsOfTheWatchedLevel) {
    using Kept = std::vector<std::string>;
    const struct {
        const char* district;
        Kept mapKept;     // national-map: the title names the place without an office
        Kept officeKept;  // nmc and 12379: the office ends the place
    } cases[] = {
        {"铜山区", {"江苏省徐州市铜山区 强对流黄"}, {"江苏省徐州市铜山区 强对流黄"}},
        {"北京市", {"北京市 暴雨蓝"}, {"北京市 暴雨蓝"}},
        {"深圳市", {"广东省深圳市 暴雨黄"}, {"广东省深圳市 暴雨黄"}},
        {"江苏省", {"江苏省 高温橙"}, {"江苏省 高温橙"}},
        {"中央气象台", {"中央气象台 台风橙"}, {"中央气象台 台风橙"}},
        {"徐州市", {}, {}},  // a county's warning is not the city's
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keptFor("national-map", c.district), c.mapKept) << c.district;
        EXPECT_EQ(keptFor("nmc", c.district), c.officeKept) << c.district;
        EXPECT_EQ(keptFor("12379", c.district), c.officeKept) << c.district;
    }
}

TEST(SourcePresets, UsingAPresetWritesItsRulesAndNamesItAsTheSource) {
    const test::TestHome home;
    ConfigStore store;
    EXPECT_EQ(currentSourceId(store), "vendor");
    store.writeQuoted("JSON", "Keyword", gb("发布"));
    store.writeQuoted("JSON", "D_sender", "office");
    ::setenv("GALEWARDEN_FEED_HOST", "http://127.0.0.1:9", 1);
    ASSERT_TRUE(useSourcePreset(store, *findSourcePreset("national-map")));
    ::unsetenv("GALEWARDEN_FEED_HOST");
    EXPECT_EQ(store.readText("Source", "UseKVX", ""), "0");
    EXPECT_EQ(store.readText("JSON", "Host", ""), "http://127.0.0.1:9");
    EXPECT_EQ(store.readText("JSON", "headline", ""), "title");
    EXPECT_EQ(store.readText("JSON", "Headers", ""), "Referer: https://weather.cma.cn/");
    // Keys the preset leaves out are gone, so their defaults hold.
    EXPECT_EQ(store.readText("JSON", "Keyword", "absent"), "absent");
    EXPECT_EQ(store.readText("JSON", "D_sender", "absent"), "absent");
    EXPECT_EQ(currentSourceId(store), "national-map");
    store.writeQuoted("JSON", "Array", "other");
    EXPECT_EQ(currentSourceId(store), "");
    ASSERT_TRUE(useVendorSource(store));
    EXPECT_EQ(currentSourceId(store), "vendor");
}

TEST(SourcePresets, EveryPresetHasItsTextsAndRules) {
    ASSERT_EQ(sourcePresets().size(), 3u);
    EXPECT_EQ(sourcePresets().front().id, "national-map");
    for (const SourcePreset& preset : sourcePresets()) {
        EXPECT_FALSE(preset.name.empty()) << preset.id;
        EXPECT_FALSE(preset.description.empty()) << preset.id;
        EXPECT_GE(preset.rules.size(), 7u) << preset.id;
    }
    EXPECT_FALSE(findSourcePreset("nmc")->loses.empty());
    EXPECT_EQ(findSourcePreset("nothing"), nullptr);
}

}  // namespace
}  // namespace galewarden
