#pragma once

#include <string_view>

namespace galewarden {

// Starting the program when the user logs on: an XDG autostart entry on Linux
// ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart), the Run value of the local machine
// on Windows. The executable path is absolute, in the program's code page; a relative one is
// refused. Removal also takes away the Windows Startup-folder shortcut of the same name.
// False when the entry could not be made or removed (an entry already absent is removed);
// callers ignore it.
bool registerAutostart(std::string_view executablePath);
bool removeAutostart();

// The name the entry carries where the user sees it, in UTF-8.
inline constexpr char kAutostartName[] = "Corvane气象灾害预警监测";

}  // namespace galewarden
