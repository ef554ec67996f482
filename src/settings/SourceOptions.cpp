#include "settings/SourceOptions.h"

#include "core/config/ConfigStore.h"
#include "settings/EditorValues.h"

namespace galewarden {
namespace {

constexpr std::string_view kSection = "KVXSource";

int itemOf(const ConfigStore& store, std::string_view key, int items) {
    const int index = store.readNumber(kSection, key, "0");
    return index >= 0 && index < items ? index : 0;
}

}  // namespace

SourceOptions loadSourceOptions(const ConfigStore& store) {
    SourceOptions options;
    options.matchMode = itemOf(store, "i", kMatchModeItems);
    options.days = store.readText(kSection, "e", "");
    options.order = itemOf(store, "o", kOrderItems);
    options.limit = store.readText(kSection, "l", "");
    options.nonMeteorological = itemOf(store, "n", kNonMeteorologicalItems);
    return options;
}

bool storableSourceOptions(const SourceOptions& options) {
    return storableValue(options.days) && storableValue(options.limit);
}

bool saveSourceOptions(const ConfigStore& store, const SourceOptions& options) {
    if (!storableSourceOptions(options)) {
        return false;
    }
    bool written = store.writeNumber(kSection, "i", options.matchMode);
    written = store.writeText(kSection, "e", options.days) && written;
    written = store.writeNumber(kSection, "o", options.order) && written;
    written = store.writeText(kSection, "l", options.limit) && written;
    return store.writeNumber(kSection, "n", options.nonMeteorological) && written;
}

bool nonMeteorologicalHintShown(const SourceOptions& options) {
    return options.nonMeteorological == 1;
}

}  // namespace galewarden
