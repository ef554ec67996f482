#pragma once

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/alerts/AlertRecord.h"
#include "core/alerts/DisplaySnapshot.h"

namespace galewarden {

// What one pass makes of the warnings it keeps.
struct PassAccumulators {
    using RegionType = std::pair<std::string, std::string>;

    std::set<RegionType> acceptedPairs;
    std::set<std::string> shownNames;  // signal names that have a display entry
    std::vector<DisplayEntry> display;
    std::array<int, 5> colourCount{};  // 白 蓝 黄 橙 红
    int colouredTotal = 0;
    int highestColour = 0;
    int tornadoCount = 0;
    bool anyKept = false;
    std::string alertList;  // open until the results close it
    std::string detailsText;
    std::string pageText;
    std::vector<KeptAlert> kept;
};

}  // namespace galewarden
