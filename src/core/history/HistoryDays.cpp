#include "core/history/HistoryDays.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "core/platform/LocalTime.h"
#include "core/text/NumberText.h"

namespace galewarden {
namespace {

struct CivilDate {
    int year = 1970;
    int month = 1;
    int day = 1;
};

// Days from 1970-01-01 in the proleptic Gregorian calendar, and back (H. Hinnant's method).
int daysFromCivil(CivilDate date) {
    const int y = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate civilFromDays(int days) {
    const int z = days + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int mp = (5 * dayOfYear + 2) / 153;
    const int day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int month = mp < 10 ? mp + 3 : mp - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool readNumber(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

HistoryDay localDayOf(HistoryTime time) {
    const LocalTime local = localTimeOf(time);
    return daysFromCivil({local.year, local.month, local.day});
}

HistoryTime startOfDay(HistoryDay day) {
    const CivilDate date = civilFromDays(day);
    return secondsOfLocalTime(date.year, date.month, date.day);
}

std::optional<HistoryDay> parseDay(std::string_view text) {
    CivilDate date;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
        !readNumber(text.substr(0, 4), date.year) || !readNumber(text.substr(5, 2), date.month) ||
        !readNumber(text.substr(8, 2), date.day)) {
        return std::nullopt;
    }
    const HistoryDay day = daysFromCivil(date);
    const CivilDate back = civilFromDays(day);
    if (back.year != date.year || back.month != date.month || back.day != date.day) {
        return std::nullopt;  // 2026-02-30
    }
    return day;
}

std::string dayText(HistoryDay day) {
    const CivilDate date = civilFromDays(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

HistoryTime secondsOfZonedTime(int year, int month, int day, int hour, int minute, int second,
                               int utcOffsetSeconds) {
    constexpr HistoryTime kDay = 24 * 60 * 60;
    return static_cast<HistoryTime>(daysFromCivil({year, month, day})) * kDay + hour * 3600 +
           minute * 60 + second - utcOffsetSeconds;
}

std::string isoLocalTime(HistoryTime time) {
    const LocalTime t = localTimeOf(time);
    const int offsetMinutes = std::abs(t.utcOffsetSeconds) / 60;
    if (t.year >= 0 && t.year <= 9999) {
        // Written by hand: `history --json` writes three of these a row, and printf's format
        // parsing was a tenth of its time.
        std::string text = "0000-00-00T00:00:00+00:00";
        putDateTime(text, {t.year, t.month, t.day, t.hour, t.minute, t.second});
        text[19] = t.utcOffsetSeconds < 0 ? '-' : '+';
        putDigits(text, 20, offsetMinutes / 60, 2);
        putDigits(text, 23, offsetMinutes % 60, 2);
        return text;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year, t.month,
                  t.day, t.hour, t.minute, t.second, t.utcOffsetSeconds < 0 ? '-' : '+',
                  offsetMinutes / 60, offsetMinutes % 60);
    return text;
}

std::string shownLocalTime(HistoryTime time) {
    const LocalTime t = localTimeOf(time);
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return text;
}

}  // namespace galewarden
