#include "core/history/HistoryStore.h"

#include <sqlite3.h>

#include <cstdio>

#include "core/history/HistorySchema.h"
#include "core/platform/FileSystem.h"
#include "core/platform/LocalTime.h"
#include "core/platform/ProgramPaths.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr HistoryTime kDay = 24 * 60 * 60;

bool succeeded(int rc) {
    return rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW;
}

std::string directoryOf(const std::string& path) {
    return pathText(nativePath(path).parent_path());
}

// A time for a file name: 20261211-040500.
std::string fileNameTime(HistoryTime now) {
    const LocalTime t = localTimeOf(now);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

// History.db → History-corrupt-20261211-040500.db, or with -2, -3 … when taken.
std::string asidePath(const std::string& path, HistoryTime now, int attempt) {
    const std::filesystem::path native = nativePath(path);
    std::string stem = pathText(native.stem()) + "-corrupt-" + fileNameTime(now);
    if (attempt > 1) {
        stem += "-" + std::to_string(attempt);
    }
    return pathText(native.parent_path() / nativePath(stem + pathText(native.extension())));
}

HistoryStore::InForce inForceOf(const std::vector<HistoryWarning>& warnings) {
    HistoryStore::InForce inForce;
    inForce.keys.reserve(warnings.size());
    for (const HistoryWarning& warning : warnings) {
        inForce.keys.push_back(warning.key);
    }
    inForce.warningAt = [&warnings](std::size_t i) { return warnings[i]; };
    return inForce;
}

// For a pass the file could not take now: kept whole until it can.
std::vector<HistoryWarning> wholeWarnings(const HistoryStore::InForce& inForce) {
    std::vector<HistoryWarning> warnings;
    warnings.reserve(inForce.keys.size());
    for (std::size_t i = 0; i < inForce.keys.size(); ++i) {
        warnings.push_back(inForce.warningAt(i));
    }
    return warnings;
}

}  // namespace

std::string historyPath() {
    return pathText(nativePath(dataDirectory()) / "History.db");
}

HistoryStore::HistoryStore(std::string path, int busyMilliseconds)
    : path_(std::move(path)), busyMilliseconds_(busyMilliseconds) {}

HistoryNotice HistoryStore::recordInForce(const InForce& inForce, HistoryTime now,
                                          int retentionDays) {
    return write(&inForce, now, retentionDays);
}

HistoryNotice HistoryStore::recordPass(const std::vector<HistoryWarning>& inForce, HistoryTime now,
                                       int retentionDays) {
    return recordInForce(inForceOf(inForce), now, retentionDays);
}

HistoryNotice HistoryStore::recordUnchanged(HistoryTime now, int retentionDays) {
    // A pass the file missed is written now, or the history would keep what it had before.
    if (pending_) {
        const std::vector<HistoryWarning> missed = std::move(*pending_);
        pending_.reset();
        return recordPass(missed, now, retentionDays);
    }
    return write(nullptr, now, retentionDays);
}

HistoryNotice HistoryStore::write(const InForce* inForce, HistoryTime now, int days) {
    if (off_ || days <= 0) {
        return {};
    }
    Step step = ensureOpen();
    if (step == Step::done) {
        step = transaction(inForce, now, days);
    }
    if (step == Step::corrupt) {
        const HistoryNotice notice = settle(step, now);
        if (notice.kind != HistoryNotice::Kind::renamedAside) {
            return notice;
        }
        // The pass goes into the new file at once.
        step = ensureOpen();
        if (step == Step::done) {
            step = transaction(inForce, now, days);
        }
        if (step == Step::corrupt) {
            step = Step::unwritable;  // a new file that fails too cannot be mended this run
        }
        const HistoryNotice later = settle(step, now);
        return later ? later : notice;
    }
    if (step == Step::locked && inForce != nullptr) {
        pending_ = wholeWarnings(*inForce);
    }
    return settle(step, now);
}

HistoryNotice HistoryStore::settle(Step step, HistoryTime now) {
    switch (step) {
        case Step::done:
            lockedSaid_ = false;
            return {};
        case Step::locked:
            if (lockedSaid_) {
                return {};
            }
            lockedSaid_ = true;
            return {HistoryNotice::Kind::locked, {}};
        case Step::corrupt:
            if (std::optional<std::string> aside = renameAside(now)) {
                return {HistoryNotice::Kind::renamedAside, std::move(*aside)};
            }
            break;
        case Step::unwritable:
            break;
    }
    db_.close();
    off_ = true;
    pending_.reset();
    return {HistoryNotice::Kind::turnedOff, {}};
}

