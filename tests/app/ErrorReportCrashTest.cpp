#include <galewarden/Version.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/CrashLoopGuard.h"
#include "core/platform/CrashActions.h"
#include "support/RunProcess.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

// The exit statuses of every process that descended from this one and ended, once none is
// left: processes whose parent ended come to this one, the subreaper.
std::vector<int> waitForDescendants() {
    std::vector<int> statuses;
    for (;;) {
        int status = 0;
        const pid_t pid = ::waitpid(-1, &status, 0);
        if (pid > 0) {
            statuses.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
        } else if (errno != EINTR) {
            std::sort(statuses.begin(), statuses.end());
            return statuses;
        }
    }
}

// Whether the text has the shape of the mask, where '9' stands for any digit.
bool fitsMask(std::string_view text, std::string_view mask) {
    return text.size() == mask.size() &&
           std::equal(mask.begin(), mask.end(), text.begin(), [](char m, char c) {
               return m == '9' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : m == c;
           });
}

std::size_t digitsAt(std::string_view text, std::size_t at) {
    const std::size_t end = text.find_first_not_of("0123456789", at);
    return (end == std::string_view::npos ? text.size() : end) - at;
}

// The report with "[TIME]" for each time and "N" for each run time.
std::string withoutTimes(std::string report) {
    constexpr std::string_view kTimeMask = "[9999/99/99 99:99:99]";
    for (auto at = report.find('['); at != std::string::npos; at = report.find('[', at + 1)) {
        if (fitsMask(std::string_view(report).substr(at, kTimeMask.size()), kTimeMask)) {
            report.replace(at, kTimeMask.size(), "[TIME]");
        }
    }
    constexpr std::string_view kRunTime = "RunTime: ";
    for (auto at = report.find(kRunTime); at != std::string::npos;
         at = report.find(kRunTime, at + 1)) {
        const std::size_t digits = digitsAt(report, at + kRunTime.size());
        if (digits > 0) {
            report.replace(at + kRunTime.size(), digits, "N");
        }
    }
    return report;
}

// "restarted after=<moment>\n", once.
bool restartedOnce(std::string_view restarts) {
    constexpr std::string_view kLine = "restarted after=";
    return restarts.starts_with(kLine) && digitsAt(restarts, kLine.size()) > 0 &&
           restarts.substr(kLine.size() + digitsAt(restarts, kLine.size())) == "\n";
}

std::string expectedReport(int code, const std::string& utf8Message) {
    return test::gb(
        "\r\n====================\r\n\r\n[TIME]\r\n"
        "错误：软件运行时出错，请检查软件工作环境及配置文件。\r\n" +
        std::to_string(code) + " - " + utf8Message + "\r\n**********\r\nVersion: " + kVersionText +
        "\r\nRunTime: Nms\r\nImg: 2 / 3\r\nOpacityRate: 7\r\n"
        "**********\r\nSourceData:\r\n" +
        R"({"alerts":"\u4e2d"})");
}

const std::string kFirstCycleMessage = std::string(kVersionText) +
                                       "\t软件首次监测预警时出错，请检查软件工作环境及配置文件。"
                                       "\terror\n";
const std::string kRepeatedCrashMessage =
    std::string(kVersionText) +
    "\t软件在重新启动后一分钟内再次出错，已停止自动重新启动，预警监测已中断。"
    "请检查软件工作环境及配置文件后手动启动软件。\terror\n";

class ErrorReportCrash : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // The sanitizers' own handlers would take the faults before the report's.
        const char* asan = std::getenv("ASAN_OPTIONS");
        ::setenv("ASAN_OPTIONS",
                 ((asan != nullptr ? std::string(asan) + ":" : std::string()) +
                  "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_abort=0:handle_sigill=0")
                     .c_str(),
                 1);
        ::unsetenv(kRestartedAfterCrashVariable);
        std::filesystem::create_symlink(GALEWARDEN_CRASHER, home.file("galewarden"));
        home.write("Galewarden.ini",
                   "[HTML]\r\nLocation=\"" + home.text() + "/page.html\"\r\nStart=1\r\n");
        home.write("page.html", "<script>/* Stage Start */var Stage = 0;/* Stage End */</script>");
    }

    // Runs the program until it and everything it started have ended; its own exit status.
    int crash(const char* mode, bool firstCycleDone) {
        const test::ProcessResult result =
            test::runProcess(home.file("galewarden").string(),
                             {mode, firstCycleDone ? "first-cycle-done" : "first-cycle-pending"});
        descendants = waitForDescendants();
        return result.exitStatus;
    }

    std::string report() const { return withoutTimes(home.read("galewarden_BugReport.txt")); }
    bool pageShowsCrash() const {
        return home.read("page.html") ==
               "<script>/* Stage Start */var Stage = -4;/* Stage End */</script>";
    }

    test::TestHome home;
    std::vector<int> descendants;
};

