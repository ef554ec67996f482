#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/config/ConfigStore.h"
#include "core/text/TextPieces.h"
#include "settings/model/SettingsModel.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

using SectionKey = std::pair<std::string, std::string>;

// Every key line of the file by section and key, with its raw value, and how often it occurs.
struct FileLines {
    std::map<SectionKey, std::string> raw;
    std::map<SectionKey, int> count;
};

FileLines linesOf(const std::string& bytes) {
    FileLines file;
    std::string section;
    for (std::string line : splitText(bytes, "\n")) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.starts_with("[")) {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const SectionKey key{section, line.substr(0, equals)};
        file.raw[key] = line.substr(equals + 1);
        ++file.count[key];
    }
    return file;
}

std::vector<std::string> keyNames(const std::vector<StoredValue>& values) {
    std::vector<std::string> names;
    for (const StoredValue& value : values) {
        names.push_back(std::string(value.key.section) + "/" + std::string(value.key.name));
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> namedValues(const SettingsModel& model) {
    std::vector<std::pair<std::string, std::string>> named;
    const auto names = keyNames(model.storedValues());
    const auto values = model.storedValues();
    for (std::size_t i = 0; i < values.size(); ++i) {
        named.emplace_back(names[i], values[i].value);
    }
    return named;
}

SettingsModel loaded(const ConfigStore& store) {
    SettingsModel model;
    model.load(store);
    return model;
}

TEST(SettingsModel, FreshFileGivesEveryDefault) {
    const test::TestHome home;
    const SettingsModel model = loaded(ConfigStore());
    EXPECT_EQ(model.iconWidth, "100");
    EXPECT_EQ(model.iconHeight, "82");
    EXPECT_EQ(model.iconTop, "60");
    EXPECT_EQ(model.iconRight, "80");
    EXPECT_EQ(model.refreshTime, "120");
    EXPECT_EQ(model.retryTime, "60");
    EXPECT_TRUE(model.autoRun && model.mouseOver && model.notice && model.useVendor &&
                model.autoCheck && model.signAuto);
    EXPECT_FALSE(model.animate || model.labelShow || model.labelUseName || model.autoHide ||
                 model.saveJson || model.htmlStart || model.pluginStart);
    const int alphas[] = {63, 95, 127, 159};
    for (std::size_t level = 0; level < kLevelCount; ++level) {
        EXPECT_EQ(model.levels[level].alpha, alphas[level]);
        EXPECT_TRUE(model.levels[level].show && model.levels[level].top);
    }
    EXPECT_EQ(model.districts.entries(),
              (std::vector<std::string>{gb("北京市"), gb("中央气象台")}));
    EXPECT_EQ(model.skip, defaultOf(keys::kSkip));
    EXPECT_EQ(model.sender, defaultOf(keys::kSender));
    EXPECT_EQ(model.labelText, gb("未指定文本"));
    EXPECT_EQ(model.labelColor, rgbColour(0xEC, 0xEC, 0xEC));
    EXPECT_EQ(model.labelBgColor, 0xFF000000U);
    EXPECT_EQ(model.labelAlign, 1);
    EXPECT_EQ(model.screenBasic, "3");
    EXPECT_EQ(model.signUrl, defaultSignUrl());
    EXPECT_EQ(model.soundFrom, SoundFrom::none);
}

TEST(SettingsModel, SaveWritesEveryKeyOnceInItsOrder) {
    const test::TestHome home;
    ConfigStore store;
    const SettingsModel model = loaded(store);
    const std::vector<std::string> order{
        "General/AutoRun",    "General/Width",   "General/Height",
        "General/Top",        "General/Right",   "General/MouseOver",
        "General/ReshowTime", "General/Notice",  "General/SaveJson",
        "General/Interval",   "General/Animate", "General/RefreshTime",
        "General/RetryTime",  "Source/UseKVX",   "CheckNew/AutoCheck",
        "Blue/Alpha",         "Blue/Show",       "Blue/Top",
        "Yellow/Alpha",       "Yellow/Show",     "Yellow/Top",
        "Orange/Alpha",       "Orange/Show",     "Orange/Top",
        "Red/Alpha",          "Red/Show",        "Red/Top",
        "HTML/Start",         "Screen/AutoHide", "Screen/Basic",
        "DLL/Start",          "Sign/Auto",       "Sign/URL",
        "Source/Districts",   "Source/Skip",     "Source/Sender",
        "Label/Show",         "Label/PosX",      "Label/PosY",
        "Label/Width",        "Label/Height",    "Label/Text",
        "Label/Color",        "Label/BgColor",   "Label/Size",
        "Label/Align",        "Label/UseName",   "Sound/From"};
    EXPECT_EQ(keyNames(model.storedValues()), order);

    EXPECT_FALSE(model.save(store).has_value());
    const FileLines file = linesOf(home.read("Galewarden.ini"));
    const std::vector<std::string> quoted{"Sign/URL",      "Source/Districts", "Source/Skip",
                                          "Source/Sender", "Screen/Basic",     "Label/Text",
                                          "Label/Color",   "Label/BgColor"};
    for (const StoredValue& value : model.storedValues()) {
        const SectionKey key{std::string(value.key.section), std::string(value.key.name)};
        const std::string name = key.first + "/" + key.second;
        const bool isQuoted = std::find(quoted.begin(), quoted.end(), name) != quoted.end();
        EXPECT_EQ(file.count.at(key), 1) << name;
        EXPECT_EQ(file.raw.at(key), isQuoted ? "\"" + value.value + "\"" : value.value) << name;
    }
    EXPECT_EQ(file.count.size(), order.size());
    EXPECT_EQ(file.raw.at({"Source", "Districts"}), gb("\"北京市 中央气象台\""));
    EXPECT_EQ(file.raw.at({"Label", "BgColor"}), "\"#000000FF\"");
}

TEST(SettingsModel, SavingUnchangedValuesChangesNoValue) {
    const test::TestHome home;
    home.write("Galewarden.ini",
               gb("[General]\r\nWidth=１２０\r\nTop= 7px\r\nRefreshTime=10\r\n"
                  "[Source]\r\nDistricts=\"北京市  中央气象台\"\r\nSkip=\" 试,险 \"\r\n"
                  "[Blue]\r\nAlpha=200\r\nShow=0\r\n"
                  "[Label]\r\nText=\"一\\n二\\~\\\\\"\r\nColor=\"#ecEC01\"\r\n"
                  "BgColor=\"#20304000\"\r\nAlign=2\r\n"
                  "[Screen]\r\nBasic=\"5\"\r\n"));
    ConfigStore store;
    const SettingsModel before = loaded(store);
    ASSERT_FALSE(before.save(store).has_value());
    const SettingsModel after = loaded(store);
    EXPECT_EQ(namedValues(after), namedValues(before));
    const FileLines file = linesOf(home.read("Galewarden.ini"));
    EXPECT_EQ(file.raw.at({"General", "Width"}), gb("１２０"));
    EXPECT_EQ(file.raw.at({"General", "Top"}), "7px");
    EXPECT_EQ(file.raw.at({"General", "RefreshTime"}), "10");
    EXPECT_EQ(file.raw.at({"Source", "Districts"}), gb("\"北京市  中央气象台\""));
    EXPECT_EQ(file.raw.at({"Source", "Skip"}), gb("\" 试,险 \""));
    EXPECT_EQ(file.raw.at({"Blue", "Alpha"}), "200");
    EXPECT_EQ(file.raw.at({"Label", "Text"}), gb("\"一\\n二\\~\\\\\""));
    EXPECT_EQ(file.raw.at({"Label", "Color"}), "\"#ECEC01\"");
    EXPECT_EQ(file.raw.at({"Label", "BgColor"}),
              "\"#203040\"");  // a zero fourth byte is not written
    EXPECT_EQ(after.districts.size(), 3U);
}

TEST(SettingsModel, SoundFromIsSavedAsItsNameAndUnknownTextsAsNone) {
    const test::TestHome home;
    const std::pair<const char*, const char*> cases[] = {
        {"orange", "orange"}, {"RED", "red"}, {"purple", "none"}, {"", "none"}};
    for (const auto& [stored, saved] : cases) {
        home.write("Galewarden.ini", std::string("[Sound]\r\nFrom=") + stored + "\r\n");
        ConfigStore store;
        ASSERT_FALSE(loaded(store).save(store).has_value());
        EXPECT_EQ(linesOf(home.read("Galewarden.ini")).raw.at({"Sound", "From"}), saved) << stored;
    }
}

TEST(SettingsModel, LabelTextWithLinesQuoteAndBackslashRoundTrips) {
    const test::TestHome home;
    ConfigStore store;
    SettingsModel model = loaded(store);
    const std::vector<std::string> texts{gb("第一行\"引号\"\r\n第二行\\反斜杠\\n"), gb("一\n二"),
                                         "", "\\~\\\\"};
    for (const std::string& text : texts) {
        model.labelText = text;
        ASSERT_FALSE(model.save(store).has_value());
        const std::string expected = text == gb("一\n二") ? gb("一\r\n二") : text;
        EXPECT_EQ(loaded(store).labelText, expected);
        if (text == texts.front()) {
            EXPECT_EQ(linesOf(home.read("Galewarden.ini")).raw.at({"Label", "Text"}),
                      gb("\"第一行\\~引号\\~\\n第二行\\\\反斜杠\\\\n\""));
        }
    }
}

TEST(SettingsModel, LineBreaksNeverReachTheFile) {
    const test::TestHome home;
    ConfigStore store;
    SettingsModel model = loaded(store);
    model.skip = "a\r\nb";
    model.sender = "c\nd";
    model.signUrl = "http://x\r/Pack";
    model.iconWidth = "1\n20";
    model.screenBasic = "4\r\n";
    model.districts = DistrictList({gb("北\n京"), "x"});
    ASSERT_FALSE(model.save(store).has_value());
    const SettingsModel back = loaded(store);
    EXPECT_EQ(back.skip, "ab");
    EXPECT_EQ(back.sender, "cd");
    EXPECT_EQ(back.signUrl, "http://x/Pack");
    EXPECT_EQ(back.iconWidth, "120");
    EXPECT_EQ(back.screenBasic, "4");
    EXPECT_EQ(back.districts.entries(), (std::vector<std::string>{gb("北京"), "x"}));
    EXPECT_EQ(back.labelShow, model.labelShow);  // the next keys were still written
}

TEST(SettingsModel, OutOfRangeSliderAndAlignmentAreHeldToTheirRange) {
    const test::TestHome home;
    home.write("Galewarden.ini",
               "[Blue]\nAlpha=300\n[Yellow]\nAlpha=-4\n[Orange]\nAlpha=x\n"
               "[Label]\nAlign=7\n");
    const SettingsModel model = loaded(ConfigStore());
    EXPECT_EQ(model.levels[0].alpha, 255);
    EXPECT_EQ(model.levels[1].alpha, 0);
    EXPECT_EQ(model.levels[2].alpha, 0);
    EXPECT_EQ(model.levels[3].alpha, 159);
    EXPECT_EQ(model.labelAlign, 2);
}

TEST(SettingsModel, ReadOnlyOrUnreadableFileStopsTheSaveAtItsFirstKey) {
    for (const bool directory : {false, true}) {
        const test::TestHome home;
        if (directory) {
            std::filesystem::create_directory(home.file("Galewarden.ini"));
        } else {
            home.write("Galewarden.ini", "[General]\r\nWidth=5\r\n");
            ::chmod(home.file("Galewarden.ini").c_str(), 0444);
        }
        ConfigStore store;
        SettingsModel model = loaded(store);
        model.iconWidth = "9";
        const auto failed = model.save(store);
        ASSERT_TRUE(failed.has_value()) << directory;
        EXPECT_EQ(failed->name, "AutoRun");
        if (!directory) {
            EXPECT_EQ(home.read("Galewarden.ini"), "[General]\r\nWidth=5\r\n");
        }
    }
}

TEST(SettingsModel, ResetOfTheParsingPage) {
    const test::TestHome home;
    home.write("Galewarden.ini", gb("[Source]\nDistricts=\"上海市\"\nSkip=\"x\"\nSender=\"y\"\n"));
    SettingsModel model = loaded(ConfigStore());
    model.resetParsingPage();
    EXPECT_EQ(model.districts.size(), 0U);
    EXPECT_EQ(model.skip, defaultOf(keys::kSkip));
    EXPECT_EQ(model.sender, defaultOf(keys::kSender));
}

TEST(SettingsModel, PlacementFromAndToTheIconEdits) {
    SettingsModel model;
    model.iconWidth = gb("１２０");
    model.iconHeight = "abc";
    model.iconTop = " 7px";
    model.iconRight = "-3";
    EXPECT_EQ(model.placement(), (IconPlacement{120, 0, 7, -3}));

    const IconPlacement rejected[] = {
        {-1, -1, -1, -1}, {0, 5, 5, 5}, {5, 0, 5, 5}, {5, 5, -1, 5}, {5, 5, 5, -1}};
    for (const IconPlacement& placement : rejected) {
        EXPECT_FALSE(model.takePlacement(placement));
        EXPECT_EQ(model.iconHeight, "abc");
    }
    EXPECT_TRUE(model.takePlacement({1, 2, 0, 0}));
    EXPECT_EQ((std::vector<std::string>{model.iconWidth, model.iconHeight, model.iconTop,
                                        model.iconRight}),
              (std::vector<std::string>{"1", "2", "0", "0"}));
}

TEST(SettingsModel, FirstFieldThatIsNoInteger) {
    const test::TestHome home;
    SettingsModel model = loaded(ConfigStore());
    EXPECT_FALSE(model.firstInvalidNumber().has_value());
    model.refreshTime = "abc";  // the refresh times follow their own rule
    EXPECT_FALSE(model.firstInvalidNumber().has_value());
    model.labelPosX = "-20";
    EXPECT_FALSE(model.firstInvalidNumber().has_value());
    model.screenBasic = "";
    EXPECT_EQ(model.firstInvalidNumber(), NumberField::screenBasic);
    model.labelSize = "16pt";
    EXPECT_EQ(model.firstInvalidNumber(), NumberField::labelSize);
    // A place on a monitor above or right of the primary one.
    model.iconRight = "-1";
    model.iconTop = "-300";
    EXPECT_EQ(model.firstInvalidNumber(), NumberField::labelSize);
    model.iconRight = "1.5";
    EXPECT_EQ(model.firstInvalidNumber(), NumberField::iconRight);
    EXPECT_EQ(&model.numberText(NumberField::iconRight), &model.iconRight);
    EXPECT_EQ(&model.numberText(NumberField::interval), &model.interval);
}

}  // namespace
}  // namespace galewarden