HistoryStore::Step HistoryStore::ensureOpen() {
    if (db_.isOpen()) {
        return Step::done;
    }
    dataVersion_ = -1;
    const Step step = openFile();
    if (step != Step::done) {
        db_.close();
    }
    return step;
}

HistoryStore::Step HistoryStore::openFile() {
    if (!isWritableDirectory(directoryOf(path_))) {
        return Step::unwritable;
    }
    int rc = db_.open(sqlitePath(path_), SqliteConnection::Mode::create, busyMilliseconds_);
    if (rc != SQLITE_OK) {
        return rc == SQLITE_CANTOPEN ? Step::corrupt : stepFor(rc);
    }
    if (const Step wal = answered("PRAGMA journal_mode=WAL", "wal", Step::unwritable);
        wal != Step::done) {
        return wal;
    }
    if (!succeeded(rc = db_.exec("PRAGMA synchronous=NORMAL"))) {
        return stepFor(rc);
    }
    if (const Step check = answered("PRAGMA quick_check", "ok", Step::corrupt);
        check != Step::done) {
        return check;
    }
    if (db_.integerOf("PRAGMA user_version", -1) < history_schema::kVersion) {
        if (!succeeded(rc = db_.exec("BEGIN IMMEDIATE"))) {
            return stepFor(rc);
        }
        if (!succeeded(rc = db_.exec(history_schema::kCreate)) ||
            !succeeded(rc = db_.exec("COMMIT"))) {
            db_.exec("ROLLBACK");
            return stepFor(rc);
        }
    }
    return Step::done;
}

// A statement that must answer `expected`: `otherwise` when it answers something else.
HistoryStore::Step HistoryStore::answered(std::string_view sql, std::string_view expected,
                                          Step otherwise) {
    SqliteStatement statement(db_.handle(), sql);
    if (statement.step() != SQLITE_ROW) {
        return stepFor(db_.lastError());
    }
    return statement.text(0) == expected ? Step::done : otherwise;
}

HistoryStore::Step HistoryStore::stepFor(int rc) {
    switch (rc) {
        case SQLITE_OK:
        case SQLITE_DONE:
        case SQLITE_ROW:
            return Step::done;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return Step::locked;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
        case SQLITE_FORMAT:
        case SQLITE_SCHEMA:
        case SQLITE_ERROR:
        case SQLITE_MISUSE:
        case SQLITE_MISMATCH:
        case SQLITE_CONSTRAINT:
            return Step::corrupt;
        default:  // full, read-only, I/O errors: nothing this run can mend
            return Step::unwritable;
    }
}

HistoryStore::Step HistoryStore::transaction(const InForce* inForce, HistoryTime now, int days) {
    int rc = db_.exec("BEGIN IMMEDIATE");
    if (!succeeded(rc)) {
        return stepFor(rc);
    }
    Step step = Step::done;
    const std::int64_t version = db_.integerOf("PRAGMA data_version", -2);
    if (version != dataVersion_ && !loadOpenRows()) {
        step = stepFor(db_.lastError());
    }
    if (step == Step::done && inForce != nullptr) {
        step = changes(*inForce, now);
    }
    if (step == Step::done && !prune(now, days)) {
        step = stepFor(db_.lastError());
    }
    if (step == Step::done) {
        rc = db_.exec("COMMIT");
        step = stepFor(rc);
    }
    if (step != Step::done) {
        db_.exec("ROLLBACK");
        dataVersion_ = -1;
        return step;
    }
    dataVersion_ = db_.integerOf("PRAGMA data_version", -2);
    return step;
}

bool HistoryStore::loadOpenRows() {
    openRows_.clear();
    SqliteStatement rows(db_.handle(), "SELECT key, id FROM warnings WHERE ended_at IS NULL");
    int rc = SQLITE_ROW;
    while ((rc = rows.step()) == SQLITE_ROW) {
        openRows_[std::string(rows.text(0))] = OpenRow{rows.integer(1), passNumber_};
    }
    return rc == SQLITE_DONE;
}

