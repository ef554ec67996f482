#pragma once

#include <string>

#include "core/alerts/PassAccumulators.h"
#include "core/alerts/RefreshResult.h"

namespace galewarden {

struct LabelSettings;

// The status line text of a processed pass: the tornado note, the number of warnings and the
// count per colour.
std::string summaryText(const PassAccumulators& acc, bool labelUsesName);

struct ResultSettings {
    int intervalSeconds = 15;               // [General] Interval
    bool notice = true;                     // [General] Notice
    SoundFrom soundFrom = SoundFrom::none;  // [Sound] From
};

// The finished result of a processed pass, taking what the pass gathered.
RefreshResult buildRefreshResult(PassAccumulators acc, const LabelSettings& label,
                                 const ResultSettings& settings);

// The details text shown while no warning is in force.
const std::string& noAlertsText();

}  // namespace galewarden
