#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace galewarden {

// Paths are texts in the program's code page (GB18030); they become the file system's own
// names only here.
std::filesystem::path nativePath(std::string_view path);
std::string pathText(const std::filesystem::path& path);

enum class FileState { Read, Missing, Unreadable };

// Reads the whole file. `bytes` is emptied unless the state is Read.
FileState readFile(std::string_view path, std::string& bytes);

// Writes a temporary file beside the target, flushes it and renames it over the target, so
// that the target is either the old or the new content, never a truncated one. A link stays a
// link: the file at the end of its chain is replaced. The file keeps its owner and mode.
// False, the file untouched, when the user may not write it or it carries no write bit at
// all. Where no new file can take its place (the folder is not writable, or its owner cannot
// be kept), the file is rewritten in place instead.
bool replaceFile(std::string_view path, std::string_view bytes);

// Writes a file that does not exist yet (a link in its place counts as existing), without
// flushing it to the disk: for scratch files that live only as long as the process needs them.
// False, and no file left, when it cannot.
bool createScratchFile(std::string_view path, std::string_view bytes);

// Removes the temporary files beside the target that writers of replaceFile left when they
// died before their rename. Only for a caller that knows no other writer is at work on the
// file, because it holds a lock every writer of the file takes.
void removeReplacementLeftovers(std::string_view path);

bool fileExists(std::string_view path);

// The path with every link resolved that exists so far, made absolute; the path itself when
// that fails. Two names of one file give one resolved path.
std::string resolvedPath(std::string_view path);

// What tells one version of a file from another without reading it, in one system call.
// A file replaced by a rename has another identity even when size and times match.
struct FileStamp {
    bool regularFile = false;
    std::int64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedNanoseconds = 0;
    std::uint64_t device = 0;
    std::uint64_t identity = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp fileStamp(std::string_view path);
// Size in bytes; −1 when the file is missing or not a regular file.
std::int64_t fileSize(std::string_view path);
bool createDirectory(std::string_view path);
bool isDirectory(std::string_view path);
// Whether this process may create files in the directory.
bool isWritableDirectory(std::string_view path);
bool removeFile(std::string_view path);
// Renames, failing when the target already exists.
bool renameWithoutReplacing(std::string_view from, std::string_view to);

}  // namespace galewarden
