#pragma once

namespace galewarden {

// Who the program is to the desktop: the name trays and notification servers show
// ("Galewarden", not the executable's name) and the desktop entry that gives its icon. No
// display name is set: Qt would append it to every window title.
void nameTheApplication();

}  // namespace galewarden
