#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/alerts/AlertRecord.h"

// RefreshA is a __stdcall export; only on 32-bit Windows does that differ from the default.
#if defined(_WIN32) && !defined(_WIN64)
#define GALEWARDEN_PLUGIN_CALL __stdcall
#else
#define GALEWARDEN_PLUGIN_CALL
#endif

namespace galewarden {

class PluginLibrary;

// The user's after-refresh library (GalewardenDLL/RefreshA.so next to the program) and its
// `RefreshA` export, loaded on the first call and kept loaded.
class RefreshPlugin {
  public:
    // The library at its usual place in the program directory.
    RefreshPlugin();
    explicit RefreshPlugin(std::string path);
    ~RefreshPlugin();

    const std::string& path() const { return path_; }
    bool fileExists() const;

    // Calls RefreshA once per warning, in the order given, counting from 1. A library that
    // cannot be loaded or lacks the export is a fatal error.
    void callOncePerAlert(const std::vector<KeptAlert>& alerts);

  private:
    using RefreshFunction = void(GALEWARDEN_PLUGIN_CALL*)(int, const char*, const char*,
                                                          const char*, const char*, const char*,
                                                          const char*);
    RefreshFunction function();

    std::string path_;
    std::unique_ptr<PluginLibrary> library_;
    RefreshFunction function_ = nullptr;
};

}  // namespace galewarden
