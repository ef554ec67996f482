#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace galewarden {

// A path of the program (GB18030) as SQLite takes it (UTF-8).
std::string sqlitePath(std::string_view path);

// One prepared statement. Texts go in and come out as SQLite holds them (UTF-8). Result codes
// are SQLite's primary codes; nothing throws.
class SqliteStatement {
  public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool ready() const { return statement_ != nullptr; }
    // Columns and parameters count from 1 for binds and from 0 for results, as in SQLite.
    void bind(int index, std::int64_t value);
    void bind(int index, std::string_view utf8);
    void bindNull(int index);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Ready for the next binds and steps.
    void reset();

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    std::string_view text(int column) const;

  private:
    sqlite3_stmt* statement_ = nullptr;
};

// One connection to a database file, closed on destruction.
class SqliteConnection {
  public:
    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    enum class Mode { create, existing, readOnly };

    // The path is UTF-8. SQLITE_OK or the primary error code; closed again on failure.
    int open(const std::string& utf8Path, Mode mode, int busyMilliseconds);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // Runs statements without results; SQLITE_OK or the primary error code.
    int exec(std::string_view sql);
    // The first column of the first row as text; empty when none or on error.
    std::string textOf(std::string_view sql);
    std::int64_t integerOf(std::string_view sql, std::int64_t otherwise = 0);
    // The primary code of the connection's last failure.
    int lastError() const;

  private:
    sqlite3* db_ = nullptr;
};

}  // namespace galewarden
