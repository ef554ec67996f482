#include "settings/editors_model/HtmlMarker.h"

#include "core/config/ConfigStore.h"
#include "settings/editors_model/EditorValues.h"

namespace galewarden {

std::string loadHtmlLocation(const ConfigStore& store) {
    return store.read(keys::kHtmlLocation);
}

bool saveHtmlLocation(ConfigStore& store, std::string_view path) {
    return storableValue(path) && store.write(keys::kHtmlLocation, path);
}

}  // namespace galewarden
