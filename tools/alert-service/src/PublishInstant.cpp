#include "PublishInstant.h"

#include <algorithm>
#include <chrono>
#include <string>

namespace galewarden::alertservice {
namespace {

constexpr std::int64_t kBeijingOffset = 8 * 3600;

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Reads the leading 1..maxDigits digits of `text` and drops them; nullopt when there are none.
std::optional<int> takeNumber(std::string_view& text, std::size_t maxDigits) {
    std::size_t count = 0;
    int value = 0;
    while (count < text.size() && count < maxDigits && text[count] >= '0' && text[count] <= '9') {
        value = value * 10 + (text[count] - '0');
        ++count;
    }
    if (count == 0) {
        return std::nullopt;
    }
    text.remove_prefix(count);
    return value;
}

bool takeOneOf(std::string_view& text, std::string_view separators) {
    if (text.empty() || separators.find(text.front()) == std::string_view::npos) {
        return false;
    }
    text.remove_prefix(1);
    return true;
}

// The zone suffix as seconds east of UTC: none means Beijing time.
std::optional<std::int64_t> takeZone(std::string_view text) {
    if (text.empty()) {
        return kBeijingOffset;
    }
    if (text == "Z") {
        return 0;
    }
    const int sign = text.front() == '-' ? -1 : 1;
    if (!takeOneOf(text, "+-")) {
        return std::nullopt;
    }
    const auto hours = takeNumber(text, 2);
    takeOneOf(text, ":");
    const auto minutes = takeNumber(text, 2);
    if (!hours || !minutes || !text.empty()) {
        return std::nullopt;
    }
    return sign * (*hours * 3600 + *minutes * 60);
}

std::optional<std::int64_t> calendarInstant(std::string_view text) {
    const auto year = takeNumber(text, 4);
    const bool dateSeparator = takeOneOf(text, "-/.");
    const auto month = takeNumber(text, 2);
    takeOneOf(text, "-/.");
    const auto day = takeNumber(text, 2);
    const bool timeSeparator = takeOneOf(text, " T");
    const auto hour = takeNumber(text, 2);
    takeOneOf(text, ":");
    const auto minute = takeNumber(text, 2);
    std::optional<int> second = 0;
    if (takeOneOf(text, ":")) {
        second = takeNumber(text, 2);
    }
    if (takeOneOf(text, ".")) {
        takeNumber(text, 9);
    }
    const auto zone = takeZone(text);
    if (!year || !dateSeparator || !month || !day || !timeSeparator || !hour || !minute ||
        !second || !zone || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(*year), std::chrono::month(*month),
                              std::chrono::day(*day)};
    if (!date.ok()) {
        return std::nullopt;
    }
    const std::int64_t days = sys_days(date).time_since_epoch().count();
    return days * 86400 + *hour * 3600 + *minute * 60 + *second - *zone;
}

}  // namespace

std::optional<std::int64_t> publishInstant(std::string_view text) {
    if (allDigits(text) && text.size() == 13) {
        return std::stoll(std::string(text)) / 1000;
    }
    if (allDigits(text) && text.size() == 10) {
        return std::stoll(std::string(text));
    }
    return calendarInstant(text);
}

}  // namespace galewarden::alertservice
