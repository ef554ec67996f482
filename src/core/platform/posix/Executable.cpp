#include <unistd.h>

#include <array>

#include "core/platform/FileSystem.h"
#include "core/platform/ProgramPaths.h"

namespace galewarden {

std::string executablePath() {
    std::array<char, 4096> buffer{};
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return {};
    }
    return pathText(
        std::filesystem::path(std::string(buffer.data(), static_cast<std::size_t>(length))));
}

}  // namespace galewarden
