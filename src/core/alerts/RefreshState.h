#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace galewarden {

// The status line at the bottom of the details window: black for progress and results, red
// after a failed download or an unusable answer.
struct StatusLine {
    std::string text;
    bool error = false;
};

// Parallel lists of what the icon window cycles through: entry i of each belongs together.
struct DisplayLists {
    std::vector<std::string> icons;       // PNG bytes
    std::vector<std::string> titles;      // signal names
    std::vector<std::string> placeNames;  // regions
};

// The state shared by the refresh worker and the interface thread for the whole process.
// One object, owned by the application and handed to whoever needs it.
class RefreshState {
  public:
    // Guards `display`, `labelText`, `labelUsesName` and the detail pictures of the window.
    std::recursive_mutex displayLock;
    DisplayLists display;
    std::string labelText;
    bool labelUsesName = false;

    std::atomic<int> highestColour{0};
    std::atomic<int> tornadoCount{0};
    std::atomic<bool> animate{false};
    std::atomic<bool> settingsChanged{false};
    std::atomic<bool> firstCycleDone{false};

    // The four conditions whose conjunction shows the icon window.
    std::atomic<bool> hasAlerts{false};
    std::atomic<bool> notSuppressed{false};
    std::atomic<bool> fullScreenClear{false};
    std::atomic<bool> colourShown{false};

    // Texts the worker writes and the interface reads, copied under their own lock.
    StatusLine status() const;
    void setStatus(StatusLine status);
    // The last downloaded answer in the escaped ASCII form ("\uXXXX"), made from its bytes
    // only when someone asks: most passes never need it.
    std::string responseText() const;
    void setResponseBytes(std::shared_ptr<const std::string> utf8);
    std::string unexpectedDataText() const;
    void setUnexpectedDataText(std::string text);

    // Worker-only: the last processed answer, for the unchanged test. Answers run to megabytes,
    // so this and the last downloaded one share their bytes.
    std::shared_ptr<const std::string> previousResponse;

  private:
    mutable std::mutex textLock_;
    StatusLine status_;
    std::shared_ptr<const std::string> responseBytes_;
    std::string unexpectedDataText_;
};

}  // namespace galewarden
