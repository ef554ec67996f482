#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "AlertService.h"
#include "support/RunProcess.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

// The status line, then the heading of each warning in the details text.
std::vector<std::string> statusAndHeadings(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        if (lines.size() < 2 || line.starts_with("▲【")) {
            lines.push_back(line);
        }
    }
    return lines;
}

// galewarden-cli in a fresh program directory against the stand-in service on loopback.
class RefreshCommandsTest : public ::testing::Test {
  protected:
    RefreshCommandsTest() {
        home.write("Guidance.html", "<table></table>");
        const int port = service.start(0);
        base = "http://127.0.0.1:" + std::to_string(port);
        ::setenv("GALEWARDEN_ALERT_SERVICE", base.c_str(), 1);
        cli({"config", "set", "Sign", "Auto", "0"});
    }
    ~RefreshCommandsTest() override {
        ::unsetenv("GALEWARDEN_ALERT_SERVICE");
        service.stop();
    }

    test::ProcessResult cli(const std::vector<std::string>& args) {
        return test::runProcess(GALEWARDEN_CLI, args);
    }

    test::TestHome home;
    alertservice::AlertService service{{GALEWARDEN_ALERT_SERVICE_DATA, {}, false}};
    std::string base;
};

TEST_F(RefreshCommandsTest, OncePrintsTheStatusLineAndTheDetailsOfTheDefaultDistricts) {
    const test::ProcessResult result = cli({"once"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(statusAndHeadings(result.out),
              (std::vector<std::string>{
                  "（预警存在1龙卷警报）共有5种类型的5个预警正生效中。",
                  "蓝色预警3个，黄色预警1个，橙色预警0个，红色预警1个。",
                  "▲【中央气象台台风红色预警】",
                  "▲【北京市大风无色预警】",
                  "▲【中央气象台强对流蓝色预警信号】",
                  "▲【中央气象台暴雨黄色预警】",
                  "▲【中央气象台寒潮蓝色预警信号】",
                  "▲【北京市寒潮蓝色预警信号】",
              }));
    EXPECT_EQ(result.out.find('\r'), std::string::npos);
}

TEST_F(RefreshCommandsTest, OnceAsJsonListsTheKeptWarnings) {
    cli({"config", "set", "Source", "Districts", "中央气象台", "--quoted"});
    const test::ProcessResult result = cli({"once", "--json"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with(R"([{"id":")")) << result.out;
    EXPECT_NE(result.out.find(R"("region":"中央气象台","signalName":"台风红","level":5,)"
                              R"("publishTime":"2026/10/07 06:00:00","title":"中央气象台10月7日)"
                              R"(6时发布台风红色预警 [Ⅰ级/特别严重]")"),
              std::string::npos)
        << result.out;
}

TEST_F(RefreshCommandsTest, FailedDownloadAndUnusableAnswerExitWithOne) {
    service.selectScenario("html-error");
    const test::ProcessResult htmlPage = cli({"once"});
    EXPECT_EQ(htmlPage.exitStatus, 1);
    EXPECT_TRUE(
        htmlPage.out.starts_with("【数据源返回了网页，而不是预警数据】网页标题：502 Bad Gateway"))
        << htmlPage.out;

    service.selectScenario("empty");
    const test::ProcessResult empty = cli({"once"});
    EXPECT_EQ(empty.exitStatus, 1);
    EXPECT_TRUE(empty.out.starts_with("【网络错误】\n\n未获取到预警信息。")) << empty.out;
}

TEST_F(RefreshCommandsTest, CheckClassifiesASavedAnswerWithoutNetwork) {
    home.write("answer.json", R"({"data":[{"id":"a","title":"北京市气象台发布暴雨蓝色预警信号",)"
                              R"("content":"预计有大雨。","time":"2026-07-20 20:00"}]})");
    service.stop();
    const test::ProcessResult result = cli({"check", home.file("answer.json").string()});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out,
              "共有1种类型的1个预警正生效中。\n蓝色预警1个，黄色预警0个，橙色预警0个，红色预警0个。"
              "\n\n▲【北京市暴雨蓝色预警信号】\n预计有大雨。 (2026/07/20 20:00:00)\n\n\n");

    home.write("broken.json", "<html>");
    EXPECT_EQ(cli({"check", home.file("broken.json").string()}).exitStatus, 1);
    EXPECT_EQ(cli({"check"}).exitStatus, 2);
    EXPECT_EQ(cli({"check", home.file("missing.json").string()}).exitStatus, 1);
}

// A server's bytes must not drive the terminal: no escape sequence, bell, NUL or C1 control
// reaches it raw, whichever command prints them.
TEST_F(RefreshCommandsTest, ControlCharactersOfAnAnswerReachTheTerminalEscaped) {
    home.write("answer.json",
               R"({"data":[{"id":"a","title":"北京市气象台发布暴雨蓝色预警信号",)"
               R"("content":"雨\u001b]52;c;ZXZpbA==\u0007停\u0000止\u009b2J\u007f。",)"
               R"("time":"2026-07-20 20:00"}]})");
    service.stop();
    const auto hasRawControl = [](const std::string& text) {
        return std::any_of(text.begin(), text.end(),
                           [](char c) {
                               const auto byte = static_cast<unsigned char>(c);
                               return (byte < 0x20 && c != '\n' && c != '\t') || byte == 0x7F;
                           }) ||
               text.find("\xC2\x9B") != std::string::npos;
    };
    const test::ProcessResult checked = cli({"check", home.file("answer.json").string()});
    EXPECT_EQ(checked.exitStatus, 0) << checked.err;
    EXPECT_FALSE(hasRawControl(checked.out)) << checked.out;
    EXPECT_NE(checked.out.find(R"(雨\x1B]52;c;ZXZpbA==\x07停\x00止\u009B2J\x7F。)"),
              std::string::npos)
        << checked.out;

    const test::ProcessResult read =
        cli({"json", home.file("answer.json").string(), "data[0].content"});
    EXPECT_EQ(read.out, "雨\\x1B]52;c;ZXZpbA==\\x07停\\x00止\\u009B2J\\x7F。\n");
}

}  // namespace
}  // namespace galewarden
