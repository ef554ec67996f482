#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "cli/TerminalText.h"
#include "core/alerts/source/SourcePresets.h"
#include "core/config/ConfigStore.h"
#include "core/text/CodePage.h"

namespace galewarden::cli {
namespace {

constexpr char kVendorName[] = "Corvane数据源（程序自带的预警服务）";

void printLine(std::string_view id, std::string_view utf8Name, bool current) {
    std::cout << (current ? "* " : "  ") << id << "\t" << utf8Name << '\n';
}

int list(const ConfigStore& store) {
    const std::string current = currentSourceId(store);
    printLine(kVendorSourceId, kVendorName, current == kVendorSourceId);
    for (const SourcePreset& preset : sourcePresets()) {
        printLine(preset.id, utf8FromGb(preset.name), current == preset.id);
        std::cout << "    " << utf8FromGb(preset.description) << '\n';
    }
    return kSuccess;
}

int use(ConfigStore& store, const std::string& id) {
    const SourcePreset* preset = findSourcePreset(id);
    if (id != kVendorSourceId && preset == nullptr) {
        std::cerr << "galewarden-cli: no source \"" << id
                  << "\"; see: galewarden-cli source list\n";
        return kUsage;
    }
    const bool written =
        preset != nullptr ? useSourcePreset(store, *preset) : useVendorSource(store);
    if (!written) {
        std::cerr << "galewarden-cli: could not change " << utf8FromGb(store.filePath()) << '\n';
        return kFailure;
    }
    if (preset != nullptr && !preset->loses.empty()) {
        std::cout << utf8FromGb(preset->loses) << '\n';
    }
    return kSuccess;
}

int show(const ConfigStore& store) {
    const std::string current = currentSourceId(store);
    std::cout << (current.empty() ? std::string("custom") : current) << '\n';
    if (current == kVendorSourceId) {
        return kSuccess;
    }
    // No file can hold a line break in a value: reading one back means the key is absent.
    for (const ConfigKey* key : keys::kJsonRules) {
        const std::string value = store.readText(key->section, key->name, "\r\n");
        if (value != "\r\n") {
            std::cout << key->name << "=" << terminalText(value) << '\n';
        }
    }
    return kSuccess;
}

}  // namespace

// source list | use NAME | show
int runSourceCommand(const std::vector<std::string>& args) {
    ConfigStore store;
    if (args.size() == 1 && args[0] == "list") {
        return list(store);
    }
    if (args.size() == 1 && args[0] == "show") {
        return show(store);
    }
    if (args.size() == 2 && args[0] == "use") {
        return use(store, args[1]);
    }
    return usage();
}

}  // namespace galewarden::cli
