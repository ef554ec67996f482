#include <windows.h>

#include <algorithm>
#include <string>

#include "core/platform/FileSystem.h"
#include "core/platform/TemporarySiblings.h"

namespace galewarden {
namespace {

// The file a chain of links or junctions finally names. A link to a missing file cannot be
// opened to ask, so it is replaced itself.
std::filesystem::path finalTarget(const std::filesystem::path& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return path;
    }
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring name(MAX_PATH, L'\0');
    DWORD length =
        GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), kFlags);
    if (length >= name.size()) {  // too small: the length asked for counts the terminator
        name.resize(length);
        length = GetFinalPathNameByHandleW(file, name.data(), length, kFlags);
    }
    CloseHandle(file);
    if (length == 0 || length >= name.size()) {
        return path;
    }
    name.resize(length);
    return std::filesystem::path(name);
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

// ReplaceFileW carries the old file's attributes, security and creation time over to the new.
bool putInPlace(const std::wstring& temporary, const std::wstring& target, bool existing) {
    if (existing) {
        return ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    }
    return MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

enum class Beside { Replaced, NotHere, Failed };

// NotHere: the folder takes no new file.
Beside replaceFromBeside(const std::wstring& target, std::string_view bytes, bool existing) {
    const std::wstring temporary = temporarySiblingOf(target, GetCurrentProcessId()).native();
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_ACCESS_DENIED ? Beside::NotHere : Beside::Failed;
    }
    const bool written = writeAll(file, bytes) && FlushFileBuffers(file);
    CloseHandle(file);
    if (written && putInPlace(temporary, target, existing)) {
        return Beside::Replaced;
    }
    DeleteFileW(temporary.c_str());
    return Beside::Failed;
}

// Not atomic: a reader may see the file half written and a failure part-way leaves it damaged,
// so this is only the way out when no new file can take its place.
bool rewriteInPlace(const std::wstring& target, std::string_view bytes) {
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = writeAll(file, bytes) && SetEndOfFile(file) && FlushFileBuffers(file);
    CloseHandle(file);
    return written;
}

}  // namespace

bool createScratchFile(std::string_view path, std::string_view bytes) {
    const std::wstring target = nativePath(path).native();
    const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = writeAll(file, bytes);
    if (CloseHandle(file) && written) {
        return true;
    }
    DeleteFileW(target.c_str());
    return false;
}

bool replaceFile(std::string_view path, std::string_view bytes) {
    const std::wstring target = finalTarget(nativePath(path)).native();
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_FILE_NOT_FOUND &&
               replaceFromBeside(target, bytes, false) == Beside::Replaced;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return false;
    }
    switch (replaceFromBeside(target, bytes, true)) {
        case Beside::Replaced:
            return true;
        case Beside::NotHere:
            return rewriteInPlace(target, bytes);
        case Beside::Failed:
            break;
    }
    return false;
}

void removeReplacementLeftovers(std::string_view path) {
    removeTemporarySiblingsOf(finalTarget(nativePath(path)));
}

}  // namespace galewarden
