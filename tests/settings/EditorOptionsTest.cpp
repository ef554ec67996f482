#include <gtest/gtest.h>

#include <string>

#include "core/config/ConfigStore.h"
#include "settings/editors_model/HtmlMarker.h"
#include "settings/editors_model/SourceOptions.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

class EditorOptionsTest : public testing::Test {
  protected:
    ConfigStore& config() { return config_; }
    const ConfigStore& config() const { return config_; }
    void writeConfig(std::string_view utf8) const { home_.write("Galewarden.ini", gb(utf8)); }
    std::string configText() const { return test::utf8(home_.read("Galewarden.ini")); }

    test::TestHome home_;
    ConfigStore config_{home_.text() + "/Galewarden.ini"};
};

TEST_F(EditorOptionsTest, AFreshFileGivesTheFirstItemsEmptyNumbersAndNoHint) {
    const SourceOptions options = loadSourceOptions(config());
    EXPECT_EQ(options, SourceOptions{});
    EXPECT_FALSE(nonMeteorologicalHintShown(options));
}

TEST_F(EditorOptionsTest, StoredOptionsLoadAsTheyAre) {
    writeConfig("[KVXSource]\r\ni=3\r\ne=2.5\r\no=1\r\nl=10\r\nn=1\r\n");
    const SourceOptions options = loadSourceOptions(config());
    EXPECT_EQ(options, (SourceOptions{3, "2.5", 1, "10", 1}));
    EXPECT_TRUE(nonMeteorologicalHintShown(options));
}

TEST_F(EditorOptionsTest, AnIndexThatNamesNoItemChoosesTheFirst) {
    writeConfig("[KVXSource]\r\ni=4\r\no=-1\r\nn=abc\r\n");
    EXPECT_EQ(loadSourceOptions(config()), SourceOptions{});
}

TEST_F(EditorOptionsTest, SavingWritesTheFiveKeysInOrder) {
    ASSERT_TRUE(saveSourceOptions(config(), {2, "1.5", 1, "30", 1}));
    EXPECT_EQ(configText(), "[KVXSource]\r\ni=2\r\ne=1.5\r\no=1\r\nl=30\r\nn=1\r\n");
}

TEST_F(EditorOptionsTest, SavingDefaultsWritesZerosAndEmptyNumbers) {
    ASSERT_TRUE(saveSourceOptions(config(), {}));
    EXPECT_EQ(configText(), "[KVXSource]\r\ni=0\r\ne=\r\no=0\r\nl=\r\nn=0\r\n");
    EXPECT_EQ(loadSourceOptions(config()), SourceOptions{});
}

TEST_F(EditorOptionsTest, ANumberWithALineBreakIsNotWritten) {
    EXPECT_FALSE(saveSourceOptions(config(), {0, "1\n[x]", 0, "", 0}));
    EXPECT_EQ(configText(), "");
}

TEST_F(EditorOptionsTest, TheHtmlPageIsEmptyByDefaultAndSavedQuoted) {
    EXPECT_EQ(loadHtmlLocation(config()), "");
    ASSERT_TRUE(saveHtmlLocation(config(), ""));
    EXPECT_EQ(configText(), "[HTML]\r\nLocation=\"\"\r\n");
    ASSERT_TRUE(saveHtmlLocation(config(), gb("/网页/ 预警.html ")));
    EXPECT_EQ(loadHtmlLocation(config()), gb("/网页/ 预警.html "));
}

TEST_F(EditorOptionsTest, AnHtmlPathWithALineBreakIsNotWritten) {
    writeConfig("[HTML]\r\nLocation=\"/a.html\"\r\n");
    EXPECT_FALSE(saveHtmlLocation(config(), "/b.html\r\n[General]"));
    EXPECT_EQ(loadHtmlLocation(config()), "/a.html");
}

}  // namespace
}  // namespace galewarden
