#pragma once

#include <string>

#include "core/alerts/PassAccumulators.h"
#include "core/alerts/RefreshResult.h"

namespace galewarden {

class RefreshState;

// The status line text of a processed pass: the tornado note, the number of warnings and the
// count per colour.
std::string summaryText(const PassAccumulators& acc, int tornadoCount, bool labelUsesName,
                        std::size_t displayEntries);

// The finished result of a processed pass; also sets the `hasAlerts` condition.
RefreshResult publishResults(PassAccumulators& acc, RefreshState& state, int intervalSeconds,
                             bool notice);

// The details text shown while no warning is in force.
const std::string& noAlertsText();

}  // namespace galewarden
