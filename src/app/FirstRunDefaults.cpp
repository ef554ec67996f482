#include "app/FirstRunDefaults.h"

#include "core/config/ConfigStore.h"

namespace galewarden {

void writeFirstRunDefaults(const ConfigStore& store) {
    for (const ConfigKey* key :
         {&keys::kAutoRun, &keys::kAutoCheck, &keys::kDistricts, &keys::kIconWidth,
          &keys::kIconHeight, &keys::kIconTop, &keys::kIconRight}) {
        store.write(*key, defaultOf(*key));
    }
}

}  // namespace galewarden
