#include "core/platform/PluginLibrary.h"

#include <windows.h>

#include "core/platform/FileSystem.h"

namespace galewarden {

std::unique_ptr<PluginLibrary> PluginLibrary::load(std::string_view absolutePath) {
    const std::filesystem::path native = nativePath(absolutePath);
    if (!native.is_absolute()) {
        return nullptr;
    }
    HMODULE module = LoadLibraryExW(native.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module != nullptr ? std::unique_ptr<PluginLibrary>(new PluginLibrary(module)) : nullptr;
}

PluginLibrary::~PluginLibrary() {
    FreeLibrary(static_cast<HMODULE>(handle_));
}

void* PluginLibrary::symbol(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

std::string PluginLibrary::relativeName() {
    return "GalewardenDLL\\RefreshA.dll";
}

// The library takes the ANSI code page of Chinese Windows, whose texts the program's own are.
std::string PluginLibrary::textForLibrary(std::string_view text) {
    return std::string(text);
}

}  // namespace galewarden
