#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/alerts/source/DateTime.h"

namespace galewarden {

// A warning that passed every test of its own; whether it is kept depends on the others of
// its pass (lift notices, duplicates).
struct Candidate {
    int listIndex = 0;
    std::string id;
    std::string region;
    std::string signalName;
    std::string description;  // cleaned; without its own guidance section when guidance exists
    // Never null; one text for all the candidates of a signal name.
    std::shared_ptr<const std::string> guidance;
    std::string word;  // 预警 or 预警信号, as the description says
    std::string publishTime;
    DateTime publishDateTime;
    std::string headline;  // as the source gave it
    std::string sender;
    std::string district;  // the watched district the headline matched
};

// A headline that lifts the warnings of its region and type.
struct LiftNotice {
    int listIndex = 0;
    std::string region;
    std::string type;
    DateTime publishDateTime;
};

// What the walk over one answer found, in list order.
struct ClassifiedWarnings {
    std::vector<Candidate> candidates;
    std::vector<LiftNotice> lifts;
};

}  // namespace galewarden
