#pragma once

#include <ctime>

#include "core/platform/LocalTime.h"

// Between LocalTime and the C library's broken-down time, for the platforms' implementations.
namespace galewarden::local_time_parts {

inline LocalTime fromParts(const std::tm& parts, int utcOffsetSeconds) {
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,   parts.tm_hour,
            parts.tm_min,         parts.tm_sec,     utcOffsetSeconds};
}

// Daylight saving left for the C library to work out.
inline std::tm toParts(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return parts;
}

}  // namespace galewarden::local_time_parts
