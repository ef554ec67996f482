#pragma once

namespace galewarden {

// A pass allocates and frees buffers of megabytes. By default the C library maps each of them
// fresh from the system and returns it on release, so a pass spent more time on page faults
// than on its own work, depending on the order in which threads happened to free memory. Set
// once at the start of a program: such buffers are reused within the process instead.
void reuseLargeBuffers();

// Hands the memory a finished pass left free back to the system, so that an idle program does
// not keep the peak of its last pass.
void returnFreeMemory();

}  // namespace galewarden
