#pragma once

#include <string_view>

namespace galewarden::history_schema {

// One row per warning. `last_seen` stays empty while the warning is in force: it is then the
// time of the store's last pass, which one small row holds, so an unchanged answer writes one
// row instead of thousands.
inline constexpr std::string_view kCreate = R"sql(
CREATE TABLE IF NOT EXISTS warnings(
    id INTEGER PRIMARY KEY,
    key TEXT NOT NULL,
    headline TEXT NOT NULL,
    name TEXT NOT NULL,
    colour INTEGER NOT NULL,
    type TEXT NOT NULL,
    sender TEXT NOT NULL,
    district TEXT NOT NULL,
    region TEXT NOT NULL,
    description TEXT NOT NULL,
    guidance TEXT NOT NULL,
    publish_text TEXT NOT NULL,
    publish_time INTEGER,
    source TEXT NOT NULL,
    first_seen INTEGER NOT NULL,
    last_seen INTEGER,
    ended_at INTEGER);
CREATE INDEX IF NOT EXISTS warnings_key ON warnings(key);
CREATE INDEX IF NOT EXISTS warnings_open ON warnings(ended_at) WHERE ended_at IS NULL;
CREATE TABLE IF NOT EXISTS passes(
    only INTEGER PRIMARY KEY CHECK(only = 1),
    last_pass INTEGER NOT NULL,
    last_prune INTEGER NOT NULL);
PRAGMA user_version = 1;
)sql";

inline constexpr int kVersion = 1;

// What readers select, in the order HistoryRows reads it.
inline constexpr std::string_view kColumns =
    "id, key, headline, name, colour, type, sender, district, region, publish_text, "
    "publish_time, source, first_seen, coalesce(last_seen, (SELECT last_pass FROM passes), "
    "first_seen), ended_at";
inline constexpr std::string_view kDescriptionColumn = ", description";
inline constexpr std::string_view kGuidanceColumn = ", guidance";

}  // namespace galewarden::history_schema
