#pragma once

#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

class ConfigStore;
class HttpClient;

// What became of a download. A caller that reports failures shows "下载失败" for NotAPicture
// (nothing usable arrived, or the download was stopped) and "保存失败" for SaveFailed (the
// picture could not be stored under this name).
enum class DownloadResult { Saved, NotAPicture, SaveFailed };

// The signal pictures: one PNG per signal name in the folder Pack of the program directory,
// downloaded on demand, with built-in pictures when no file can be had. Names come from the
// server, so a name that could leave Pack or that the file system cannot store is never made
// into a path.
class IconPack {
  public:
    IconPack(const ConfigStore& store, const HttpClient& http);

    // PNG bytes to show for a signal name (never empty: falls back to a built-in picture).
    std::string pictureFor(std::string_view signalName, std::stop_token stop = {}) const;

    [[nodiscard]] DownloadResult download(std::string_view signalName,
                                          std::stop_token stop = {}) const;

    // dataDirectory() + "/Pack/" + name + ".png"; empty for a name that is not a plain,
    // storable file name.
    static std::string picturePath(std::string_view signalName);

    std::string downloadUrl(std::string_view signalName) const;

    // The names of the files Pack/*.png (the extension in any case), in the order the file
    // system lists them; a file whose name picturePath would refuse is left out.
    static std::vector<std::string> storedNames();
    // The file of a listed name: Pack/name.png, or where that is missing a file whose
    // extension differs from it only in case (one a case-sensitive file system keeps apart).
    // Empty when the name is refused or no such file exists.
    static std::string storedPath(std::string_view signalName);
    // Deletes the file storedPath names; false when there is none or it could not be deleted.
    static bool remove(std::string_view signalName);
    // Deletes every file Pack/*.png, whatever its name; the count deleted.
    static int removeAll();

  private:
    const ConfigStore& store_;
    const HttpClient& http_;
};

}  // namespace galewarden
