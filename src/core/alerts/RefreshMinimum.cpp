#include "core/alerts/RefreshMinimum.h"

#include <charconv>
#include <cstdlib>

#include "core/platform/ProgramPaths.h"

namespace galewarden {

int refreshMinimumFor(std::optional<std::string_view> setting, bool installed) {
    if (!setting || installed) {
        return kMinimumRefreshSeconds;
    }
    int seconds = 0;
    const char* end = setting->data() + setting->size();
    const auto [last, error] = std::from_chars(setting->data(), end, seconds);
    const bool whole = error == std::errc() && last == end;
    return whole && seconds >= 1 && seconds < kMinimumRefreshSeconds ? seconds
                                                                     : kMinimumRefreshSeconds;
}

int minimumRefreshSeconds() {
    static const int minimum = [] {
        const char* setting = std::getenv("GALEWARDEN_MINIMUM_REFRESH");
        return setting == nullptr ? kMinimumRefreshSeconds
                                  : refreshMinimumFor(setting, programPlaces().installed);
    }();
    return minimum;
}

}  // namespace galewarden
