#include "core/history/HistoryReader.h"

#include <sqlite3.h>

#include <limits>

#include "core/history/HistorySchema.h"
#include "core/platform/FileSystem.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr int kReaderBusyMilliseconds = 2000;

HistoryWarning rowOf(const SqliteStatement& row, const HistoryQuery& query) {
    const auto text = [&](int column) { return gbFromUtf8(row.text(column)); };
    HistoryWarning warning;
    warning.rowId = row.integer(0);
    warning.key = text(1);
    warning.headline = text(2);
    warning.name = text(3);
    warning.colour = static_cast<int>(row.integer(4));
    warning.type = text(5);
    warning.sender = text(6);
    warning.district = text(7);
    warning.region = text(8);
    warning.publishText = text(9);
    if (!row.isNull(10)) {
        warning.publishTime = row.integer(10);
    }
    warning.source = text(11);
    warning.firstSeen = row.integer(12);
    warning.lastSeen = row.integer(13);
    if (!row.isNull(14)) {
        warning.endedAt = row.integer(14);
    }
    int column = 15;
    if (query.withDescription) {
        warning.description = text(column++);
    }
    if (query.withGuidance) {
        warning.guidance = text(column);
    }
    return warning;
}

std::string selectSql(const HistoryQuery& query) {
    std::string sql = "SELECT " + std::string(history_schema::kColumns);
    if (query.withDescription) {
        sql += history_schema::kDescriptionColumn;
    }
    if (query.withGuidance) {
        sql += history_schema::kGuidanceColumn;
    }
    return sql + " FROM warnings ";
}

}  // namespace

HistoryReader::HistoryReader(std::string path) : path_(std::move(path)) {}

HistoryReader::Opened HistoryReader::open() {
    if (db_.isOpen()) {
        return Opened::yes;
    }
    if (!fileExists(path_)) {
        return Opened::noFile;
    }
    const std::string name = sqlitePath(path_);
    if (db_.open(name, SqliteConnection::Mode::existing, kReaderBusyMilliseconds) != SQLITE_OK &&
        db_.open(name, SqliteConnection::Mode::readOnly, kReaderBusyMilliseconds) != SQLITE_OK) {
        return Opened::failed;
    }
    // A file that is not the history yet (made by a pass just now) reads as no history.
    if (db_.integerOf("SELECT count(*) FROM sqlite_master WHERE name = 'passes'", -1) < 1) {
        db_.close();
        return Opened::noFile;
    }
    return Opened::yes;
}

std::optional<std::vector<HistoryWarning>> HistoryReader::read(const HistoryQuery& query) {
    const Opened opened = open();
    if (opened != Opened::yes) {
        return opened == Opened::noFile ? std::make_optional(std::vector<HistoryWarning>{})
                                        : std::nullopt;
    }
    SqliteStatement rows(db_.handle(),
                         selectSql(query) +
                             "WHERE coalesce(ended_at, ?1 + 1) > ?1 AND first_seen < ?2 "
                             "AND (?3 >> colour) & 1 ORDER BY first_seen DESC, id DESC");
    rows.bind(1, query.from.value_or(std::numeric_limits<HistoryTime>::min()));
    rows.bind(2, query.until.value_or(std::numeric_limits<HistoryTime>::max()));
    rows.bind(3, static_cast<std::int64_t>(query.colours));
    std::vector<HistoryWarning> warnings;
    int rc = SQLITE_ROW;
    while ((rc = rows.step()) == SQLITE_ROW) {
        warnings.push_back(rowOf(rows, query));
    }
    if (rc != SQLITE_DONE) {
        db_.close();
        return std::nullopt;
    }
    return warnings;
}

std::optional<HistoryWarning> HistoryReader::warning(std::int64_t rowId) {
    if (open() != Opened::yes) {
        return std::nullopt;
    }
    const HistoryQuery everything;
    SqliteStatement row(db_.handle(), selectSql(everything) + "WHERE id = ?1");
    row.bind(1, rowId);
    if (row.step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return rowOf(row, everything);
}

}  // namespace galewarden
