#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "core/platform/FileSystem.h"

namespace galewarden {
namespace {

constexpr UINT kGb18030CodePage = 54936;

std::wstring wideFromGb(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(kGb18030CodePage, 0, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kGb18030CodePage, 0, text.data(), static_cast<int>(text.size()),
                        wide.data(), length);
    return wide;
}

std::string gbFromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length =
        WideCharToMultiByte(kGb18030CodePage, 0, wide.data(), static_cast<int>(wide.size()),
                            nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kGb18030CodePage, 0, wide.data(), static_cast<int>(wide.size()),
                        text.data(), length, nullptr, nullptr);
    return text;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

std::filesystem::path nativePath(std::string_view path) {
    return std::filesystem::path(wideFromGb(path));
}

std::string pathText(const std::filesystem::path& path) {
    return gbFromWide(path.native());
}

bool replaceFile(std::string_view path, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    const std::wstring target = nativePath(path).native();
    const std::wstring temporary = target + L".tmp-" + std::to_wstring(GetCurrentProcessId()) +
                                   L"-" + std::to_wstring(++counter);
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = writeAll(file, bytes) && FlushFileBuffers(file);
    CloseHandle(file);
    if (!written || !MoveFileExW(temporary.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

FileStamp fileStamp(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(nativePath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    const auto size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const auto written = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         data.ftLastWriteTime.dwLowDateTime;
    return {true, size, written * 100};
}

bool renameWithoutReplacing(std::string_view from, std::string_view to) {
    return MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(), 0) != 0;
}

}  // namespace galewarden
