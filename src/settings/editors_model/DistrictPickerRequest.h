#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// The filter entries of the province drop-down (GB18030), in their fixed order. The entry at
// kAllProvincesEntry asks for every province; every other entry is sent as a province name.
const std::vector<std::string>& provinceEntries();
inline constexpr int kAllProvincesEntry = 1;

// The district list request for an entry: the web host + "/Galewarden/Info/n", then "?p=" and
// the entry's text unless it asks for every province; as UTF-8, percent-encoded.
std::string districtListUrl(std::string_view webHost, int entry);

}  // namespace galewarden
