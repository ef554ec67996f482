#pragma once

#include <string>

namespace galewarden {

class ConfigStore;

// The vendor service's query options of section KVXSource as the options window holds them:
// drop-downs by item index, numbers as typed (GB18030).
struct SourceOptions {
    int matchMode = 0;          // i: 0 右侧匹配, 1 左侧匹配, 2 完全匹配, 3 包含
    std::string days;           // e: a decimal number
    int order = 0;              // o: 0 降序, 1 升序
    std::string limit;          // l: a whole number
    int nonMeteorological = 0;  // n: 0 不显示, 1 显示
    friend bool operator==(const SourceOptions&, const SourceOptions&) = default;
};

inline constexpr int kMatchModeItems = 4;
inline constexpr int kOrderItems = 2;
inline constexpr int kNonMeteorologicalItems = 2;

// Reads i, e, o, l and n with the window's defaults ("0", empty, "0", empty, "0"). A stored
// index that names no item chooses the first, as its default would.
SourceOptions loadSourceOptions(const ConfigStore& store);

// False when a number cannot be stored (a line break); then nothing is written.
bool storableSourceOptions(const SourceOptions& options);
// Writes i, e, o, l and n in this order; false when one could not be written.
bool saveSourceOptions(ConfigStore& store, const SourceOptions& options);

// The hint beside "&N.非气象预警": non-meteorological warnings need the skip list cleared.
bool nonMeteorologicalHintShown(const SourceOptions& options);

}  // namespace galewarden
