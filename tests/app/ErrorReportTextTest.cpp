#include "app/ErrorReportText.h"

#include <gtest/gtest.h>
#include <time.h>

#include <cstdint>
#include <limits>
#include <string>

#include "support/TestHome.h"

namespace galewarden {
namespace {

TEST(ReportTime, MatchesTheCalendarOfTheCLibrary) {
    // From 1901 to 2200 in steps that visit every hour of the day and every day of the month.
    for (std::int64_t seconds = -2'200'000'000; seconds < 7'260'000'000; seconds += 97'201) {
        const time_t value = static_cast<time_t>(seconds);
        tm parts{};
        ASSERT_NE(gmtime_r(&value, &parts), nullptr);
        char expected[32];
        strftime(expected, sizeof expected, "%Y/%m/%d %H:%M:%S", &parts);
        ASSERT_EQ(ReportTime(seconds).view(), expected) << seconds;
    }
}

TEST(ReportTime, CalendarEdges) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "1970/01/01 00:00:00"},
        {-1, "1969/12/31 23:59:59"},
        {951'782'400, "2000/02/29 00:00:00"},
        {1'709'251'199, "2024/02/29 23:59:59"},
        {4'107'542'399, "2100/02/28 23:59:59"},
        {4'107'542'400, "2100/03/01 00:00:00"},
        {253'402'300'799, "9999/12/31 23:59:59"},
    };
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(ReportTime(seconds).view(), text) << seconds;
    }
}

TEST(DecimalText, WholeRangeOfNumbers) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {-1, "-1"},
        {1'234'567'890'123, "1234567890123"},
        {std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
        {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& [number, text] : cases) {
        EXPECT_EQ(DecimalText(number).view(), text);
    }
}

std::string written(const PreparedReport& report, const CrashFacts& facts) {
    std::string text;
    report.write(facts, [&text](std::string_view piece) { text += piece; });
    return text;
}

TEST(PreparedReport, PiecesInTheirOrder) {
    const PreparedReport report("1.0.9.4", {2, 3, 7, true, R"({"a":"\u4e2d"})"});
    const std::string message = test::gb("SIGSEGV：非法内存访问");
    EXPECT_EQ(written(report, {1'717'229'109, 86'400'123, 11, message}),
              test::gb("\r\n====================\r\n\r\n[2024/06/01 08:05:09]\r\n"
                       "错误：软件运行时出错，请检查软件工作环境及配置文件。\r\n"
                       "11 - SIGSEGV：非法内存访问\r\n"
                       "**********\r\nVersion: 1.0.9.4\r\nRunTime: 86400123ms\r\n"
                       "Img: 2 / 3\r\nOpacityRate: 7\r\n"
                       "**********\r\nSourceData:\r\n") +
                  R"({"a":"\u4e2d"})");
}

TEST(PreparedReport, NothingShownYet) {
    const PreparedReport report("", {});
    const std::string text = written(report, {0, 0, -4, ""});
    EXPECT_NE(text.find("\r\n-4 - \r\n"), std::string::npos);
    EXPECT_NE(text.find("Version: \r\nRunTime: 0ms\r\nImg: 0 / 0\r\nOpacityRate: 1\r\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("SourceData:\r\n"));
}

}  // namespace
}  // namespace galewarden
