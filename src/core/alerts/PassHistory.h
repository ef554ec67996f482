#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/alerts/AlertRecord.h"
#include "core/history/HistoryStore.h"

namespace galewarden {

// The warnings a pass keeps as the history keeps them, each made whole only when the history
// asks; `kept` must outlive the result. A warning is the same from pass to pass when its
// region, type and the source's id are: the region and type are what the pass tells
// duplicates by, the id tells one issue of a warning from the next.
HistoryStore::InForce historyWarnings(const std::vector<KeptAlert>& kept, std::string source);

// Now, as the history counts time.
HistoryTime historyNow();

}  // namespace galewarden
