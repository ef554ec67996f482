#include "app/CrashLoopGuard.h"

#include <gtest/gtest.h>

#include <optional>

namespace galewarden {
namespace {

TEST(CrashLoopGuard, CrashMomentFromText) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"", std::nullopt},
        {"0", 0},
        {"123456789", 123'456'789},
        {"12a", std::nullopt},
        {"-5", std::nullopt},
        {" 5", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& [text, moment] : cases) {
        EXPECT_EQ(crashMomentFromText(text), moment) << text;
    }
}

struct RestartCase {
    bool firstCycleDone;
    std::optional<std::int64_t> previousCrash;
    std::int64_t crash;
    AfterCrash after;
};

TEST(CrashLoopGuard, RestartOnlyAfterAWorkingRefreshAndNotInALoop) {
    const RestartCase cases[] = {
        {false, std::nullopt, 500'000, AfterCrash::firstMonitoringFailed},
        {true, std::nullopt, 500'000, AfterCrash::restart},
        // 59 999 ms after the crash that restarted it
        {true, 440'001, 500'000, AfterCrash::crashedRepeatedly},
        {true, 440'000, 500'000, AfterCrash::restart},  // a minute after
        {false, 100'000, 500'000, AfterCrash::firstMonitoringFailed},
        {true, 600'000, 500'000, AfterCrash::restart},  // a moment from another clock: no loop
    };
    for (const RestartCase& c : cases) {
        EXPECT_EQ(afterCrash(c.firstCycleDone, c.previousCrash, c.crash), c.after)
            << c.firstCycleDone << " " << c.previousCrash.value_or(-1) << " " << c.crash;
    }
}

// A stopped restart is never told as a failure of the first monitoring.
TEST(CrashLoopGuard, EachEndWithoutRestartSaysWhy) {
    EXPECT_TRUE(afterCrashMessage(AfterCrash::restart).empty());
    EXPECT_NE(afterCrashMessage(AfterCrash::firstMonitoringFailed).find("首次监测"),
              std::string_view::npos);
    const std::string_view repeated = afterCrashMessage(AfterCrash::crashedRepeatedly);
    EXPECT_EQ(repeated.find("首次"), std::string_view::npos);
    EXPECT_NE(repeated.find("已停止自动重新启动"), std::string_view::npos);
}

}  // namespace
}  // namespace galewarden
