#pragma once

#include <cstdint>

namespace galewarden {

// A wall-clock time in the machine's time zone, with that zone's offset from UTC then.
struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int utcOffsetSeconds = 0;
};

// Both directions take and give seconds since 1970-01-01 00:00 UTC; safe on any thread.
LocalTime localTimeOf(std::int64_t seconds);
// The moment a local wall-clock time names; out-of-range fields roll over (day 32 is the 1st of
// the next month).
std::int64_t secondsOfLocalTime(int year, int month, int day, int hour = 0, int minute = 0,
                                int second = 0);

}  // namespace galewarden
