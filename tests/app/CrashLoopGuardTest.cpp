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
    bool restart;
};

TEST(CrashLoopGuard, RestartOnlyAfterAWorkingRefreshAndNotInALoop) {
    const RestartCase cases[] = {
        {false, std::nullopt, 500'000, false},
        {true, std::nullopt, 500'000, true},
        {true, 440'001, 500'000, false},  // 59 999 ms after the crash that restarted it
        {true, 440'000, 500'000, true},   // a minute after
        {false, 100'000, 500'000, false},
        {true, 600'000, 500'000, true},  // a moment from another clock proves no loop
    };
    for (const RestartCase& c : cases) {
        EXPECT_EQ(restartAfterCrash(c.firstCycleDone, c.previousCrash, c.crash), c.restart)
            << c.firstCycleDone << " " << c.previousCrash.value_or(-1) << " " << c.crash;
    }
}

}  // namespace
}  // namespace galewarden
