#include "core/alerts/LabelSettings.h"

#include "core/config/ConfigStore.h"
#include "core/text/TextSearch.h"

namespace galewarden {

LabelSettings loadLabelSettings(const ConfigStore& store) {
    LabelSettings settings;
    settings.text = decodeLabelText(store.read(keys::kLabelText));
    settings.usesName = containsText(settings.text, "%") && store.readFlag(keys::kLabelShow) &&
                        store.readFlag(keys::kLabelUseName);
    return settings;
}

}  // namespace galewarden
