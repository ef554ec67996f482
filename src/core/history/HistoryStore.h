#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/history/HistoryNotice.h"
#include "core/history/HistoryWarning.h"
#include "core/history/SqliteConnection.h"

namespace galewarden {

// The history file in the program's data directory.
std::string historyPath();

// Writes the warnings of each pass into the history file, on the thread that runs the passes.
// Every write is one transaction. Nothing here stops a pass: a corrupt file is renamed aside and
// a new one started, a locked one is tried again at the next pass, a full disk or a read-only
// directory turns the history off until the program ends. Each of these is reported once, as
// a notice for the status line.
class HistoryStore {
  public:
    static constexpr int kDefaultBusyMilliseconds = 1000;
    static constexpr HistoryTime kPruneEvery = 24 * 60 * 60;

    explicit HistoryStore(std::string path, int busyMilliseconds = kDefaultBusyMilliseconds);

    // The warnings in force by their keys. Most were in force before and need nothing but
    // their key; `warningAt(i)` makes the whole warning i (texts, no times) only for one the
    // file does not hold in force.
    struct InForce {
        std::vector<std::string> keys;
        std::function<HistoryWarning(std::size_t)> warningAt;
    };

    // A processed pass: the warnings in force now (the store sets the times). Those in force
    // before and missing now end at `now`. `retentionDays` 0 writes nothing.
    HistoryNotice recordInForce(const InForce& inForce, HistoryTime now, int retentionDays);
    // The same with every warning whole.
    HistoryNotice recordPass(const std::vector<HistoryWarning>& inForce, HistoryTime now,
                             int retentionDays);
    // An unchanged answer: the warnings in force were seen again at `now`.
    HistoryNotice recordUnchanged(HistoryTime now, int retentionDays);

    bool turnedOff() const { return off_; }
    const std::string& path() const { return path_; }

  private:
    struct OpenRow {
        std::int64_t rowId = 0;
        std::uint64_t seenInPass = 0;
    };
    enum class Step { done, locked, corrupt, unwritable };

    HistoryNotice write(const InForce* inForce, HistoryTime now, int days);
    Step ensureOpen();
    Step openFile();
    Step answered(std::string_view sql, std::string_view expected, Step otherwise);
    Step transaction(const InForce* inForce, HistoryTime now, int days);
    Step changes(const InForce& inForce, HistoryTime now);
    bool loadOpenRows();
    std::int64_t insert(SqliteStatement& statement, const HistoryWarning& warning, HistoryTime now);
    // The row id of the warning in force again; 0 when it never ended before.
    std::int64_t reopen(SqliteStatement& statement, const std::string& key);
    bool prune(HistoryTime now, int days);
    std::optional<std::string> renameAside(HistoryTime now);
    HistoryNotice settle(Step step, HistoryTime now);
    static Step stepFor(int rc);

    std::string path_;
    int busyMilliseconds_;
    SqliteConnection db_;
    bool off_ = false;
    bool lockedSaid_ = false;
    std::int64_t dataVersion_ = -1;  // of the open rows below; -1: not loaded
    std::unordered_map<std::string, OpenRow> openRows_;
    std::uint64_t passNumber_ = 0;
    // A pass the file could not take, written with the next one that can.
    std::optional<std::vector<HistoryWarning>> pending_;
    std::string asideName_;
};

}  // namespace galewarden
