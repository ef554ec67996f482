#pragma once

namespace galewarden {

class ConfigStore;
struct SettingsModel;
struct SettingsServices;

// What every page of the settings window works on: the window's working copy, the services
// beyond the window, and the configuration for the few keys written at once.
struct PageContext {
    SettingsModel& model;
    const SettingsServices& services;
    ConfigStore& store;
};

}  // namespace galewarden
