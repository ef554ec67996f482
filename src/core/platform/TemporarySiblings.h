#pragma once

#include <filesystem>

// The temporary files that replaceFile writes beside its target; shared by the systems'
// implementations, not part of the platform layer's interface.
namespace galewarden {

// "<target>.tmp-<process>-<n>": unique among this process's writers and every other process's.
std::filesystem::path temporarySiblingOf(const std::filesystem::path& target,
                                         unsigned long processId);

// Removes every temporary sibling of the target, whichever process wrote it.
void removeTemporarySiblingsOf(const std::filesystem::path& target);

}  // namespace galewarden
