#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/config/ConfigStore.h"
#include "settings/wizard_model/WizardValues.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

WizardValues typedValues() {
    return WizardValues{false, true, gb("上海市 中央气象台"), "120", "98x", "", "-3"};
}

TEST(WizardValues, AMissingFileGivesTheDefaults) {
    const test::TestHome home;
    EXPECT_EQ(readWizardValues(ConfigStore()),
              (WizardValues{true, true, gb("北京市 中央气象台"), "100", "82", "60", "80",
                            "national-map"}));
}

TEST(WizardValues, StoredValuesAreRead) {
    const test::TestHome home;
    home.write("Galewarden.ini", gb("[General]\r\nAutoRun=0\r\nWidth=150\r\nHeight=abc\r\n"
                                    "Top=0\r\nRight=-4\r\n[Source]\r\nDistricts=\"杭州市\"\r\n"
                                    "[CheckNew]\r\nAutoCheck=yes\r\n"));
    EXPECT_EQ(readWizardValues(ConfigStore()),
              (WizardValues{false, false, gb("杭州市"), "150", "abc", "0", "-4", "vendor"}));
}

// Every line but the seven keys' stays byte for byte: comments, other keys, their order.
TEST(WizardValues, TheFinishWritesExactlySevenKeysInPlace) {
    const test::TestHome home;
    home.write("Galewarden.ini", gb("; kept\r\n[General]\r\nAutoRun=1\r\nMouseOver=0\r\n"
                                    "Width=100\r\nHeight=82\r\nTop=60\r\nRight=80\r\n"
                                    "Interval=30\r\n[Source]\r\nUseKVX=0\r\n"
                                    "Districts=\"北京市\"\r\nSkip=\"试\"\r\n[Label]\r\n"
                                    "Text=\"未指定文本\"\r\n[CheckNew]\r\nAutoCheck=1\r\n"
                                    "Current=\"1.0.9.4\"\r\n"));
    ConfigStore store;
    writeWizardValues(store, typedValues());
    EXPECT_EQ(home.read("Galewarden.ini"),
              gb("; kept\r\n[General]\r\nAutoRun=0\r\nMouseOver=0\r\nWidth=120\r\nHeight=98x\r\n"
                 "Top=\r\nRight=-3\r\nInterval=30\r\n[Source]\r\nUseKVX=0\r\n"
                 "Districts=\"上海市 中央气象台\"\r\nSkip=\"试\"\r\n[Label]\r\n"
                 "Text=\"未指定文本\"\r\n[CheckNew]\r\nAutoCheck=1\r\n"
                 "Current=\"1.0.9.4\"\r\n"));
}

TEST(WizardValues, MissingKeysAreAddedBesideTheOthers) {
    const test::TestHome home;
    home.write("Galewarden.ini", "[General]\r\nInterval=30\r\n[Red]\r\nAlpha=100\r\n");
    ConfigStore store;
    writeWizardValues(store, typedValues());
    WizardValues expected = typedValues();
    expected.source = "vendor";  // what the file names now, UseKVX being absent
    EXPECT_EQ(readWizardValues(store), expected);
    EXPECT_EQ(store.readText("General", "Interval", ""), "30");
    EXPECT_EQ(store.readText("Red", "Alpha", ""), "100");
    const std::string written = home.read("Galewarden.ini");
    EXPECT_EQ(std::count(written.begin(), written.end(), '='), 2 + 7);
}

// The vendor's service adds no key where it is the source already; a preset adds its rules.
TEST(WizardValues, TheChosenSourceBecomesCurrent) {
    const test::TestHome home;
    ConfigStore store;
    WizardValues values = typedValues();
    values.source = "vendor";
    writeWizardValues(store, values);
    std::string written = home.read("Galewarden.ini");
    EXPECT_EQ(std::count(written.begin(), written.end(), '='), 7);

    values.source = "nmc";
    writeWizardValues(store, values);
    EXPECT_EQ(store.readText("Source", "UseKVX", ""), "0");
    EXPECT_EQ(store.readText("JSON", "Array", ""), "data.page.list");
    EXPECT_EQ(readWizardValues(store).source, "nmc");

    values.source = "vendor";
    writeWizardValues(store, values);
    EXPECT_EQ(store.readText("Source", "UseKVX", ""), "1");
    EXPECT_EQ(store.readText("JSON", "Array", ""), "data.page.list");  // the rules stay
}

TEST(WizardValues, FlagsAreWrittenAsOneAndZero) {
    const test::TestHome home;
    ConfigStore store;
    for (const bool ticked : {false, true}) {
        writeWizardValues(store, WizardValues{ticked, !ticked, "", "", "", "", ""});
        EXPECT_EQ(store.readText("General", "AutoRun", "?"), ticked ? "1" : "0");
        EXPECT_EQ(store.readText("CheckNew", "AutoCheck", "?"), ticked ? "0" : "1");
    }
}

}  // namespace
}  // namespace galewarden
