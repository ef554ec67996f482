#include "core/alerts/PassHistory.h"

#include <chrono>

#include "core/alerts/classify/SignalColour.h"
#include "core/history/HistoryDays.h"

namespace galewarden {
namespace {

constexpr int kBeijingOffsetSeconds = 8 * 60 * 60;
constexpr char kKeySeparator = '\x1f';

std::string keyOf(const KeptAlert& alert) {
    return alert.region + kKeySeparator + std::string(typeOf(alert.signalName)) + kKeySeparator +
           alert.id;
}

HistoryWarning historyWarning(const KeptAlert& alert, std::string_view source) {
    HistoryWarning warning;
    warning.type = std::string(typeOf(alert.signalName));
    warning.key = keyOf(alert);
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

HistoryStore::InForce historyWarnings(const std::vector<KeptAlert>& kept, std::string source) {
    HistoryStore::InForce inForce;
    inForce.keys.reserve(kept.size());
    for (const KeptAlert& alert : kept) {
        inForce.keys.push_back(keyOf(alert));
    }
    inForce.warningAt = [&kept, source = std::move(source)](std::size_t i) {
        return historyWarning(kept[i], source);
    };
    return inForce;
}

HistoryTime historyNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace galewarden
