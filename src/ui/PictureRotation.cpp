#include "ui/PictureRotation.h"

namespace galewarden {

const DisplayEntry* advancePicture(DisplayState& state) {
    const auto& entries = state.display->entries;
    if (entries.empty()) {
        state.currentIndex = 0;
        return nullptr;
    }
    const auto current = static_cast<std::size_t>(state.currentIndex);
    const bool inside = state.currentIndex >= 1 && current < entries.size();
    state.currentIndex = inside ? state.currentIndex + 1 : 1;
    const DisplayEntry& entry = entries[static_cast<std::size_t>(state.currentIndex) - 1];
    state.currentPlaceName = entry.placeName;
    return &entry;
}

}  // namespace galewarden
