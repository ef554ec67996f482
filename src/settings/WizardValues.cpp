#include "settings/WizardValues.h"

#include "core/config/ConfigStore.h"

namespace galewarden {

WizardValues readWizardValues(const ConfigStore& store) {
    return WizardValues{store.readFlag(keys::kAutoRun), store.readFlag(keys::kAutoCheck),
                        store.read(keys::kDistricts),   store.read(keys::kIconWidth),
                        store.read(keys::kIconHeight),  store.read(keys::kIconTop),
                        store.read(keys::kIconRight)};
}

void writeWizardValues(const ConfigStore& store, const WizardValues& values) {
    store.write(keys::kAutoRun, values.autoRun ? "1" : "0");
    store.write(keys::kAutoCheck, values.autoCheck ? "1" : "0");
    store.write(keys::kDistricts, values.districts);
    store.write(keys::kIconWidth, values.width);
    store.write(keys::kIconHeight, values.height);
    store.write(keys::kIconTop, values.top);
    store.write(keys::kIconRight, values.right);
}

}  // namespace galewarden
