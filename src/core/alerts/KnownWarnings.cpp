#include "core/alerts/KnownWarnings.h"

#include <algorithm>

namespace galewarden {
namespace {

// Some sources give no identifier, and one warning may be kept for several districts: the
// place, signal and time tell those apart.
std::string warningKey(const KeptAlert& alert) {
    constexpr char kSeparator = '\x1F';
    return alert.id + kSeparator + alert.region + kSeparator + alert.signalName + kSeparator +
           alert.publishTime;
}

}  // namespace

int KnownWarnings::takePass(const std::vector<KeptAlert>& kept) {
    std::set<std::string> keys;
    int newColour = 0;
    for (const KeptAlert& alert : kept) {
        std::string key = warningKey(alert);
        if (!keys_.contains(key)) {
            newColour = std::max(newColour, alert.level);
        }
        keys.insert(std::move(key));
    }
    keys_ = std::move(keys);
    return newColour;
}

}  // namespace galewarden
