#pragma once

#include <optional>
#include <stop_token>
#include <string_view>
#include <vector>

#include "settings/editors_model/DistrictPickerAnswer.h"

namespace galewarden {

// The entries of the district list that comes with the program, for one entry of the province
// drop-down, as the service would answer: every province for the entry asking for all, the
// provinces the drop-down does not name for its last entry ("其他"), the named one otherwise.
// Nothing when the program has no such list.
std::optional<std::vector<DistrictEntry>> bundledDistrictEntries(int provinceEntry,
                                                                 std::stop_token stop = {});

// The same choice made in a list at hand.
std::vector<DistrictEntry> entriesOfProvince(const std::vector<DistrictEntry>& all,
                                             int provinceEntry);

// What the picker lists for a province entry: the web host's answer (UTF-8), or where that
// gives no list, and nothing stopped the wait, the bundled one, marked as such.
struct DistrictListing {
    std::optional<std::vector<DistrictEntry>> entries;
    bool bundled = false;
};
DistrictListing districtListing(std::string_view utf8Answer, int provinceEntry,
                                std::stop_token stop = {});

}  // namespace galewarden
