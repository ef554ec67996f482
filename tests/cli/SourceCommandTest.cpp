#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/RunProcess.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

test::ProcessResult source(const std::vector<std::string>& args) {
    std::vector<std::string> all{"source"};
    all.insert(all.end(), args.begin(), args.end());
    return test::runProcess(GALEWARDEN_CLI, all);
}

// The lines of `list` that name a source, marked or not.
std::vector<std::string> sourceLines(const std::string& listed) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < listed.size()) {
        const std::size_t end = listed.find('\n', start);
        const std::string line = listed.substr(start, end - start);
        if (line.starts_with("* ") || (line.starts_with("  ") && !line.starts_with("    "))) {
            lines.push_back(line.substr(0, line.find('\t')));
        }
        start = end == std::string::npos ? listed.size() : end + 1;
    }
    return lines;
}

TEST(SourceCommand, ListUseAndShow) {
    const test::TestHome home;
    ::unsetenv("GALEWARDEN_FEED_HOST");
    EXPECT_EQ(sourceLines(source({"list"}).out),
              (std::vector<std::string>{"* vendor", "  national-map", "  nmc", "  12379"}));
    EXPECT_EQ(source({"show"}).out, "vendor\n");

    const test::ProcessResult used = source({"use", "nmc"});
    EXPECT_EQ(used.exitStatus, 0) << used.err;
    EXPECT_NE(used.out.find("没有预警正文"), std::string::npos);  // what the feed lacks
    EXPECT_EQ(sourceLines(source({"list"}).out),
              (std::vector<std::string>{"  vendor", "  national-map", "* nmc", "  12379"}));
    const std::string shown = source({"show"}).out;
    EXPECT_TRUE(shown.starts_with("nmc\nHost=https://www.nmc.cn\nMain=rest/findAlarm?")) << shown;
    EXPECT_NE(shown.find("\nArray=data.page.list\n"), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with("\nHeaders=Referer: https://www.nmc.cn/\n")) << shown;

    EXPECT_EQ(source({"use", "vendor"}).exitStatus, 0);
    EXPECT_EQ(source({"show"}).out, "vendor\n");
}

TEST(SourceCommand, RulesOfNoPresetAreCustomAndUnknownNamesAreRefused) {
    const test::TestHome home;
    home.write("Galewarden.ini", "[Source]\r\nUseKVX=0\r\n[JSON]\r\nHost=\"http://x\"\r\n");
    EXPECT_EQ(source({"show"}).out, "custom\nHost=http://x\n");
    const test::ProcessResult unknown = source({"use", "nowhere"});
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_NE(unknown.err.find("source list"), std::string::npos);
    EXPECT_EQ(source({}).exitStatus, 2);
}

}  // namespace
}  // namespace galewarden
