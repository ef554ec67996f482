#include "core/platform/WindowStacking.h"

namespace galewarden {

// Without a stacking order to read, every window counts as covered.
std::vector<bool> coveredByManagedWindows(const std::vector<std::uintptr_t>& windows) {
    return std::vector<bool>(windows.size(), true);
}

}  // namespace galewarden
