#include "core/history/SqliteConnection.h"

#include <sqlite3.h>

#include "core/platform/FileSystem.h"

namespace galewarden {

std::string sqlitePath(std::string_view path) {
    const std::u8string name = nativePath(path).u8string();
    return std::string(name.begin(), name.end());
}

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) {
    if (db != nullptr &&
        sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                           &statement_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

void SqliteStatement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
}

void SqliteStatement::bind(int index, std::string_view utf8) {
    sqlite3_bind_text64(statement_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void SqliteStatement::bindNull(int index) {
    sqlite3_bind_null(statement_, index);
}

int SqliteStatement::step() {
    if (statement_ == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_step(statement_) & 0xFF;
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string_view SqliteStatement::text(int column) const {
    const auto* bytes = sqlite3_column_text(statement_, column);
    if (bytes == nullptr) {
        return {};
    }
    return {reinterpret_cast<const char*>(bytes),
            static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))};
}

SqliteConnection::~SqliteConnection() {
    close();
}

int SqliteConnection::open(const std::string& utf8Path, Mode mode, int busyMilliseconds) {
    close();
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
        case Mode::create:
            flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
            break;
        case Mode::existing:
            flags |= SQLITE_OPEN_READWRITE;
            break;
        case Mode::readOnly:
            flags |= SQLITE_OPEN_READONLY;
            break;
    }
    const int rc = sqlite3_open_v2(utf8Path.c_str(), &db_, flags, nullptr) & 0xFF;
    if (rc != SQLITE_OK) {
        close();
        return rc;
    }
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, busyMilliseconds);
    return SQLITE_OK;
}

void SqliteConnection::close() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

int SqliteConnection::exec(std::string_view sql) {
    if (db_ == nullptr) {
        return SQLITE_MISUSE;
    }
    const std::string text(sql);
    return sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr) & 0xFF;
}

std::string SqliteConnection::textOf(std::string_view sql) {
    SqliteStatement statement(db_, sql);
    return statement.step() == SQLITE_ROW ? std::string(statement.text(0)) : std::string();
}

std::int64_t SqliteConnection::integerOf(std::string_view sql, std::int64_t otherwise) {
    SqliteStatement statement(db_, sql);
    return statement.step() == SQLITE_ROW ? statement.integer(0) : otherwise;
}

int SqliteConnection::lastError() const {
    return db_ == nullptr ? SQLITE_CANTOPEN : sqlite3_errcode(db_) & 0xFF;
}

}  // namespace galewarden
