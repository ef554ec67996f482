#pragma once

#include <string>

namespace galewarden {

class ConfigStore;

// The seven settings the wizard edits, as its controls hold them: the district text (GB18030)
// and the four numbers exactly as typed, since nothing is validated before they are written.
struct WizardValues {
    bool autoRun = true;
    bool autoCheck = true;
    std::string districts;
    std::string width;
    std::string height;
    std::string top;
    std::string right;
    // The source the finish makes current: "vendor", a preset's id, or empty to leave the
    // rules as they are.
    std::string source = {};

    friend bool operator==(const WizardValues&, const WizardValues&) = default;
};

// A first start (no file yet) proposes the national warning map as the source; otherwise the
// current source is kept, empty when the rules are the user's own.
WizardValues readWizardValues(const ConfigStore& store);
// Writes exactly the seven keys, and then makes the chosen source current: a preset writes its
// rule keys and UseKVX 0; the vendor's service writes UseKVX 1 only when it was not so already.
void writeWizardValues(ConfigStore& store, const WizardValues& values);

// The national warning map: what a new user gets.
inline constexpr char kFirstStartSource[] = "national-map";

}  // namespace galewarden
