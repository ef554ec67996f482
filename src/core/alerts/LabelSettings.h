#pragma once

#include <string>

namespace galewarden {

class ConfigStore;

// The label window's text and whether its "%" slot is to be filled with place names.
struct LabelSettings {
    std::string text;
    bool usesName = false;
};

// Re-read by every refresh that processes warnings. usesName holds only when the text has a
// "%", the label is shown and the place-name option is on.
LabelSettings loadLabelSettings(const ConfigStore& store);

}  // namespace galewarden
