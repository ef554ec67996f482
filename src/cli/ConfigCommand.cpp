#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "cli/TerminalText.h"
#include "core/config/ConfigStore.h"
#include "core/config/IniDocument.h"
#include "core/text/CodePage.h"

namespace galewarden::cli {
namespace {

int reportChange(bool stored, const ConfigStore& store) {
    if (stored) {
        return kSuccess;
    }
    std::cerr << "galewarden-cli: could not change " << utf8FromGb(store.filePath())
              << " (unreadable, not writable, or a value with a line break)\n";
    return kFailure;
}

}  // namespace

// config get|set|delete SECTION KEY [VALUE] [--quoted]; texts arrive and leave as UTF-8.
int runConfigCommand(const std::vector<std::string>& args) {
    if (args.size() < 3) {
        return usage();
    }
    const std::string& action = args[0];
    const std::string section = gbFromUtf8(args[1]);
    const std::string key = gbFromUtf8(args[2]);
    ConfigStore store;
    if (action == "get" && args.size() == 3) {
        std::cout << terminalText(store.readText(section, key, "")) << '\n';
        return kSuccess;
    }
    if (action == "delete" && args.size() == 3) {
        return reportChange(store.deleteKey(section, key), store);
    }
    const bool quoted = args.size() == 5 && args[4] == "--quoted";
    if (action == "set" && (args.size() == 4 || quoted)) {
        const std::string value = gbFromUtf8(args[3]);
        if (!IniDocument::readsBackWhole(value)) {
            std::cerr << "galewarden-cli: the value is " << value.size()
                      << " bytes; the configuration keeps values of at most "
                      << IniDocument::kMaxValueBytes << " bytes, so nothing was written\n";
            return kFailure;
        }
        return reportChange(
            quoted ? store.writeQuoted(section, key, value) : store.writeText(section, key, value),
            store);
    }
    return usage();
}

}  // namespace galewarden::cli
