#include "core/platform/LocalTime.h"

#include "core/platform/LocalTimeParts.h"

namespace galewarden {

LocalTime localTimeOf(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    localtime_r(&time, &parts);
    return local_time_parts::fromParts(parts, static_cast<int>(parts.tm_gmtoff));
}

std::int64_t secondsOfLocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts = local_time_parts::toParts(year, month, day, hour, minute, second);
    return static_cast<std::int64_t>(std::mktime(&parts));
}

}  // namespace galewarden
