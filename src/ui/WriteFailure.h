#pragma once

#include <QString>

class QWidget;

namespace galewarden {

class ConfigStore;

// Says that a save did not reach the configuration file, which file, and that the window keeps
// what was typed, so that the user can make the file writable and save again.
void showWriteFailure(const ConfigStore& store, const QString& title, QWidget* owner);

}  // namespace galewarden
