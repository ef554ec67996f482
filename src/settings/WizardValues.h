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

    friend bool operator==(const WizardValues&, const WizardValues&) = default;
};

WizardValues readWizardValues(const ConfigStore& store);
// Writes exactly the seven keys and no other.
void writeWizardValues(const ConfigStore& store, const WizardValues& values);

}  // namespace galewarden
