#include "settings/update_model/UpdateSchedule.h"

#include <algorithm>

namespace galewarden {
namespace {

constexpr int kHourlyFrom = 8;
constexpr std::chrono::milliseconds kStep{30'000};
constexpr std::chrono::milliseconds kHourly{3'600'000};

}  // namespace

std::chrono::milliseconds retryDelay(int failures) {
    if (failures >= kHourlyFrom) {
        return kHourly;
    }
    // A count below 1 never follows a failure; the shortest wait still keeps checks apart.
    return kStep * std::max(failures, 1);
}

}  // namespace galewarden
