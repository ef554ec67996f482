#pragma once

#include <array>
#include <cstddef>

namespace galewarden {

inline constexpr int kDetailPictureCount = 3;

// Whether the detail pictures rotate (more entries than pictures): only then does "切换" show
// anything new.
constexpr bool detailPicturesRotate(std::size_t entryCount) {
    return entryCount > static_cast<std::size_t>(kDetailPictureCount);
}

// The 1-based display entry each detail picture shows, top to bottom; 0 leaves it empty.
// Up to three entries show in their order. More rotate: the current entry at the top, the
// next two below, going on with the first after the last. A current index outside 1..n
// (0 before the cycle starts) wraps like any other.
std::array<int, kDetailPictureCount> detailPictureEntries(int entryCount, int currentIndex);

}  // namespace galewarden
