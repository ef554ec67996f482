#include <galewarden/Version.h>

#include "core/config/ConfigStore.h"
#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden {

// A backup left by an earlier reset makes the rename fail; the start then goes on with the
// file as it is.
void resetConfiguration(const ConfigStore& store) {
    renameWithoutReplacing(store.filePath(), store.filePath() + ".bak");
}

// The test words mark lists of the current default's generation; older lists give way to the
// current defaults.
void migrateConfiguration(const ConfigStore& store) {
    if (store.read(keys::kCurrentVersion) != kVersionText) {
        if (!containsText(store.read(keys::kSkip), gbFromUtf8("泥"))) {
            store.write(keys::kSkip, defaultOf(keys::kSkip));
            store.write(keys::kSender, defaultOf(keys::kSender));
        }
        if (!containsText(store.read(keys::kChange), gbFromUtf8("农"))) {
            store.write(keys::kChange, defaultOf(keys::kChange));
        }
        store.deleteKey(keys::kDllLocation.section, keys::kDllLocation.name);
        if (store.readNumber(keys::kLabelWidth) == 120) {
            store.write(keys::kLabelWidth, "360");
        }
    }
    store.write(keys::kCurrentVersion, kVersionText);
}

}  // namespace galewarden
