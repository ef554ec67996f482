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

// Only on Windows does changing the automatic start need administrator rights (UAC); the
// check boxes say so there.
#ifdef _WIN32
inline constexpr bool kAutostartNeedsElevation = true;
#else
inline constexpr bool kAutostartNeedsElevation = false;
#endif

}  // namespace galewarden