HistoryStore::Step HistoryStore::changes(const InForce& inForce, HistoryTime now) {
    const std::int64_t previousPass =
        db_.integerOf("SELECT last_pass FROM passes WHERE only = 1", now);
    const std::uint64_t pass = ++passNumber_;
    SqliteStatement reopening(db_.handle(),
                              "UPDATE warnings SET ended_at = NULL, last_seen = NULL WHERE id = "
                              "(SELECT max(id) FROM warnings WHERE key = ?1) AND ended_at IS "
                              "NOT NULL RETURNING id");
    SqliteStatement inserting(
        db_.handle(),
        "INSERT INTO warnings(key, headline, name, colour, type, sender, district, region, "
        "description, guidance, publish_text, publish_time, source, first_seen) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14) RETURNING id");
    for (std::size_t i = 0; i < inForce.keys.size(); ++i) {
        const std::string key = utf8FromGb(inForce.keys[i]);
        const auto found = openRows_.find(key);
        if (found != openRows_.end()) {
            found->second.seenInPass = pass;
            continue;
        }
        std::int64_t rowId = reopen(reopening, key);
        if (rowId == 0) {
            rowId = insert(inserting, inForce.warningAt(i), now);
        }
        if (rowId == 0) {
            return stepFor(db_.lastError());
        }
        openRows_[key] = OpenRow{rowId, pass};
    }
    SqliteStatement end(db_.handle(),
                        "UPDATE warnings SET ended_at = ?1, last_seen = ?2 WHERE id = ?3");
    for (auto row = openRows_.begin(); row != openRows_.end();) {
        if (row->second.seenInPass == pass) {
            ++row;
            continue;
        }
        end.bind(1, now);
        end.bind(2, previousPass);
        end.bind(3, row->second.rowId);
        if (end.step() != SQLITE_DONE) {
            return stepFor(db_.lastError());
        }
        end.reset();
        row = openRows_.erase(row);
    }
    return Step::done;
}

// The warning seen again after it had ended is the same row, in force once more.
std::int64_t HistoryStore::reopen(SqliteStatement& statement, const std::string& key) {
    statement.bind(1, key);
    const std::int64_t rowId = statement.step() == SQLITE_ROW ? statement.integer(0) : 0;
    statement.reset();
    return rowId;
}

std::int64_t HistoryStore::insert(SqliteStatement& statement, const HistoryWarning& warning,
                                  HistoryTime now) {
    int index = 0;
    for (const std::string* text : {&warning.key, &warning.headline, &warning.name}) {
        statement.bind(++index, utf8FromGb(*text));
    }
    statement.bind(++index, static_cast<std::int64_t>(warning.colour));
    for (const std::string* text :
         {&warning.type, &warning.sender, &warning.district, &warning.region, &warning.description,
          &warning.guidance, &warning.publishText}) {
        statement.bind(++index, utf8FromGb(*text));
    }
    if (warning.publishTime) {
        statement.bind(++index, *warning.publishTime);
    } else {
        statement.bindNull(++index);
    }
    statement.bind(++index, utf8FromGb(warning.source));
    statement.bind(++index, now);
    const std::int64_t rowId = statement.step() == SQLITE_ROW ? statement.integer(0) : 0;
    statement.reset();
    return rowId;
}

bool HistoryStore::prune(HistoryTime now, int days) {
    SqliteStatement last(db_.handle(), "SELECT last_prune FROM passes WHERE only = 1");
    const int rc = last.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        return false;
    }
    const bool due = rc == SQLITE_DONE || now - last.integer(0) >= kPruneEvery;
    SqliteStatement pass(db_.handle(),
                         "INSERT INTO passes(only, last_pass, last_prune) VALUES(1, ?1, ?1) "
                         "ON CONFLICT(only) DO UPDATE SET last_pass = ?1, "
                         "last_prune = CASE WHEN ?2 THEN ?1 ELSE last_prune END");
    pass.bind(1, now);
    pass.bind(2, static_cast<std::int64_t>(due));
    if (pass.step() != SQLITE_DONE) {
        return false;
    }
    if (!due) {
        return true;
    }
    SqliteStatement old(db_.handle(),
                        "DELETE FROM warnings WHERE ended_at IS NOT NULL AND ended_at < ?1");
    old.bind(1, now - static_cast<HistoryTime>(days) * kDay);
    return old.step() == SQLITE_DONE;
}

std::optional<std::string> HistoryStore::renameAside(HistoryTime now) {
    db_.close();
    dataVersion_ = -1;
    openRows_.clear();
    for (int attempt = 1; attempt <= 9; ++attempt) {
        const std::string aside = asidePath(path_, now, attempt);
        if (fileExists(aside)) {
            continue;
        }
        if (renameWithoutReplacing(path_, aside)) {
            // The log belongs to the damaged file; a new file must not replay it.
            renameWithoutReplacing(path_ + "-wal", aside + "-wal");
            removeFile(path_ + "-shm");
            return pathText(nativePath(aside).filename());
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace galewarden
