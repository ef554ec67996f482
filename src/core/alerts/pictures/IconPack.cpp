#include "core/alerts/pictures/IconPack.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <random>
#include <system_error>

#include <galewarden/Version.h>

#include "core/alerts/classify/SignalColour.h"
#include "core/alerts/pictures/BuiltinPictures.h"
#include "core/alerts/pictures/PngImage.h"
#include "core/config/ConfigStore.h"
#include "core/net/HttpClient.h"
#include "core/net/HttpText.h"
#include "core/platform/FileSystem.h"
#include "core/platform/ProgramPaths.h"
#include "core/text/CodePage.h"
#include "core/text/Md5.h"

namespace galewarden {
namespace {

std::string packDirectory() {
    return dataDirectory() + "/Pack";
}

bool isForbiddenInFileName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F ||
           std::string_view("/\\<>:\"|?*").find(c) != std::string_view::npos;
}

// Signal names come from the server: refuse whatever could leave Pack, what some file system
// cannot store (Windows also forbids < > : " | ? * and a trailing dot or space), and bytes
// that are not GB18030, whose file name would not be the name.
bool isPlainFileName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    const std::string utf8 = utf8FromGb(name);
    if (gbFromUtf8(utf8) != name || utf8.find("..") != std::string::npos || utf8.back() == '.' ||
        utf8.back() == ' ') {
        return false;
    }
    return std::none_of(utf8.begin(), utf8.end(), isForbiddenInFileName);
}

// "*.png" as Windows matches it: the extension in any letter case.
bool isPictureFileName(const std::string& name) {
    constexpr std::string_view kExtension = ".png";
    if (name.size() < kExtension.size()) {
        return false;
    }
    const std::string_view tail = std::string_view(name).substr(name.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// The regular files Pack/*.png, in the order the file system lists them.
std::vector<std::filesystem::path> storedPictureFiles() {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    std::filesystem::directory_iterator entry(nativePath(packDirectory()), error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code typeError;
        if (entry->is_regular_file(typeError) &&
            isPictureFileName(pathText(entry->path().filename()))) {
            files.push_back(entry->path());
        }
    }
    return files;
}

// The bytes of a picture file; empty when it is missing, unreadable, empty or no regular file.
std::string storedPicture(const std::string& path) {
    std::string bytes;
    if (fileSize(path) > 0) {
        readFile(path, bytes);
    }
    return bytes;
}

std::string uniqueTemporaryPath() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        return {};
    }
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const std::string name = "galewarden-pack-" + std::to_string(random()) + "-" +
                             std::to_string(random()) + "-" + std::to_string(++counter) + ".png";
    return pathText(folder / name);
}

// A download's own file in the system's temporary folder, gone again once the download ends.
class TemporaryFile {
  public:
    TemporaryFile() : path_(uniqueTemporaryPath()) {}
    ~TemporaryFile() {
        if (!path_.empty()) {
            removeFile(path_);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Stores the bytes and gives back what the file then holds; empty when either fails.
    std::string storeAndReload(std::string_view bytes) const {
        if (path_.empty() || !createScratchFile(path_, bytes)) {
            return {};
        }
        return storedPicture(path_);
    }

  private:
    std::string path_;
};

}  // namespace

IconPack::IconPack(const ConfigStore& store, const HttpClient& http) : store_(store), http_(http) {}

std::string IconPack::pictureFor(std::string_view signalName, std::stop_token stop) const {
    const int colour = colourLevel(colourCharacterOf(signalName));
    if (colour == 0) {
        return builtinPicture(0);
    }
    const std::string path = picturePath(signalName);
    if (path.empty()) {
        return builtinPicture(colour);
    }
    if (std::string bytes = storedPicture(path); !bytes.empty()) {
        return bytes;
    }
    createDirectory(packDirectory());
    if (store_.readFlag(keys::kSignAuto)) {
        (void)download(signalName, stop);  // what is stored decides, below
    }
    // Read whatever is there now: another download of the same name may have succeeded.
    std::string bytes = storedPicture(path);
    return bytes.empty() ? builtinPicture(colour) : bytes;
}

DownloadResult IconPack::download(std::string_view signalName, std::stop_token stop) const {
    const std::string target = picturePath(signalName);
    if (target.empty()) {
        return DownloadResult::SaveFailed;
    }
    if (stop.stop_requested()) {
        return DownloadResult::NotAPicture;
    }
    const std::string answer = http_.fetch(downloadUrl(signalName), stop);
    // A stopped transfer may have ended early; never take part of a picture.
    if (stop.stop_requested()) {
        return DownloadResult::NotAPicture;
    }
    const std::string picture = TemporaryFile().storeAndReload(answer);
    if (!isLoadablePicture(picture)) {
        return DownloadResult::NotAPicture;
    }
    createDirectory(packDirectory());
    return replaceFile(target, picture) ? DownloadResult::Saved : DownloadResult::SaveFailed;
}

std::string IconPack::picturePath(std::string_view signalName) {
    if (!isPlainFileName(signalName)) {
        return {};
    }
    return packDirectory() + "/" + std::string(signalName) + ".png";
}

std::string IconPack::downloadUrl(std::string_view signalName) const {
    return store_.read(keys::kSignUrl) + "/" + md5Hex(signalName) +
           ".png?n=" + urlEncode(utf8FromGb(signalName), true) + "&v=" + kVersionText;
}

std::vector<std::string> IconPack::storedNames() {
    std::vector<std::string> names;
    for (const std::filesystem::path& file : storedPictureFiles()) {
        const std::string fileName = pathText(file.filename());
        std::string name = fileName.substr(0, fileName.size() - 4);
        if (!picturePath(name).empty()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

std::string IconPack::storedPath(std::string_view signalName) {
    const std::string path = picturePath(signalName);
    if (path.empty() || fileSize(path) >= 0) {
        return path;
    }
    for (const std::filesystem::path& file : storedPictureFiles()) {
        const std::string fileName = pathText(file.filename());
        if (std::string_view(fileName).substr(0, fileName.size() - 4) == signalName) {
            return pathText(file);
        }
    }
    return {};
}

bool IconPack::remove(std::string_view signalName) {
    const std::string path = storedPath(signalName);
    return !path.empty() && removeFile(path);
}

int IconPack::removeAll() {
    int removed = 0;
    for (const std::filesystem::path& file : storedPictureFiles()) {
        std::error_code error;
        removed += std::filesystem::remove(file, error) ? 1 : 0;
    }
    return removed;
}

}  // namespace galewarden
