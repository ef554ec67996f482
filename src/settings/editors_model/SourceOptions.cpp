#include "settings/editors_model/SourceOptions.h"

#include "core/config/ConfigStore.h"
#include "settings/editors_model/EditorValues.h"

namespace galewarden {
namespace {

// A drop-down's stored item index, or its first item for one it does not have.
int itemOf(const ConfigStore& store, const ConfigKey& key, int items) {
    const int index = store.readNumber(key.section, key.name, "0");
    return index >= 0 && index < items ? index : 0;
}

}  // namespace

SourceOptions loadSourceOptions(const ConfigStore& store) {
    SourceOptions options;
    options.matchMode = itemOf(store, keys::kVendorMatchMode, kMatchModeItems);
    options.days = store.read(keys::kVendorDays);
    options.order = itemOf(store, keys::kVendorOrder, kOrderItems);
    options.limit = store.read(keys::kVendorLimit);
    options.nonMeteorological =
        itemOf(store, keys::kVendorNonMeteorological, kNonMeteorologicalItems);
    return options;
}

bool storableSourceOptions(const SourceOptions& options) {
    return storableValue(options.days) && storableValue(options.limit);
}

bool saveSourceOptions(ConfigStore& store, const SourceOptions& options) {
    if (!storableSourceOptions(options)) {
        return false;
    }
    bool written = store.write(keys::kVendorMatchMode, options.matchMode);
    written = store.write(keys::kVendorDays, options.days) && written;
    written = store.write(keys::kVendorOrder, options.order) && written;
    written = store.write(keys::kVendorLimit, options.limit) && written;
    return store.write(keys::kVendorNonMeteorological, options.nonMeteorological) && written;
}

bool nonMeteorologicalHintShown(const SourceOptions& options) {
    return options.nonMeteorological == 1;
}

}  // namespace galewarden
