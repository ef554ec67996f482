#include <gtest/gtest.h>

#include "core/alerts/RefreshMinimum.h"
#include "core/alerts/TimerInterval.h"

namespace galewarden {
namespace {

TEST(TimerInterval, SecondsBecomeMillisecondsATimerCanHold) {
    const std::pair<long long, int> cases[] = {
        {0, 0},
        {1, 1000},
        {120, 120000},
        {2147483, 2147483000},
        {2147484, 2147483000},
        {3000000, 2147483000},
        {-5, 0},
    };
    for (const auto& [seconds, milliseconds] : cases) {
        EXPECT_EQ(timerMilliseconds(seconds), milliseconds) << seconds;
    }
}

TEST(RefreshMinimum, OnlyABuildTreeTakesALowerFloorAndOnlyAWholeNumberBelowTheHalfMinute) {
    struct Case {
        std::optional<std::string_view> setting;
        bool installed;
        int minimum;
    };
    const Case cases[] = {
        {std::nullopt, false, 30}, {"3", false, 3},   {"3", true, 30},   {"1", false, 1},
        {"29", false, 29},         {"30", false, 30}, {"0", false, 30},  {"-2", false, 30},
        {"3s", false, 30},         {"", false, 30},   {" 3", false, 30}, {"99999999999", false, 30},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(refreshMinimumFor(c.setting, c.installed), c.minimum)
            << (c.setting ? *c.setting : "(unset)") << (c.installed ? " installed" : "");
    }
}

}  // namespace
}  // namespace galewarden
