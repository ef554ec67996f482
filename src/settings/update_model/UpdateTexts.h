#pragma once

#include <string>
#include <string_view>

#include "settings/update_model/UpdateVersionFile.h"

namespace galewarden {

// A balloon or a message box of the update check: texts in the program's code page, lines
// broken by "\r\n".
struct UpdateMessage {
    std::string title;
    std::string text;
    bool operator==(const UpdateMessage&) const = default;
};

// The settings window's version line.
std::string checkingLine();
std::string checkFailedLine();
std::string upToDateLine();
std::string newVersionLine(std::string_view version);

UpdateMessage newVersionBalloon(const PublishedVersion& published, bool important);
// Asked with OK and Cancel: OK goes on to the choice of the download.
UpdateMessage newVersionOffer(const PublishedVersion& published, bool important,
                              std::string_view archiveAddress);
// Asked with Yes (the browser), No (the program itself) and Cancel.
UpdateMessage downloadChoice();
UpdateMessage downloadDone(std::string_view savedPath);
UpdateMessage downloadFailed(std::string_view archiveAddress);

}  // namespace galewarden
