#pragma once

#include <compare>
#include <string>
#include <string_view>

namespace galewarden {

// A calendar date and wall-clock time without a zone. Members are ordered from the most to
// the least significant, so the defaulted comparison orders by time.
struct DateTime {
    int year = 100, month = 1, day = 1, hour = 0, minute = 0, second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
    friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

// 0100/01/01 00:00:00, the value of an unreadable time.
inline constexpr DateTime kMinimumDateTime{};

// Reads year, month, day, hour, minute and second from texts such as "2024-09-01 08:05:00",
// "2024/9/1 8:05" or "2024年9月1日8时5分" (full-width forms allowed). After the seconds may
// follow "秒", or ISO 8601's fraction of a second and zone ("2024-10-05 14:00:00.5Z",
// "2024-10-06 22:00:00+08:00"): a time with a zone is converted to Beijing time (UTC+8), the
// time of every other text. kMinimumDateTime when the text is empty, has anything else after
// the seconds, or names no valid date and time.
DateTime textToDateTime(std::string_view text);

// Beijing time (UTC+8) of a count of milliseconds since 1970-01-01 00:00 UTC, whatever the
// machine's time zone. The milliseconds are dropped (toward zero).
DateTime timestampToBeijingTime(long long milliseconds);

// "2024/09/01 08:05:00": four-digit year, every other part two digits.
std::string formatDateTime(const DateTime& time);

}  // namespace galewarden
