#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/alerts/pictures/IconPack.h"

namespace galewarden {

// A message box or input box of the icon-pack page: texts in the program's code page, lines
// broken by "\r\n".
struct IconPackMessage {
    std::string title;
    std::string text;
    bool operator==(const IconPackMessage&) const = default;
};

// The input box of "&S.下载": its title and prompt.
IconPackMessage downloadPrompt();
// Whether a typed name is downloaded: it must be longer than one byte, so that an empty text or
// a single ASCII character does nothing.
bool isDownloadRequest(std::string_view typedName);
// What a download in its reporting form shows; nothing after a saved picture.
std::optional<IconPackMessage> downloadReport(DownloadResult result, std::string_view name);
IconPackMessage deleteQuestion(std::string_view name);
IconPackMessage deleteAllQuestion();

// The pictures in Pack as the page lists them, with the entry the user selected.
class IconPackList {
  public:
    // Reads the folder again; no entry is selected afterwards.
    void refresh();
    const std::vector<std::string>& names() const { return names_; }
    bool empty() const { return names_.empty(); }

    // −1 or a row outside the list selects nothing.
    void select(int row);
    int selectedRow() const { return selected_; }
    std::optional<std::string> selectedName() const;

  private:
    std::vector<std::string> names_;
    int selected_ = -1;
};

}  // namespace galewarden
