#pragma once

#include <cstdint>

namespace galewarden {

// Whether a window that the window manager keeps (an application's window, not a menu, a
// tooltip or another window that places itself) is shown above `window` and overlaps it.
// `window` is the native id of a top-level window that places itself. True where the window
// system cannot be asked, so that the caller keeps its window on top as before.
// Call it from one thread only.
bool coveredByManagedWindow(std::uintptr_t window);

}  // namespace galewarden
