#include <gtest/gtest.h>
#include <time.h>

#include <cstdlib>

#include "core/history/HistoryDays.h"

namespace galewarden {
namespace {

struct ZoneCase {
    const char* zone;  // POSIX TZ: the offset is west of UTC
    const char* iso;
};

// 2026-07-01 12:00:00 UTC in zones east and west, with whole, half and quarter hours.
TEST(HistoryDays, IsoTimesCarryTheZonesOffset) {
    const ZoneCase cases[] = {
        {"UTC0", "2026-07-01T12:00:00+00:00"},     {"CST-8", "2026-07-01T20:00:00+08:00"},
        {"EST5", "2026-07-01T07:00:00-05:00"},     {"IST-5:30", "2026-07-01T17:30:00+05:30"},
        {"NPT-5:45", "2026-07-01T17:45:00+05:45"}, {"HST10", "2026-07-01T02:00:00-10:00"},
    };
    for (const ZoneCase& c : cases) {
        ::setenv("TZ", c.zone, 1);
        ::tzset();
        EXPECT_EQ(isoLocalTime(1782907200), c.iso) << c.zone;
    }
    ::setenv("TZ", "CST-8", 1);
    ::tzset();
    EXPECT_EQ(isoLocalTime(1782907200 + 9 * 3600 + 9 * 60 + 9), "2026-07-02T05:09:09+08:00");
    EXPECT_EQ(isoLocalTime(0), "1970-01-01T08:00:00+08:00");
    ::unsetenv("TZ");
    ::tzset();
}

}  // namespace
}  // namespace galewarden
