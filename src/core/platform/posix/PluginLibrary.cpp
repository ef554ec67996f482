#include "core/platform/PluginLibrary.h"

#include <dlfcn.h>

#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden {

std::unique_ptr<PluginLibrary> PluginLibrary::load(std::string_view absolutePath) {
    const std::filesystem::path native = nativePath(absolutePath);
    if (!native.is_absolute()) {
        return nullptr;
    }
    void* handle = ::dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle != nullptr ? std::unique_ptr<PluginLibrary>(new PluginLibrary(handle)) : nullptr;
}

PluginLibrary::~PluginLibrary() {
    ::dlclose(handle_);
}

void* PluginLibrary::symbol(const char* name) const {
    return ::dlsym(handle_, name);
}

std::string PluginLibrary::relativeName() {
    return "GalewardenDLL/RefreshA.so";
}

std::string PluginLibrary::textForLibrary(std::string_view text) {
    return utf8FromGb(text);
}

}  // namespace galewarden