struct CrashCase {
    const char* mode;
    bool firstCycleDone;
    int code;
    const char* message;  // UTF-8
};

void PrintTo(const CrashCase& c, std::ostream* out) {
    *out << c.mode << (c.firstCycleDone ? " after a refresh" : " before any refresh");
}

class EveryFailure : public ErrorReportCrash, public ::testing::WithParamInterface<CrashCase> {};

TEST_P(EveryFailure, ReportsMarksThePageAndRestartsOrTellsTheUser) {
    const CrashCase& c = GetParam();
    EXPECT_EQ(crash(c.mode, c.firstCycleDone), 255);
    EXPECT_EQ(report(), expectedReport(c.code, c.message));
    EXPECT_TRUE(pageShowsCrash());
    EXPECT_EQ(home.read("inherited"), "");
    if (c.firstCycleDone) {
        EXPECT_TRUE(restartedOnce(home.read("restarts"))) << home.read("restarts");
        EXPECT_EQ(home.read("messages"), "");
        EXPECT_EQ(descendants, (std::vector<int>{0, 0}));  // the helper and the new instance
    } else {
        EXPECT_EQ(home.read("restarts"), "");
        EXPECT_EQ(home.read("messages"), kFirstCycleMessage);
        EXPECT_EQ(descendants, (std::vector<int>{0}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, EveryFailure,
    ::testing::Values(CrashCase{"segv", true, 11, "SIGSEGV：非法内存访问"},
                      CrashCase{"segv", false, 11, "SIGSEGV：非法内存访问"},
                      CrashCase{"stack-overflow", true, 11, "SIGSEGV：非法内存访问"},
                      CrashCase{"stack-overflow-in-refresh", true, 11, "SIGSEGV：非法内存访问"},
                      CrashCase{"abort", false, 6, "SIGABRT：程序异常中止"},
                      CrashCase{"fatal-error-on-worker", true, 1, "找不到插件的 RefreshA 函数"},
                      CrashCase{"fatal-error-on-worker", false, 1, "找不到插件的 RefreshA 函数"},
                      CrashCase{"throw-on-thread", true, 3, "未处理的异常：boom"}),
    [](const ::testing::TestParamInfo<CrashCase>& param) {
        std::string name = std::string(param.param.mode) +
                           (param.param.firstCycleDone ? "_afterARefresh" : "_beforeAnyRefresh");
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST_F(ErrorReportCrash, ARestartThatCrashesWithinAMinuteIsNotRestartedAgain) {
    home.write("crash-when-restarted", "");
    EXPECT_EQ(crash("segv", true), 255);
    EXPECT_TRUE(restartedOnce(home.read("restarts"))) << home.read("restarts");
    // The first monitoring worked: the message tells of the repeated crash.
    EXPECT_EQ(home.read("messages"), kRepeatedCrashMessage);
    const std::string one = expectedReport(11, "SIGSEGV：非法内存访问");
    EXPECT_EQ(report(), one + one);
    EXPECT_TRUE(pageShowsCrash());
    // Two helpers, and the restarted instance that crashed.
    EXPECT_EQ(descendants, (std::vector<int>{0, 0, 255}));
}

TEST_F(ErrorReportCrash, ARestartLongAfterItsCrashIsRestartedAgain) {
    const std::int64_t aMinuteAgo = crashSteadyMilliseconds() - kCrashLoopMilliseconds - 1000;
    if (aMinuteAgo < 0) {
        GTEST_SKIP() << "the system started less than a minute ago";
    }
    ::setenv(kRestartedAfterCrashVariable, std::to_string(aMinuteAgo).c_str(), 1);
    EXPECT_EQ(crash("segv", true), 255);
    ::unsetenv(kRestartedAfterCrashVariable);
    EXPECT_TRUE(restartedOnce(home.read("restarts"))) << home.read("restarts");
    EXPECT_EQ(home.read("messages"), "");
}

}  // namespace
}  // namespace galewarden
