#include "ui/DetailPictureRule.h"

#include <cstddef>

namespace galewarden {

std::array<int, kDetailPictureCount> detailPictureEntries(int entryCount, int currentIndex) {
    std::array<int, kDetailPictureCount> entries{};
    if (entryCount <= kDetailPictureCount) {
        for (int i = 0; i < entryCount; ++i) {
            entries[static_cast<std::size_t>(i)] = i + 1;
        }
        return entries;
    }
    for (int i = 0; i < kDetailPictureCount; ++i) {
        // 64 bits: the index may be anything an int holds.
        long long step = (static_cast<long long>(currentIndex) - 1 + i) % entryCount;
        if (step < 0) {
            step += entryCount;
        }
        entries[static_cast<std::size_t>(i)] = static_cast<int>(step) + 1;
    }
    return entries;
}

}  // namespace galewarden
