#include "core/platform/ProcessMemory.h"

#include <cstdlib>  // says whether this is glibc
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace galewarden {
namespace {

// Above the buffers of the largest answers the stand-in and the public feeds give.
constexpr int kMappedAllocationBytes = 32 << 20;
constexpr int kKeptFreeBytes = 64 << 20;

}  // namespace

void reuseLargeBuffers() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, kMappedAllocationBytes);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeBytes);
#endif
}

void returnFreeMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace galewarden
