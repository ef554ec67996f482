#pragma once

#include <string>

#include "settings/wizard_model/WizardValues.h"

namespace galewarden {

// The last page's summary of what the finish will do (GB18030, lines broken by CR LF). Where
// the system's packages update the program, its last line says so instead of the update check.
std::string wizardSummary(const WizardValues& values, bool updatesFromPackages = false);

}  // namespace galewarden
