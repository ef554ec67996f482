#include "core/platform/FileSystem.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace galewarden {

FileState readFile(std::string_view path, std::string& bytes) {
    bytes.clear();
    const std::filesystem::path native = nativePath(path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(native, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return FileState::Missing;
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        return FileState::Unreadable;
    }
    try {
        std::ifstream in(native, std::ios::binary);
        const std::uintmax_t size = std::filesystem::file_size(native, error);
        if (!in || error) {
            return FileState::Unreadable;
        }
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        // A file that grew while it was read: take the rest as well.
        bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) {
            bytes.clear();
            return FileState::Unreadable;
        }
    } catch (const std::exception&) {
        bytes.clear();
        return FileState::Unreadable;
    }
    return FileState::Read;
}

std::string resolvedPath(std::string_view path) {
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(nativePath(path), error);
    return error || resolved.empty() ? std::string(path) : pathText(resolved);
}

bool fileExists(std::string_view path) {
    std::error_code error;
    return std::filesystem::exists(nativePath(path), error);
}

std::int64_t fileSize(std::string_view path) {
    std::error_code error;
    const std::filesystem::path native = nativePath(path);
    if (!std::filesystem::is_regular_file(native, error)) {
        return -1;
    }
    const auto size = std::filesystem::file_size(native, error);
    return error ? -1 : static_cast<std::int64_t>(size);
}

bool createDirectory(std::string_view path) {
    std::error_code error;
    std::filesystem::create_directories(nativePath(path), error);
    return std::filesystem::is_directory(nativePath(path), error);
}

bool isDirectory(std::string_view path) {
    std::error_code error;
    return std::filesystem::is_directory(nativePath(path), error);
}

bool removeFile(std::string_view path) {
    std::error_code error;
    return std::filesystem::remove(nativePath(path), error);
}

}  // namespace galewarden
