#include "core/platform/LocalTime.h"

#include <ctime>

namespace galewarden {

LocalTime localTimeOf(std::int64_t seconds) {
    const auto time = static_cast<__time64_t>(seconds);
    std::tm local{};
    std::tm utc{};
    _localtime64_s(&local, &time);
    _gmtime64_s(&utc, &time);
    local.tm_isdst = 0;
    utc.tm_isdst = 0;
    // The offset is what the same fields mean as UTC apart.
    const auto offset = static_cast<int>(_mkgmtime64(&local) - _mkgmtime64(&utc));
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     offset};
}

std::int64_t secondsOfLocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = -1;
    return static_cast<std::int64_t>(_mktime64(&parts));
}

}  // namespace galewarden
