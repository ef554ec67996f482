#include "core/platform/FileLock.h"

#include <windows.h>

#include "core/platform/FileSystem.h"

namespace galewarden {
namespace {

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

FileLock::FileLock(std::string_view path) : path_(nativePath(path)) {
    const HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        CloseHandle(file);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
}

FileLock::~FileLock() {
    if (!held()) {
        return;
    }
    OVERLAPPED whole{};
    UnlockFileEx(handleOf(handle_), 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(handleOf(handle_));
}

}  // namespace galewarden
