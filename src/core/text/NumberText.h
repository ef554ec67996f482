#pragma once

#include <cstddef>
#include <string>

namespace galewarden {

// A real number with up to 13 significant digits and no trailing zeros, as "%.13g" writes
// it, independent of the locale.
std::string formatReal(double value);

// Writes the last `digits` decimal digits of `value` (0 or more) over text[at, at + digits),
// zeros in front: the fields of a time written without printf, where thousands are written a
// pass.
void putDigits(std::string& text, std::size_t at, int value, int digits);

// A date and time written over a text laid out as "0000-00-00 00:00:00" (any separators, which
// stay): each field in its place, the year's last four digits, the others' last two.
struct DateTimeFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
void putDateTime(std::string& text, const DateTimeFields& fields);

}  // namespace galewarden
