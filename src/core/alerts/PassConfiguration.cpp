#include "core/alerts/PassConfiguration.h"

#include <algorithm>

#include "core/alerts/RefreshMinimum.h"
#include "core/config/ConfigStore.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

int atLeastMinimum(int seconds) {
    return std::max(seconds, minimumRefreshSeconds());
}

// Empty names would match every headline: a doubled space is no district.
std::vector<std::string> districtNames(std::string_view districtsText) {
    std::vector<std::string> names = splitText(districtsText, " ");
    std::erase_if(names, [](const std::string& name) { return name.empty(); });
    return names;
}

}  // namespace

void parseChangeList(std::string_view changeList, std::vector<std::string>& from,
                     std::vector<std::string>& to) {
    from.clear();
    to.clear();
    for (const std::string& item : splitText(changeList, ",")) {
        const std::vector<std::string> sides = splitText(item, "=");
        if (containsText(item, "=")) {
            from.push_back(sides.empty() ? std::string() : sides[0]);
            to.push_back(sides.size() > 1 ? sides[1] : std::string());
        } else if (!item.empty()) {
            from.push_back(item);
            to.emplace_back();
        }
    }
}

PassConfiguration readPassConfiguration(const ConfigStore& store) {
    PassConfiguration config;
    config.animate = store.readFlag(keys::kAnimate);
    config.htmlPath = store.readText(keys::kHtmlLocation.section, keys::kHtmlLocation.name, "");
    config.htmlOn = !config.htmlPath.empty() && store.readFlag(keys::kHtmlStart);
    config.pluginOn = store.readFlag(keys::kPluginStart);
    config.useVendor = store.readFlag(keys::kUseVendor);
    config.refreshSeconds = atLeastMinimum(store.readNumber(keys::kRefreshTime));
    config.retrySeconds = atLeastMinimum(store.readNumber(keys::kRetryTime));
    config.rules = config.useVendor ? vendorRules(store) : customRules(store);
    config.listOrder =
        store.readNumber(keys::kVendorOrder) > 0 ? ListOrder::oldestFirst : ListOrder::newestFirst;

    ClassifierWords& words = config.words;
    words.keywords = config.rules.keywords;
    words.clearWords = config.rules.clearWords;
    words.skipWords = splitText(store.read(keys::kSkip), ",");
    words.senderWords = splitText(store.read(keys::kSender), ",");
    parseChangeList(store.read(keys::kChange), words.changeFrom, words.changeTo);

    config.districtsText = store.read(keys::kDistricts);
    config.districts = districtNames(config.districtsText);
    return config;
}

}  // namespace galewarden
