#pragma once

#include <optional>

#include "core/config/ConfigKeys.h"

namespace galewarden {

class ConfigStore;

// The keys of one colour's section: [Blue] serves 白 and 蓝, then [Yellow], [Orange], [Red].
struct ColourSection {
    const ConfigKey& alpha;
    const ConfigKey& onTop;
    const ConfigKey& show;
};

// The section for the most severe colour shown; null for 0 (no colour) or any unknown level.
const ColourSection* colourSectionFor(int highestColour);

// The icon window's options for that colour, alpha held to 0..255; nothing for no colour.
struct ColourOptions {
    int alpha = 0;
    bool onTop = true;
    bool shown = true;
};
std::optional<ColourOptions> readColourOptions(const ConfigStore& store, int highestColour);

}  // namespace galewarden
