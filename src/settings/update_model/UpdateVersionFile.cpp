#include "settings/update_model/UpdateVersionFile.h"

#include "core/config/IniDocument.h"

namespace galewarden {

std::string updateFolderUrl(std::string_view webHostBase) {
    return std::string(webHostBase) + "/Download/Galewarden/";
}

std::string versionFileUrl(std::string_view folderUrl, std::string_view runningVersion,
                           std::int64_t tickCount) {
    return std::string(folderUrl) + "latest.ini?v=" + std::string(runningVersion) +
           "&_=" + std::to_string(tickCount);
}

std::string archiveUrl(std::string_view folderUrl) {
    return std::string(folderUrl) + "Galewarden.zip";
}

std::optional<PublishedVersion> parseVersionFile(std::string_view bytes) {
    const IniDocument file(bytes);
    PublishedVersion found{file.read("NewVer", "Ver").value_or(""),
                           file.read("NewVer", "Important").value_or(""),
                           file.read("NewVer", "Updated").value_or("")};
    if (found.version.empty()) {
        return std::nullopt;
    }
    return found;
}

bool isImportantVersion(std::string_view important, std::string_view runningVersion) {
    // std::char_traits<char> compares as unsigned bytes, like the C library's strcmp.
    return important.compare(runningVersion) > 0;
}

}  // namespace galewarden
