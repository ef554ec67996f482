#include "core/platform/Autostart.h"

#include <windows.h>

#include "core/platform/win32/WideText.h"
// After windows.h, which it needs.
#include <shlobj.h>

#include <filesystem>
#include <string>

#include "core/platform/FileSystem.h"

namespace galewarden {
namespace {

// The Run value's and the Startup shortcut's name, which earlier versions wrote too.
constexpr char kAutostartName[] = "Corvane气象灾害预警监测";

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring wideFromUtf8(std::string_view utf8) {
    return wideFrom(utf8, CP_UTF8);
}

class RunKey {
  public:
    RunKey() {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RunKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;

    bool setText(const std::wstring& name, const std::wstring& data) const {
        const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        return key_ != nullptr &&
               RegSetValueExW(key_, name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
    }
    bool remove(const std::wstring& name) const {
        if (key_ == nullptr) {
            return false;
        }
        const LSTATUS status = RegDeleteValueW(key_, name.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }

  private:
    HKEY key_ = nullptr;
};

std::filesystem::path startupFolder() {
    PWSTR folder = nullptr;
    std::filesystem::path path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, 0, nullptr, &folder))) {
        path = folder;
    }
    CoTaskMemFree(folder);
    return path;
}

bool removeStartupShortcut() {
    const std::filesystem::path folder = startupFolder();
    if (folder.empty()) {
        return false;
    }
    const std::filesystem::path shortcut = folder / (wideFromUtf8(kAutostartName) + L".lnk");
    if (DeleteFileW(shortcut.c_str())) {
        return true;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

bool registerAutostart(std::string_view executablePath) {
    std::filesystem::path native = nativePath(executablePath);
    return native.is_absolute() &&
           RunKey().setText(wideFromUtf8(kAutostartName), native.make_preferred().native());
}

bool removeAutostart() {
    const bool valueRemoved = RunKey().remove(wideFromUtf8(kAutostartName));
    const bool shortcutRemoved = removeStartupShortcut();
    return valueRemoved && shortcutRemoved;
}

}  // namespace galewarden
