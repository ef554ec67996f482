#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/alerts/source/DateTime.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

struct TextCase {
    const char* utf8;
    std::string expected;  // formatted, or the minimum time when rejected
};

TEST(TextToDateTime, AcceptsTheUsualWritings) {
    const TextCase cases[] = {
        {"2024-09-01 08:05:00", "2024/09/01 08:05:00"},
        {"2024/9/1 8:05", "2024/09/01 08:05:00"},
        {"2024.9.1", "2024/09/01 00:00:00"},
        {"2024:9:1", "2024/09/01 00:00:00"},
        {"2024年9月1日8时5分", "2024/09/01 08:05:00"},
        {"2024年9月1日8时5分6秒", "2024/09/01 08:05:06"},
        {"2024年9月1日8时5分6秒发布", "2024/09/01 08:05:06"},
        {"２０２４－０９－０１　０８：０５：０６", "2024/09/01 08:05:06"},
        {"20240901083015", "2024/09/01 08:30:15"},
        {"2024-02-29 10:00", "2024/02/29 10:00:00"},
        {"2000-02-29", "2000/02/29 00:00:00"},
        {"0100-01-01", "0100/01/01 00:00:00"},
        {"9999-12-31 23:59:59", "9999/12/31 23:59:59"},
        {"2024-123-01", "2024/12/03 01:00:00"},  // runs stop at their length
    };
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(formatDateTime(textToDateTime(gb(utf8))), expected) << utf8;
    }
}

// Sources that give a zone are compared with the others by the instant, in Beijing time.
TEST(TextToDateTime, TimesWithAZoneBecomeBeijingTime) {
    const TextCase cases[] = {
        {"2026-10-05 14:00:00Z", "2026/10/05 22:00:00"},
        {"2026-10-05 14:00:00z", "2026/10/05 22:00:00"},
        {"2026-10-06 22:00:00+08:00", "2026/10/06 22:00:00"},
        {"2026-10-06 22:00:00+0800", "2026/10/06 22:00:00"},
        {"2026-10-06 22:00:00+08", "2026/10/06 22:00:00"},
        {"2026-10-06 22:00:00.123+08:00", "2026/10/06 22:00:00"},
        {"2026-10-06 22:00:00.5", "2026/10/06 22:00:00"},
        {"2026-10-06 22:00:00,5Z", "2026/10/07 06:00:00"},
        {"2026-12-31 20:30:00-05:30", "2027/01/01 10:00:00"},
        {"2024-02-28 23:00:00+00:00", "2024/02/29 07:00:00"},
        {"2026-03-01 01:00:00+09:00", "2026/03/01 00:00:00"},
        {"2026-03-01 07:00:00+14:00", "2026/03/01 01:00:00"},
        {"2026-10-05 14:00Z", "2026/10/05 22:00:00"},
        {"9999-12-31 15:59:59Z", "9999/12/31 23:59:59"},
    };
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(formatDateTime(textToDateTime(gb(utf8))), expected) << utf8;
    }
    EXPECT_EQ(textToDateTime("9999-12-31 16:00:00Z"), kMinimumDateTime);  // beyond 9999
    EXPECT_LT(textToDateTime("2026-10-06 13:59:59Z"), textToDateTime("2026-10-06 22:00:00+08:00"));
}

TEST(TextToDateTime, RejectsTrailingTextAndValuesOutOfRange) {
    const char* const cases[] = {
        "",
        "2024-09-01T08:05:00",  // the extraction turns the "T" into a space first
        "2024-09-01 08:05:00+8:00",
        "2024-09-01 08:05:00+08:",
        "2024-09-01 08:05:00+08:5",
        "2024-09-01 08:05:00+15:00",
        "2024-09-01 08:05:00+08:60",
        "2024-09-01 08:05:00.Z",
        "2024-09-01 08:05:00 Z",
        "2024-09-01 08:05:00ZZ",
        "2024-09-01 08:05:00+08:00发布",
        "0100-01-01 05:00:00+14:00",  // before the first representable time in Beijing
        "2024-02-30 10:00",
        "2023-02-29",
        "1900-02-29",
        "2024-13-01",
        "2024-00-10",
        "2024-09",
        "2024-09-01 24:00",
        "2024-09-01 23:60",
        "2024-09-01 23:59:60",
        "99-01-01",
        " 2024-09-01",
        "abc",
    };
    for (const char* utf8 : cases) {
        EXPECT_EQ(textToDateTime(gb(utf8)), kMinimumDateTime) << utf8;
    }
}

TEST(TimestampToBeijingTime, AddsEightHoursWhateverTheSign) {
    const std::pair<long long, std::string> cases[] = {
        {0, "1970/01/01 08:00:00"},
        {999, "1970/01/01 08:00:00"},
        {-999, "1970/01/01 08:00:00"},  // milliseconds dropped toward zero
        {-1000, "1970/01/01 07:59:59"},
        {-28801000, "1969/12/31 23:59:59"},
        {1595246400000, "2020/07/20 20:00:00"},
        {1598000000000, "2020/08/21 16:53:20"},
        {1709222400000, "2024/03/01 00:00:00"},  // 16:00 UTC on a leap day
        {9999999999999, "2286/11/21 01:46:39"},
        {-9999999999999, "1653/02/10 14:13:21"},
    };
    for (const auto& [milliseconds, expected] : cases) {
        EXPECT_EQ(formatDateTime(timestampToBeijingTime(milliseconds)), expected) << milliseconds;
    }
}

TEST(TimestampToBeijingTime, ExtremeCountsGiveAWellFormedTime) {
    for (long long milliseconds : {LLONG_MIN, LLONG_MAX}) {
        const DateTime time = timestampToBeijingTime(milliseconds);
        EXPECT_GE(time.month, 1);
        EXPECT_LE(time.month, 12);
        EXPECT_GE(time.day, 1);
        EXPECT_LE(time.day, 31);
        EXPECT_LE(time.hour, 23);
        EXPECT_GE(time.hour, 0);
    }
}

TEST(DateTime, OrdersByTimeAndFormatsWithPadding) {
    const DateTime early{2024, 9, 1, 8, 5, 0};
    EXPECT_LT(early, (DateTime{2024, 9, 1, 8, 5, 1}));
    EXPECT_LT(early, (DateTime{2024, 10, 1, 0, 0, 0}));
    EXPECT_GT(early, kMinimumDateTime);
    EXPECT_EQ(early, textToDateTime("2024-09-01 08:05"));
    EXPECT_EQ(formatDateTime(kMinimumDateTime), "0100/01/01 00:00:00");
}

}  // namespace
}  // namespace galewarden
