#pragma once

#include <cstdint>
#include <vector>

namespace galewarden {

// For each of `windows`, whether a window that the window manager keeps (an application's
// window, not a menu, a tooltip or another window that places itself) is shown above it and
// overlaps it. `windows` are native ids of top-level windows that place themselves. True where
// the window system cannot be asked, so that the caller keeps its window on top as before.
// One look at the stacking order answers for all. Call it from one thread only.
std::vector<bool> coveredByManagedWindows(const std::vector<std::uintptr_t>& windows);

}  // namespace galewarden
