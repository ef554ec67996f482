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
    const auto text = [&](int column) {
        return query.utf8Texts ? std::string(row.text(column)) : gbFromUtf8(row.text(column));
    };
    HistoryWarning warning;
    warning.rowId = row.integer(0);
    if (query.withIdentity) {
        warning.key = text(1);
        warning.region = text(8);
    }
    warning.publishText = text(9);
    warning.source = text(11);
    warning.headline = text(2);
    warning.name = text(3);
    warning.colour = static_cast<int>(row.integer(4));
    warning.type = text(5);
    warning.sender = text(6);
    warning.district = text(7);
    if (!row.isNull(10)) {
        warning.publishTime = row.integer(10);
    }
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
    // Large histories are read through the memory map instead of a read call per page.
    db_.exec("PRAGMA mmap_size = 268435456");
    // A file that is not the history yet (made by a pass just now) reads as no history.
    if (db_.integerOf("SELECT count(*) FROM sqlite_master WHERE name = 'passes'", -1) < 1) {
        db_.close();
        return Opened::noFile;
    }
    return Opened::yes;
}

std::optional<std::vector<HistoryWarning>> HistoryReader::read(const HistoryQuery& query) {
    std::vector<HistoryWarning> warnings;
    const bool read = forEach(
        query, [&](HistoryWarning&& warning) { warnings.push_back(std::move(warning)); },
        [&](std::size_t expected) { warnings.reserve(expected); });
    return read ? std::make_optional(std::move(warnings)) : std::nullopt;
}

bool HistoryReader::forEach(const HistoryQuery& query, const Visitor& visit,
                            const std::function<void(std::size_t expected)>& expected) {
    const Opened opened = open();
    if (opened != Opened::yes) {
        return opened == Opened::noFile;
    }
    const auto bindQuery = [&](SqliteStatement& statement) {
        statement.bind(1, query.from.value_or(std::numeric_limits<HistoryTime>::min()));
        statement.bind(2, query.until.value_or(std::numeric_limits<HistoryTime>::max()));
        statement.bind(3, static_cast<std::int64_t>(query.colours));
    };
    constexpr std::string_view kWhere =
        "WHERE coalesce(ended_at, ?1 + 1) > ?1 AND first_seen < ?2 AND (?3 >> colour) & 1 ";
    // One transaction, so that the count and the rows see the same file.
    db_.exec("BEGIN");
    if (expected) {
        // Row ids only grow: their span bounds the count without a walk over the rows.
        SqliteStatement count(db_.handle(),
                              "SELECT coalesce(max(id) - min(id) + 1, 0) FROM warnings");
        if (count.step() == SQLITE_ROW) {
            expected(static_cast<std::size_t>(count.integer(0)));
        }
    }
    SqliteStatement rows(
        db_.handle(), selectSql(query) + std::string(kWhere) + "ORDER BY first_seen DESC, id DESC");
    bindQuery(rows);
    int rc = SQLITE_ROW;
    while ((rc = rows.step()) == SQLITE_ROW) {
        visit(rowOf(rows, query));
    }
    db_.exec("COMMIT");
    if (rc != SQLITE_DONE) {
        db_.close();
        return false;
    }
    return true;
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
