#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/ConfigStore.h"
#include "settings/editors_model/JsonRuleFields.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

class JsonRuleFieldsTest : public testing::Test {
  protected:
    ConfigStore& config() { return config_; }
    const ConfigStore& config() const { return config_; }
    void writeConfig(std::string_view utf8) const { home_.write("Galewarden.ini", gb(utf8)); }
    std::string configText() const { return test::utf8(home_.read("Galewarden.ini")); }
    ConfigStore other(std::string_view utf8) const {
        home_.write("other.ini", gb(utf8));
        return ConfigStore(home_.text() + "/other.ini");
    }
    const RuleField& field(const JsonRuleFields& fields, std::string_view key) const {
        return fields.field(ruleFieldIndex(key).value());
    }
    bool keyPresent(std::string_view key) const {
        return config().readText("JSON", key, "\r\n") != "\r\n";
    }

    test::TestHome home_;
    ConfigStore config_{home_.text() + "/Galewarden.ini"};
};

TEST_F(JsonRuleFieldsTest, EveryFieldStartsAbsent) {
    JsonRuleFields fields;
    fields.loadFrom(config());
    for (std::size_t i = 0; i < JsonRuleFields::kCount; ++i) {
        EXPECT_EQ(fields.field(i), RuleField{}) << kRuleFields[i].key.name;
    }
}

TEST_F(JsonRuleFieldsTest, AnEmptyHostIsSetAndSavedAsAnEmptyQuotedText) {
    writeConfig("[JSON]\r\nHost=\r\n");
    JsonRuleFields fields;
    fields.loadFrom(config());
    EXPECT_EQ(field(fields, "Host"), (RuleField{true, ""}));
    EXPECT_FALSE(field(fields, "Main").set);
    ASSERT_TRUE(fields.saveTo(config()));
    EXPECT_NE(configText().find("Host=\"\""), std::string::npos) << configText();
    EXPECT_FALSE(keyPresent("Main"));
}

TEST_F(JsonRuleFieldsTest, TypingThenResettingAndSavingRemovesEveryKey) {
    writeConfig(
        "[JSON]\r\nHost=\"http://h\"\r\nUseDetail=1\r\nJsonStartPos=3\r\nOriginalSender=0\r\n"
        "Keyword=\"发布\"\r\n[Source]\r\nUseKVX=0\r\n");
    JsonRuleFields fields;
    fields.loadFrom(config());
    fields.setText(ruleFieldIndex("Main").value(), "api?x=%s");
    fields.reset();
    ASSERT_TRUE(fields.saveTo(config()));
    for (const RuleFieldDefinition& rule : kRuleFields) {
        EXPECT_FALSE(keyPresent(rule.key.name)) << rule.key.name;
    }
    EXPECT_EQ(config().readText("Source", "UseKVX", ""), "0");
}

TEST_F(JsonRuleFieldsTest, AnImportChangesOnlyTheKeysTheFileHas) {
    writeConfig("[JSON]\r\nHost=\"http://h\"\r\nMain=\"old?%s\"\r\nArray=\"data\"\r\n");
    JsonRuleFields fields;
    fields.loadFrom(config());
    fields.setText(ruleFieldIndex("headline").value(), "title");
    fields.loadFrom(other("[JSON]\r\nMain=\"new?a=%s\"\r\n"));
    EXPECT_EQ(field(fields, "Main"), (RuleField{true, "new?a=%s"}));
    EXPECT_EQ(field(fields, "Host"), (RuleField{true, "http://h"}));
    EXPECT_EQ(field(fields, "headline"), (RuleField{true, "title"}));
    EXPECT_FALSE(field(fields, "Detail").set);
    ASSERT_TRUE(fields.saveTo(config()));
    EXPECT_EQ(config().readText("JSON", "Main", ""), "new?a=%s");
    EXPECT_EQ(config().readText("JSON", "Host", ""), "http://h");
    EXPECT_EQ(config().readText("JSON", "Array", ""), "data");
    EXPECT_EQ(config().readText("JSON", "headline", ""), "title");
}

