#include "settings/wizard_model/WizardValues.h"

#include "core/alerts/source/SourcePresets.h"
#include "core/config/ConfigStore.h"

namespace galewarden {

WizardValues readWizardValues(const ConfigStore& store) {
    return WizardValues{store.readFlag(keys::kAutoRun),
                        store.readFlag(keys::kAutoCheck),
                        store.read(keys::kDistricts),
                        store.read(keys::kIconWidth),
                        store.read(keys::kIconHeight),
                        store.read(keys::kIconTop),
                        store.read(keys::kIconRight),
                        store.exists() ? currentSourceId(store) : kFirstStartSource};
}

namespace {

void makeSourceCurrent(ConfigStore& store, const std::string& source) {
    if (source == kVendorSourceId) {
        if (!store.readFlag(keys::kUseVendor)) {
            useVendorSource(store);
        }
    } else if (const SourcePreset* preset = findSourcePreset(source)) {
        useSourcePreset(store, *preset);
    }
}

}  // namespace

void writeWizardValues(ConfigStore& store, const WizardValues& values) {
    store.write(keys::kAutoRun, values.autoRun ? "1" : "0");
    store.write(keys::kAutoCheck, values.autoCheck ? "1" : "0");
    store.write(keys::kDistricts, values.districts);
    store.write(keys::kIconWidth, values.width);
    store.write(keys::kIconHeight, values.height);
    store.write(keys::kIconTop, values.top);
    store.write(keys::kIconRight, values.right);
    makeSourceCurrent(store, values.source);
}

}  // namespace galewarden
