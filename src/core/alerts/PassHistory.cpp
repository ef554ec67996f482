#include "core/alerts/PassHistory.h"

#include <chrono>

#include "core/alerts/classify/SignalColour.h"
#include "core/history/HistoryDays.h"

namespace galewarden {
namespace {

constexpr int kBeijingOffsetSeconds = 8 * 60 * 60;
constexpr char kKeySeparator = '\x1f';

HistoryWarning historyWarning(const KeptAlert& alert, std::string_view source) {
    HistoryWarning warning;
    warning.type = std::string(typeOf(alert.signalName));
    warning.key = alert.region + kKeySeparator + warning.type + kKeySeparator + alert.id;
    warning.headline = alert.headline;
    warning.name = alert.name;
    warning.colour = isColourLevel(alert.level) ? alert.level : 0;
    warning.sender = alert.sender;
    warning.district = alert.district;
    warning.region = alert.region;
    warning.description = alert.description;
    warning.guidance = alert.guidance ? *alert.guidance : std::string();
    warning.publishText = alert.publishTime;
    const DateTime& t = alert.publishDateTime;
    if (t != kMinimumDateTime) {
        warning.publishTime = secondsOfZonedTime(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                                 kBeijingOffsetSeconds);
    }
    warning.source = std::string(source);
    return warning;
}

}  // namespace

std::vector<HistoryWarning> historyWarnings(const std::vector<KeptAlert>& kept,
                                            std::string_view source) {
    std::vector<HistoryWarning> warnings;
    warnings.reserve(kept.size());
    for (const KeptAlert& alert : kept) {
        warnings.push_back(historyWarning(alert, source));
    }
    return warnings;
}

HistoryTime historyNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace galewarden
