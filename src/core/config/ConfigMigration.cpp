#include <galewarden/Version.h>

#include "core/config/ConfigStore.h"
#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden {

// The newest backup is always ".bak", as the reset question promises; older ones step aside to
// ".bak.1", ".bak.2" … so that no reset throws a configuration away.
void resetConfiguration(const ConfigStore& store) {
    const std::string backup = store.filePath() + ".bak";
    if (!store.exists()) {
        return;
    }
    for (int number = 1; fileExists(backup) && number < 10000; ++number) {
        renameWithoutReplacing(backup, backup + "." + std::to_string(number));
    }
    renameWithoutReplacing(store.filePath(), backup);
}

// The test words mark lists of the current default's generation; older lists give way to the
// current defaults.
void migrateConfiguration(ConfigStore& store) {
    if (store.read(keys::kCurrentVersion) != kVersionText) {
        if (!containsText(store.read(keys::kSkip), gbFromUtf8("泥"))) {
            store.write(keys::kSkip, defaultOf(keys::kSkip));
            store.write(keys::kSender, defaultOf(keys::kSender));
        }
        if (!containsText(store.read(keys::kChange), gbFromUtf8("农"))) {
            store.write(keys::kChange, defaultOf(keys::kChange));
        }
        store.deleteKey(keys::kPluginLocation.section, keys::kPluginLocation.name);
        if (store.readNumber(keys::kLabelWidth) == 120) {
            store.write(keys::kLabelWidth, "360");
        }
    }
    store.write(keys::kCurrentVersion, kVersionText);
}

}  // namespace galewarden
