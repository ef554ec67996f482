#include <windows.h>

#include <string>

#include "core/platform/FileSystem.h"
#include "core/platform/win32/WideText.h"

namespace galewarden {
namespace {

std::wstring wideFromGb(std::string_view text) {
    return wideFrom(text, kGb18030CodePage);
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

}  // namespace

std::filesystem::path nativePath(std::string_view path) {
    return std::filesystem::path(wideFromGb(path));
}

std::string pathText(const std::filesystem::path& path) {
    return gbFromWide(path.native());
}

// Access checks lie under folder virtualisation and inherited ACLs: only a file made and gone
// again tells.
bool isWritableDirectory(std::string_view path) {
    const std::wstring probe = nativePath(path).wstring() + L"\\.galewarden-write-probe-" +
                               std::to_wstring(GetCurrentProcessId());
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
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
    const auto created = (static_cast<std::int64_t>(data.ftCreationTime.dwHighDateTime) << 32) |
                         data.ftCreationTime.dwLowDateTime;
    // File times count 100 ns from 1601; stamps count nanoseconds from 1970, as on POSIX. A
    // file that replaced another by a rename has a creation time of its own.
    constexpr std::int64_t kFrom1601To1970 = 116'444'736'000'000'000;
    return {true, size, (written - kFrom1601To1970) * 100, (created - kFrom1601To1970) * 100, 0, 0};
}

bool renameWithoutReplacing(std::string_view from, std::string_view to) {
    return MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(), 0) != 0;
}

}  // namespace galewarden
