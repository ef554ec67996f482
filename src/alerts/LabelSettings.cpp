#include "alerts/LabelSettings.h"

#include "app/config/ConfigStore.h"
#include "text/TextSearch.h"

namespace galewarden {

LabelSettings loadLabelSettings(const ConfigStore& store) {
    LabelSettings settings;
    settings.text = decodeLabelText(store.read(keys::kLabelText));
    settings.usesName = containsText(settings.text, "%") && store.readFlag(keys::kLabelShow) &&
                        store.readFlag(keys::kLabelUseName);
    return settings;
}

}  // namespace galewarden
