#pragma once

#include <algorithm>
#include <climits>

namespace galewarden {

// A timer interval in milliseconds for a number of seconds from the configuration: computed
// in 64 bits and held to what a timer takes (about 24 days), so no value arms a negative or
// wrapped timer. Negative seconds give 0, which stops a timer.
constexpr int timerMilliseconds(long long seconds) {
    constexpr long long kLongest = INT_MAX;
    return static_cast<int>(std::clamp(seconds, 0LL, kLongest / 1000) * 1000);
}

}  // namespace galewarden
