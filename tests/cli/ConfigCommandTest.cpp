#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/RunProcess.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

test::ProcessResult config(const std::vector<std::string>& args) {
    std::vector<std::string> all{"config"};
    all.insert(all.end(), args.begin(), args.end());
    return test::runProcess(GALEWARDEN_CLI, all);
}

TEST(ConfigCommand, SetAndGetChineseTextStoredAsGb18030) {
    const test::TestHome home;
    EXPECT_EQ(config({"set", "Source", "Districts", "北京市 上海市"}).exitStatus, 0);
    EXPECT_EQ(home.read("Galewarden.ini"), gb("[Source]\r\nDistricts=北京市 上海市\r\n"));
    const test::ProcessResult got = config({"get", "source", "DISTRICTS"});
    EXPECT_EQ(got.exitStatus, 0);
    EXPECT_EQ(got.out, "北京市 上海市\n");
}

TEST(ConfigCommand, QuotedSetKeepsBlanks) {
    const test::TestHome home;
    EXPECT_EQ(config({"set", "Label", "Text", " 预警 ", "--quoted"}).exitStatus, 0);
    EXPECT_EQ(home.read("Galewarden.ini"), gb("[Label]\r\nText=\" 预警 \"\r\n"));
    EXPECT_EQ(config({"get", "Label", "Text"}).out, " 预警 \n");
}

TEST(ConfigCommand, DeleteRemovesTheKeyAndMissingKeysReadEmpty) {
    const test::TestHome home;
    home.write("Galewarden.ini", "[DLL]\r\nStart=1\r\nLocation=x\r\n");
    EXPECT_EQ(config({"delete", "DLL", "Location"}).exitStatus, 0);
    EXPECT_EQ(home.read("Galewarden.ini"), "[DLL]\r\nStart=1\r\n");
    const test::ProcessResult got = config({"get", "DLL", "Location"});
    EXPECT_EQ(got.exitStatus, 0);
    EXPECT_EQ(got.out, "\n");
}

TEST(ConfigCommand, AFailedWriteExitsWithOne) {
    const test::TestHome home;
    const test::ProcessResult result = config({"set", "Label", "Text", "two\nlines"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_FALSE(result.err.empty());
}

TEST(ConfigCommand, WrongUsageExitsWithTwo) {
    const test::TestHome home;
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"get", "General"},
        {"get", "General", "Width", "extra"},
        {"set", "General", "Width"},
        {"set", "General", "Width", "1", "--other"},
        {"delete", "General", "Width", "1"},
        {"rename", "General", "Width"},
    };
    for (const auto& args : wrong) {
        const test::ProcessResult result = config(args);
        EXPECT_EQ(result.exitStatus, 2) << args.size();
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(home.file("Galewarden.ini")));
}

}  // namespace
}  // namespace galewarden
