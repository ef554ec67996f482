#include "core/alerts/source/SourcePresets.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "core/alerts/source/SourcePresetFiles.h"
#include "core/config/ConfigStore.h"
#include "core/config/IniDocument.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

std::string presetText(const IniDocument& file, std::string_view key) {
    return gbFromUtf8(file.read("Preset", key).value_or(""));
}

SourcePreset presetFrom(const SourcePresetFile& file) {
    const IniDocument ini(file.text);
    SourcePreset preset{std::string(file.id),
                        presetText(ini, "Name"),
                        presetText(ini, "Description"),
                        presetText(ini, "Loses"),
                        {}};
    for (const ConfigKey* key : keys::kJsonRules) {
        if (const std::optional<std::string> value = ini.read(key->section, key->name)) {
            preset.rules.emplace_back(std::string(key->name), gbFromUtf8(*value));
        }
    }
    return preset;
}

std::string feedHostOverride() {
    const char* host = std::getenv("GALEWARDEN_FEED_HOST");
    return host != nullptr ? std::string(host) : std::string();
}

using Rules = std::vector<std::pair<std::string, std::string>>;

std::optional<std::string> valueOf(const Rules& rules, const ConfigKey& key) {
    const auto found = std::find_if(rules.begin(), rules.end(),
                                    [&](const auto& rule) { return rule.first == key.name; });
    return found == rules.end() ? std::nullopt : std::optional<std::string>(found->second);
}

// A key that is absent reads as the CR LF that no file can hold.
bool holdsExactly(const ConfigStore& store, const SourcePreset& preset) {
    for (const ConfigKey* key : keys::kJsonRules) {
        const std::string stored = store.readText(key->section, key->name, "\r\n");
        if (key == &keys::kJsonHost) {
            continue;  // the stand-in's host stands for the real one
        }
        if (stored != valueOf(preset.rules, *key).value_or("\r\n")) {
            return false;
        }
    }
    return true;
}

}  // namespace

const std::vector<SourcePreset>& sourcePresets() {
    static const std::vector<SourcePreset> presets = [] {
        std::vector<SourcePreset> all;
        for (const SourcePresetFile& file : sourcePresetFiles()) {
            all.push_back(presetFrom(file));
        }
        return all;
    }();
    return presets;
}

const SourcePreset* findSourcePreset(std::string_view id) {
    const auto& presets = sourcePresets();
    const auto found = std::find_if(presets.begin(), presets.end(),
                                    [&](const SourcePreset& preset) { return preset.id == id; });
    return found == presets.end() ? nullptr : &*found;
}

Rules presetRulesInUse(const SourcePreset& preset) {
    const std::string hostOverride = feedHostOverride();
    Rules rules = preset.rules;
    for (auto& [key, value] : rules) {
        if (key == keys::kJsonHost.name && !hostOverride.empty()) {
            value = hostOverride;
        }
    }
    return rules;
}

bool useSourcePreset(ConfigStore& store, const SourcePreset& preset) {
    const Rules rules = presetRulesInUse(preset);
    bool written = true;
    for (const ConfigKey* key : keys::kJsonRules) {
        const std::optional<std::string> value = valueOf(rules, *key);
        written = (value ? store.write(*key, *value) : store.deleteKey(key->section, key->name)) &&
                  written;
    }
    return store.write(keys::kUseVendor, "0") && written;
}

bool useVendorSource(ConfigStore& store) {
    return store.write(keys::kUseVendor, "1");
}

std::string currentSourceId(const ConfigStore& store) {
    if (store.readFlag(keys::kUseVendor)) {
        return std::string(kVendorSourceId);
    }
    for (const SourcePreset& preset : sourcePresets()) {
        if (holdsExactly(store, preset)) {
            return preset.id;
        }
    }
    return {};
}

}  // namespace galewarden
