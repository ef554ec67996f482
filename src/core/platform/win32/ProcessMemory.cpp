#include "core/platform/ProcessMemory.h"

namespace galewarden {

// The Windows heap keeps and reuses freed blocks of this size by itself.
void reuseLargeBuffers() {}

void returnFreeMemory() {}

}  // namespace galewarden
