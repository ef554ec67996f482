#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace galewarden {

// What the version file on the web host announces, in the program's code page.
struct PublishedVersion {
    std::string version;    // [NewVer] Ver, never empty
    std::string important;  // [NewVer] Important
    std::string updated;    // [NewVer] Updated, a free text
};

// The folder of the version file and the archive, with its trailing slash.
std::string updateFolderUrl(std::string_view webHostBase);
// The version file, its query making every request distinct for caches on the way.
std::string versionFileUrl(std::string_view folderUrl, std::string_view runningVersion,
                           std::int64_t tickCount);
std::string archiveUrl(std::string_view folderUrl);

// Nothing when the answer names no version: no [NewVer] Ver, an error page, an empty or a cut
// answer alike.
std::optional<PublishedVersion> parseVersionFile(std::string_view bytes);

// Whether `important` sorts after the running version, byte by byte as plain texts, so that
// 1.0.10.0 is not after 1.0.9.4.
bool isImportantVersion(std::string_view important, std::string_view runningVersion);

}  // namespace galewarden
