#pragma once

namespace galewarden {

class ConfigStore;

// Until the setup wizard exists, a first run writes the keys the wizard writes, with their
// defaults: AutoRun, AutoCheck, Districts and the icon's Width, Height, Top and Right.
void writeFirstRunDefaults(const ConfigStore& store);

}  // namespace galewarden
