#include "settings/editors_model/BundledDistrictEntries.h"

#include <algorithm>

#include "core/config/BundledDistricts.h"
#include "settings/editors_model/DistrictPickerRequest.h"

namespace galewarden {
namespace {

bool isNamedProvince(const std::string& province) {
    const std::vector<std::string>& named = provinceEntries();
    return std::find(named.begin(), named.end(), province) != named.end();
}

}  // namespace

std::vector<DistrictEntry> entriesOfProvince(const std::vector<DistrictEntry>& all,
                                             int provinceEntry) {
    const std::vector<std::string>& named = provinceEntries();
    if (provinceEntry == kAllProvincesEntry || provinceEntry < 0 ||
        provinceEntry >= static_cast<int>(named.size())) {
        return all;
    }
    const bool others = provinceEntry == static_cast<int>(named.size()) - 1;
    const std::string& wanted = named[static_cast<std::size_t>(provinceEntry)];
    std::vector<DistrictEntry> chosen;
    std::copy_if(all.begin(), all.end(), std::back_inserter(chosen), [&](const auto& entry) {
        return others ? !isNamedProvince(entry.province) : entry.province == wanted;
    });
    return chosen;
}

std::optional<std::vector<DistrictEntry>> bundledDistrictEntries(int provinceEntry,
                                                                 std::stop_token stop) {
    const std::string list = readBundledDistrictList();
    if (list.empty()) {
        return std::nullopt;
    }
    std::optional<std::vector<DistrictEntry>> all = readDistrictAnswer(list, std::move(stop));
    if (!all) {
        return std::nullopt;
    }
    return entriesOfProvince(*all, provinceEntry);
}

DistrictListing districtListing(std::string_view utf8Answer, int provinceEntry,
                                std::stop_token stop) {
    std::optional<std::vector<DistrictEntry>> online = readDistrictAnswer(utf8Answer, stop);
    if (online || stop.stop_requested()) {
        return {std::move(online), false};
    }
    return {bundledDistrictEntries(provinceEntry, stop), true};
}

}  // namespace galewarden
