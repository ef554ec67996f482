#include "core/alerts/outputs/AfterRefreshOutputs.h"

#include <utility>

#include "core/alerts/outputs/RefreshPlugin.h"
#include "core/config/ConfigStore.h"
#include "core/platform/FileSystem.h"

namespace galewarden {

void saveJson(const ConfigStore& store, std::string_view responseBytes) {
    if (!store.readFlag(keys::kSaveJson)) {
        return;
    }
    const std::string link = store.read(keys::kJsonLink);
    if (!link.empty()) {
        replaceFile(link, responseBytes);
    }
}

void sortForPlugin(std::vector<KeptAlert>& alerts) {
    for (std::size_t i = 0; i + 1 < alerts.size(); ++i) {
        std::size_t earliest = i;
        for (std::size_t k = i + 1; k < alerts.size(); ++k) {
            if (alerts[k].publishDateTime < alerts[earliest].publishDateTime) {
                earliest = k;
            }
        }
        if (earliest != i) {
            std::swap(alerts[i], alerts[earliest]);
        }
    }
}

void callRefreshDll(RefreshPlugin& plugin, std::vector<KeptAlert> alerts) {
    sortForPlugin(alerts);
    plugin.callOncePerAlert(alerts);
}

}  // namespace galewarden
