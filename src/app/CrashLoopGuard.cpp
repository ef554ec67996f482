#include "app/CrashLoopGuard.h"

#include <limits>

namespace galewarden {

std::optional<std::int64_t> crashMomentFromText(std::string_view text) {
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t moment = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || moment > kLimit) {
            return std::nullopt;
        }
        moment = moment * 10 + (c - '0');
    }
    return moment;
}

// A previous crash "later" than this one belongs to another clock: no loop can be proved.
bool restartAfterCrash(bool firstCycleDone, std::optional<std::int64_t> previousCrash,
                       std::int64_t crash) {
    if (!firstCycleDone) {
        return false;
    }
    return !previousCrash || crash < *previousCrash ||
           crash - *previousCrash >= kCrashLoopMilliseconds;
}

}  // namespace galewarden
