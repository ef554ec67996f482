#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace galewarden {

// A user-supplied shared library, loaded from an absolute path only (never through the
// system's search order), and kept loaded while the object lives.
class PluginLibrary {
  public:
    static std::unique_ptr<PluginLibrary> load(std::string_view absolutePath);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // The address of an exported function; null when absent.
    void* symbol(const char* name) const;

    // The library's name relative to the program directory ("GalewardenDLL/RefreshA.so").
    static std::string relativeName();
    // Texts handed to the library: UTF-8 here, the ANSI code page on Windows.
    static std::string textForLibrary(std::string_view text);

  private:
    explicit PluginLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

}  // namespace galewarden
