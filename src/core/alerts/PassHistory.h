#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/alerts/AlertRecord.h"
#include "core/history/HistoryWarning.h"

namespace galewarden {

// The warnings a pass keeps as the history keeps them. A warning is the same from pass to pass
// when its region, type and the source's id are: the region and type are what the pass tells
// duplicates by, the id tells one issue of a warning from the next.
std::vector<HistoryWarning> historyWarnings(const std::vector<KeptAlert>& kept,
                                            std::string_view source);

// Now, as the history counts time.
HistoryTime historyNow();

}  // namespace galewarden
