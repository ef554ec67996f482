#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace galewarden {

// Finds which watched districts a headline names, in one walk over the headline instead of
// one search per district: a pass may watch hundreds of districts.
class DistrictMatcher {
  public:
    explicit DistrictMatcher(std::vector<std::string> districts);

    // The indexes of the districts that occur in the headline (at character boundaries),
    // ascending.
    std::vector<int> districtsIn(std::string_view headline) const;

  private:
    // Keyed by the bytes of the leading characters packed into one number: at most two
    // characters of at most four bytes each.
    using Index = std::unordered_map<std::uint64_t, std::vector<int>>;
    void lookUp(const Index& index, std::string_view key, std::string_view rest,
                std::vector<int>& found) const;

    std::vector<std::string> districts_;
    Index byLeadingPair_;  // districts of two characters or more, by their first two
    // The first two bytes of those districts: most places in a headline start none of them,
    // and are passed over without a look in the index.
    std::bitset<1u << 16> pairStarts_;
    Index bySingle_;  // districts of one character
};

}  // namespace galewarden
