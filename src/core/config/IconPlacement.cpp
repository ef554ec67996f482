#include "core/config/IconPlacement.h"

#include "core/config/ConfigStore.h"

namespace galewarden {

bool storeIconPosition(ConfigStore& store, int top, int right) {
    const bool topWritten = store.write(keys::kIconTop, top);
    return store.write(keys::kIconRight, right) && topWritten;
}

}  // namespace galewarden
