#include <windows.h>

#include <string>

#include "core/platform/FileSystem.h"
#include "core/platform/ProgramPaths.h"

namespace galewarden {

std::string executablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return pathText(std::filesystem::path(buffer));
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace galewarden
