#pragma once

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/alerts/AlertRecord.h"

namespace galewarden {

// What one pass gathers while it classifies its warnings.
struct PassAccumulators {
    using RegionType = std::pair<std::string, std::string>;

    std::set<RegionType> acceptedPairs;
    std::set<RegionType> liftedPairs;  // lift notices seen so far in this pass
    std::set<std::string> shownNames;  // signal names that have a display entry
    std::array<int, 5> colourCount{};  // 白 蓝 黄 橙 红
    int colouredTotal = 0;
    bool anyKept = false;
    bool anyReachedDisplay = false;
    std::string alertList;  // open until the results close it
    std::string detailsText;
    std::string pageText;
    std::vector<KeptAlert> kept;
};

}  // namespace galewarden
