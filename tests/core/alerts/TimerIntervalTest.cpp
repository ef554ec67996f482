#include <gtest/gtest.h>

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

}  // namespace
}  // namespace galewarden
