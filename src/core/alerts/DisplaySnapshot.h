#pragma once

#include <memory>
#include <string>
#include <vector>

namespace galewarden {

// One step of the icon window's cycle.
struct DisplayEntry {
    std::string picture;     // PNG bytes; may be empty
    std::string signalName;  // 暴雨蓝
    std::string placeName;   // the region of the warning that made the entry
};

// What the windows show after a processed pass, handed over whole and never changed again, so
// no window sees it half rebuilt.
struct DisplaySnapshot {
    std::vector<DisplayEntry> entries;
    std::string labelText;
    // The label carries a place name: one entry per kept warning instead of one per signal.
    bool labelUsesName = false;
};

using SharedDisplay = std::shared_ptr<const DisplaySnapshot>;

}  // namespace galewarden
