#include "core/platform/RevealInFileManager.h"

#include <windows.h>

#include <filesystem>
#include <string>

#include "core/platform/FileSystem.h"

namespace galewarden {
namespace {

std::wstring explorerPath() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return std::wstring(folder, length) + L"\\explorer.exe";
}

}  // namespace

bool revealInFileManager(std::string_view path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(nativePath(path), error);
    const std::wstring explorer = explorerPath();
    if (error || absolute.empty() || explorer.empty()) {
        return false;
    }
    // A quoted path keeps a comma or a space in the file name from splitting the argument.
    std::wstring commandLine =
        L"\"" + explorer + L"\" /select,\"" + absolute.make_preferred().native() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(explorer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace galewarden