TEST_F(JsonRuleFieldsTest, AFileWithoutAJsonSectionChangesNothing) {
    JsonRuleFields fields;
    fields.setText(ruleFieldIndex("Host").value(), "x");
    const JsonRuleFields before = fields;
    fields.loadFrom(other("[Source]\r\nHost=\"y\"\r\n"));
    fields.loadFrom(ConfigStore(home_.text() + "/missing.ini"));
    for (std::size_t i = 0; i < JsonRuleFields::kCount; ++i) {
        EXPECT_EQ(fields.field(i), before.field(i));
    }
}

struct ChoiceCase {
    const char* stored;
    const char* shown;
};

class JsonRuleChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(JsonRuleChoice, AnyNumberButZeroLoadsAsOne) {
    const test::TestHome home;
    home.write("Galewarden.ini", std::string("[JSON]\r\nUseDetail=") + GetParam().stored +
                                     "\r\nOriginalSender=" + GetParam().stored + "\r\n");
    JsonRuleFields fields;
    fields.loadFrom(ConfigStore(home.text() + "/Galewarden.ini"));
    EXPECT_EQ(fields.field(ruleFieldIndex("UseDetail").value()),
              (RuleField{true, GetParam().shown}));
    EXPECT_EQ(fields.field(ruleFieldIndex("OriginalSender").value()),
              (RuleField{true, GetParam().shown}));
}

INSTANTIATE_TEST_SUITE_P(Stored, JsonRuleChoice,
                         testing::Values(ChoiceCase{"7", "1"}, ChoiceCase{"abc", "0"},
                                         ChoiceCase{"0", "0"}, ChoiceCase{"1", "1"},
                                         ChoiceCase{"-3", "1"}, ChoiceCase{" 2x", "1"},
                                         ChoiceCase{"", "0"}, ChoiceCase{"00", "0"}));

TEST(JsonRuleFieldsChoice, TheItemsAreDefaultZeroAndOne) {
    JsonRuleFields fields;
    const std::size_t useDetail = ruleFieldIndex("UseDetail").value();
    EXPECT_EQ(fields.chosenItem(useDetail), kDefaultItem);
    fields.choose(useDetail, 2);
    EXPECT_EQ(fields.field(useDetail), (RuleField{true, "1"}));
    EXPECT_EQ(fields.chosenItem(useDetail), 2);
    fields.choose(useDetail, 1);
    EXPECT_EQ(fields.field(useDetail), (RuleField{true, "0"}));
    EXPECT_EQ(fields.chosenItem(useDetail), 1);
    fields.choose(useDetail, kDefaultItem);
    EXPECT_FALSE(fields.field(useDetail).set);
}

TEST_F(JsonRuleFieldsTest, SavingWritesInFieldOrderQuotingOnlyTexts) {
    JsonRuleFields fields;
    fields.setText(ruleFieldIndex("OriginalSender").value(), "1");
    fields.choose(ruleFieldIndex("OriginalSender").value(), 1);
    fields.setText(ruleFieldIndex("JsonStartPos").value(), "12");
    fields.choose(ruleFieldIndex("UseDetail").value(), 2);
    fields.setText(ruleFieldIndex("Host").value(), "http://h:81");
    fields.setText(ruleFieldIndex("headline").value(), gb("标题"));
    ASSERT_TRUE(fields.saveTo(config()));
    EXPECT_EQ(configText(),
              "[JSON]\r\nHost=\"http://h:81\"\r\nUseDetail=1\r\nJsonStartPos=12\r\n"
              "headline=\"标题\"\r\nOriginalSender=0\r\n");
}

TEST_F(JsonRuleFieldsTest, AValueWithALineBreakIsRefusedAndNothingWritten) {
    writeConfig("[JSON]\r\nHost=\"http://h\"\r\n");
    const std::string before = configText();
    JsonRuleFields fields;
    fields.setText(ruleFieldIndex("Main").value(), "a\r\n[General]");
    fields.setText(ruleFieldIndex("Array").value(), "x\ny");
    EXPECT_EQ(fields.unstorableKeys(), (std::vector<std::string_view>{"Main", "Array"}));
    EXPECT_FALSE(fields.saveTo(config()));
    EXPECT_EQ(configText(), before);
}

}  // namespace
}  // namespace galewarden
