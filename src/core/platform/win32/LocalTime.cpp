#include "core/platform/LocalTime.h"

#include "core/platform/LocalTimeParts.h"

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
    return local_time_parts::fromParts(local, offset);
}

std::int64_t secondsOfLocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts = local_time_parts::toParts(year, month, day, hour, minute, second);
    return static_cast<std::int64_t>(_mktime64(&parts));
}

}  // namespace galewarden
