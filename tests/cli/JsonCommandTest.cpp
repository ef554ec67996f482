#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RunProcess.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

test::ProcessResult runJson(const std::vector<std::string>& args) {
    std::vector<std::string> all{"json"};
    all.insert(all.end(), args.begin(), args.end());
    return test::runProcess(GALEWARDEN_CLI, all);
}

TEST(JsonCommand, PrintsWhatEachPathReadsInUtf8) {
    test::TestHome home;
    home.write("answer.json",
               "\xEF\xBB\xBF{\"data\":[{\"id\":12345678901234567890,\"title\":\"北京暴雨\","
               "\"tags\":[1,[2,3]]}],\"标题\":\"蓝色\"}");
    const std::string file = home.file("answer.json").string();
    const test::ProcessResult result =
        runJson({file, "data[0].id", "data[0].title", "data[1].id", "data[0].tags", "标题"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "12345678901234567890\n北京暴雨\n\n1,2,3\n蓝色\n");
}

TEST(JsonCommand, WrongUsageFailsWithStatusTwo) {
    test::TestHome home;
    home.write("answer.json", "{}");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {home.file("answer.json").string()}}) {
        const test::ProcessResult result = runJson(args);
        EXPECT_EQ(result.exitStatus, 2);
        EXPECT_NE(result.err.find("usage"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
}

TEST(JsonCommand, UnreadableOrUnparsableFileFailsNamingIt) {
    test::TestHome home;
    home.write("page.html", "<html>502</html>");
    home.write("null.json", "null");
    for (const std::string name : {"missing.json", "page.html", "null.json"}) {
        const std::string file = home.file(name).string();
        const test::ProcessResult result = runJson({file, "a"});
        EXPECT_EQ(result.exitStatus, 1) << name;
        EXPECT_NE(result.err.find(file), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
}  // namespace galewarden
