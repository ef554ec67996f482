#include "core/alerts/source/DateTime.h"

#include <array>
#include <cstdio>
#include <optional>

#include "core/text/AsciiCharacters.h"
#include "core/text/CodePage.h"
#include "core/text/NumberText.h"
#include "core/text/TextPieces.h"
#include "core/text/TextToNumber.h"

namespace galewarden {
namespace {

constexpr int kFieldCount = 6;  // year, month, day, hour, minute, second

struct Separators {
    std::string_view ascii;
    std::string word;
};

const std::array<Separators, kFieldCount - 1>& separatorsAfterField() {
    static const std::array<Separators, kFieldCount - 1> separators{{
        {"-./:", gbFromUtf8("年")},
        {"-./:", gbFromUtf8("月")},
        {" -./:", gbFromUtf8("日")},
        {"-./:", gbFromUtf8("时")},
        {"-./:", gbFromUtf8("分")},
    }};
    return separators;
}

// A missing run reads as 0.
int readRun(std::string_view text, std::size_t& at, int maxDigits) {
    int value = 0;
    for (int count = 0; count < maxDigits && at < text.size() && isAsciiDigit(text[at]); ++count) {
        value = value * 10 + (text[at++] - '0');
    }
    return value;
}

void skipSeparator(std::string_view text, std::size_t& at, const Separators& separators) {
    if (at < text.size() && separators.ascii.find(text[at]) != std::string_view::npos) {
        ++at;
    } else if (startsWith(text.substr(at), separators.word)) {
        at += separators.word.size();
    }
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValid(const DateTime& t) {
    return t.year >= 100 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

long long floorDivide(long long value, long long divisor) {
    const long long quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// The proleptic Gregorian date of a day count from 1970-01-01, exact for any count: days are
// shifted to an epoch of 0000-03-01 so that the leap day ends each 400-year era.
void setDateFromDays(long long days, DateTime& t) {
    constexpr long long kDaysPerEra = 146097;
    const long long shifted = days + 719468;
    const long long era = floorDivide(shifted, kDaysPerEra);
    const long long dayOfEra = shifted - era * kDaysPerEra;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
    t.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    t.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
}

long long daysFromCivil(int year, int month, int day) {
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = floorDivide(y, 400);
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

DateTime fromBeijingSeconds(long long seconds) {
    constexpr long long kSecondsPerDay = 86400;
    const long long days = floorDivide(seconds, kSecondsPerDay);
    const long long secondOfDay = seconds - days * kSecondsPerDay;
    DateTime time;
    setDateFromDays(days, time);
    time.hour = static_cast<int>(secondOfDay / 3600);
    time.minute = static_cast<int>(secondOfDay / 60 % 60);
    time.second = static_cast<int>(secondOfDay % 60);
    return time;
}

constexpr int kBeijingOffsetMinutes = 8 * 60;

// What may follow the seconds: nothing, "秒" (and whatever comes after it), or the ISO 8601
// ending of a fraction of a second and a zone: "Z", "+08:00", "+0800", "+08" or the same with
// "-". A zone gives its offset from UTC in minutes.
struct TimeEnding {
    bool valid = false;
    std::optional<int> offsetMinutes;
};

TimeEnding readEnding(std::string_view rest) {
    static const std::string secondWord = gbFromUtf8("秒");
    if (rest.empty() || startsWith(rest, secondWord)) {
        return {true, std::nullopt};
    }
    std::size_t at = 0;
    if (rest[0] == '.' || rest[0] == ',') {
        const std::size_t digits = rest.find_first_not_of("0123456789", 1);
        at = digits == std::string_view::npos ? rest.size() : digits;
        if (at == 1) {
            return {};
        }
    }
    const std::string_view zone = rest.substr(at);
    if (zone.empty()) {
        return {true, std::nullopt};
    }
    if (zone == "Z" || zone == "z") {
        return {true, 0};
    }
    if (zone[0] != '+' && zone[0] != '-') {
        return {};
    }
    std::size_t pos = 1;
    const int hours = readRun(zone, pos, 2);
    if (pos != 3) {
        return {};
    }
    if (pos < zone.size() && zone[pos] == ':') {
        ++pos;
    }
    const std::size_t minuteStart = pos;
    const int minutes = readRun(zone, pos, 2);
    const bool minutesWhole = pos == minuteStart || pos == minuteStart + 2;
    if (pos != zone.size() || !minutesWhole || (pos == minuteStart && zone.back() == ':') ||
        hours > 14 || minutes > 59) {
        return {};
    }
    const int offset = hours * 60 + minutes;
    return {true, zone[0] == '-' ? -offset : offset};
}

// The same instant in Beijing time (UTC+8), for a time written in a zone `offsetMinutes` from
// UTC.
DateTime toBeijingTime(const DateTime& time, int offsetMinutes) {
    const long long seconds = daysFromCivil(time.year, time.month, time.day) * 86400 +
                              time.hour * 3600LL + time.minute * 60LL + time.second +
                              (kBeijingOffsetMinutes - offsetMinutes) * 60LL;
    return fromBeijingSeconds(seconds);
}

}  // namespace

DateTime textToDateTime(std::string_view text) {
    const std::string half = toHalfWidth(text);
    if (half.empty()) {
        return kMinimumDateTime;
    }
    std::array<int, kFieldCount> values{};
    std::size_t at = 0;
    for (int field = 0; field < kFieldCount; ++field) {
        values[field] = readRun(half, at, field == 0 ? 4 : 2);
        if (field < kFieldCount - 1) {
            skipSeparator(half, at, separatorsAfterField()[field]);
        }
    }
    const TimeEnding ending = readEnding(std::string_view(half).substr(at));
    const DateTime time{values[0], values[1], values[2], values[3], values[4], values[5]};
    if (!ending.valid || !isValid(time)) {
        return kMinimumDateTime;
    }
    if (!ending.offsetMinutes) {
        return time;
    }
    const DateTime beijing = toBeijingTime(time, *ending.offsetMinutes);
    return isValid(beijing) ? beijing : kMinimumDateTime;
}

DateTime timestampToBeijingTime(long long milliseconds) {
    return fromBeijingSeconds(milliseconds / 1000 + kBeijingOffsetMinutes * 60LL);
}

std::string formatDateTime(const DateTime& time) {
    const auto within = [](int value, int limit) { return value >= 0 && value <= limit; };
    if (!within(time.year, 9999) || !within(time.month, 99) || !within(time.day, 99) ||
        !within(time.hour, 99) || !within(time.minute, 99) || !within(time.second, 99)) {
        char buffer[80];
        std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", time.year, time.month,
                      time.day, time.hour, time.minute, time.second);
        return buffer;
    }
    // Written digit by digit: this runs once per warning, where a printf call is most of the
    // cost of normalising a time.
    std::string text = "0000/00/00 00:00:00";
    putDateTime(text, {time.year, time.month, time.day, time.hour, time.minute, time.second});
    return text;
}

}  // namespace galewarden
