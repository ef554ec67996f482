#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/alerts/AlertRecord.h"

namespace galewarden {

// The warnings the last processed pass kept, so that the next pass can tell which of its own
// are new.
class KnownWarnings {
  public:
    // The highest colour level among `kept` that were not known (0 when none is new); from
    // then on exactly `kept` are known.
    int takePass(const std::vector<KeptAlert>& kept);

  private:
    std::set<std::string> keys_;
};

}  // namespace galewarden
