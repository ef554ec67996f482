#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/history/HistoryWarning.h"
#include "core/history/SqliteConnection.h"

namespace galewarden {

// Which warnings a read returns: those in force at some moment of [from, until).
struct HistoryQuery {
    std::optional<HistoryTime> from;
    std::optional<HistoryTime> until;
    unsigned colours = (1u << kHistoryColours) - 1;  // bit n: colour n
    bool withDescription = true;
    bool withIdentity = true;  // key and region
    // Texts as the file holds them, UTF-8, for output that goes straight out; else GB18030.
    bool utf8Texts = false;
    bool withGuidance = true;
};

// Reads the history file, newest first, beside a pass that may be writing it.
class HistoryReader {
  public:
    explicit HistoryReader(std::string path);

    // Empty when there is no history yet; nullopt when the file cannot be read.
    std::optional<std::vector<HistoryWarning>> read(const HistoryQuery& query);
    // The same warnings one at a time, none of them kept; false when the file cannot be read.
    // `expected` first hears how many there may be at most.
    using Visitor = std::function<void(HistoryWarning&&)>;
    bool forEach(const HistoryQuery& query, const Visitor& visit,
                 const std::function<void(std::size_t expected)>& expected = {});
    // One warning with its texts; nullopt when it is not there.
    std::optional<HistoryWarning> warning(std::int64_t rowId);

  private:
    enum class Opened { yes, noFile, failed };
    Opened open();

    std::string path_;
    SqliteConnection db_;
};

}  // namespace galewarden
