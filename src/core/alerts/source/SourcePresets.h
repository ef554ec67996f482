#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace galewarden {

class ConfigStore;

// The rules of a public feed, ready to use: the [JSON] keys that describe it, with a name, a
// one-line description and what the user gives up with it (texts in GB18030).
struct SourcePreset {
    std::string id;  // "national-map", "nmc", "12379"
    std::string name;
    std::string description;
    std::string loses;                                       // empty when nothing
    std::vector<std::pair<std::string, std::string>> rules;  // [JSON] key and value
};

// The presets that come with the program, the national warning map first.
const std::vector<SourcePreset>& sourcePresets();
const SourcePreset* findSourcePreset(std::string_view id);

// The id the vendor's own service goes by where sources are listed.
inline constexpr std::string_view kVendorSourceId = "vendor";

// The preset's [JSON] keys and values as a source uses them: GALEWARDEN_FEED_HOST
// ("http://host:port"), when set, replaces the preset's host, which is how the demo and the
// tests reach the stand-in service.
std::vector<std::pair<std::string, std::string>> presetRulesInUse(const SourcePreset& preset);

// Makes the preset the source: every [JSON] key it does not name is deleted (so Keyword and
// Clear fall back to their defaults), its keys in use are written, and [Source] UseKVX becomes
// 0. False when a write failed.
bool useSourcePreset(ConfigStore& store, const SourcePreset& preset);
// Makes the vendor's service the source again ([Source] UseKVX = 1); the rules stay.
bool useVendorSource(ConfigStore& store);

// The source the configuration names: kVendorSourceId, the id of the preset whose keys the
// [JSON] section holds exactly (the host aside), or empty for rules of the user's own.
std::string currentSourceId(const ConfigStore& store);

}  // namespace galewarden
