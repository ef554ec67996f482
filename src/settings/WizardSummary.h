#pragma once

#include <string>

#include "settings/WizardValues.h"

namespace galewarden {

// The last page's summary of what the finish will do (GB18030, lines broken by CR LF).
std::string wizardSummary(const WizardValues& values);

}  // namespace galewarden
