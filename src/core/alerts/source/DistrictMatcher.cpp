#include "core/alerts/source/DistrictMatcher.h"

#include <algorithm>

#include "core/text/Gb18030.h"

namespace galewarden {
namespace {

// The bytes of the first `count` characters (or fewer, when the text is shorter).
std::size_t leadingBytes(std::string_view text, int count) {
    std::size_t bytes = 0;
    for (int i = 0; i < count && bytes < text.size(); ++i) {
        bytes += charLengthAt(text, bytes);
    }
    return bytes;
}

// The first two bytes of a text of two bytes or more.
std::size_t firstTwoBytes(std::string_view text) {
    return static_cast<std::size_t>(static_cast<unsigned char>(text[0])) << 8 |
           static_cast<unsigned char>(text[1]);
}

std::uint64_t packed(std::string_view bytes) {
    std::uint64_t key = 0;
    for (char c : bytes) {
        key = (key << 8) | static_cast<unsigned char>(c);
    }
    return key;
}

}  // namespace

DistrictMatcher::DistrictMatcher(std::vector<std::string> districts)
    : districts_(std::move(districts)) {
    for (std::size_t i = 0; i < districts_.size(); ++i) {
        const std::string_view name = districts_[i];
        const std::size_t first = leadingBytes(name, 1);
        const std::size_t pair = leadingBytes(name, 2);
        if (name.empty()) {
            continue;
        }
        Index& index = pair > first ? byLeadingPair_ : bySingle_;
        index[packed(name.substr(0, pair))].push_back(static_cast<int>(i));
        if (pair > first) {
            pairStarts_.set(firstTwoBytes(name));
        }
    }
}

void DistrictMatcher::lookUp(const Index& index, std::string_view key, std::string_view rest,
                             std::vector<int>& found) const {
    const auto candidates = index.find(packed(key));
    if (candidates == index.end()) {
        return;
    }
    for (int candidate : candidates->second) {
        if (rest.starts_with(districts_[static_cast<std::size_t>(candidate)])) {
            found.push_back(candidate);
        }
    }
}

std::vector<int> DistrictMatcher::districtsIn(std::string_view headline) const {
    std::vector<int> found;
    for (std::size_t offset = 0; offset < headline.size();) {
        const std::string_view rest = headline.substr(offset);
        const std::size_t first = charLengthAt(headline, offset);
        if (!bySingle_.empty()) {
            lookUp(bySingle_, rest.substr(0, first), rest, found);
        }
        if (first < rest.size() && pairStarts_.test(firstTwoBytes(rest))) {
            lookUp(byLeadingPair_, rest.substr(0, first + charLengthAt(rest, first)), rest, found);
        }
        offset += first;
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

}  // namespace galewarden
