#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/history/HistoryWarning.h"

namespace galewarden {

// A calendar day of the machine's time zone, counted from 1970-01-01 (day 0).
using HistoryDay = int;

HistoryDay localDayOf(HistoryTime time);
// The first second of the day, local midnight.
HistoryTime startOfDay(HistoryDay day);
// "2026-12-11" → its day; nullopt for anything else.
std::optional<HistoryDay> parseDay(std::string_view text);
// "2026-12-11".
std::string dayText(HistoryDay day);

// The moment a wall-clock time names in a zone `utcOffsetSeconds` east of UTC.
HistoryTime secondsOfZonedTime(int year, int month, int day, int hour, int minute, int second,
                               int utcOffsetSeconds);

// ISO 8601 in local time with the zone's offset: "2026-12-11T04:05:00+08:00".
std::string isoLocalTime(HistoryTime time);
// For people: "2026-12-11 04:05".
std::string shownLocalTime(HistoryTime time);

}  // namespace galewarden
