#pragma once

#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// One element of a district list answer (GB18030).
struct DistrictEntry {
    std::string name;
    std::string province;
    friend bool operator==(const DistrictEntry&, const DistrictEntry&) = default;
};

// The `areas` of a district list answer (UTF-8), up to the first element without a name.
// Nothing when the answer is not JSON (or the reading was stopped); an empty list for JSON
// without areas. Control characters in names become spaces: the names end up in the
// configuration file, which has no room for a line break.
std::optional<std::vector<DistrictEntry>> readDistrictAnswer(std::string_view utf8Answer,
                                                             std::stop_token stop = {});

}  // namespace galewarden
