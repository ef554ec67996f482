#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace galewarden::alertservice {

// Seconds since 1970-01-01 00:00 UTC of a publication time in one of the forms the feeds use:
// 13-digit milliseconds, 10-digit seconds, "2026/10/06 20:28", "2026-10-06 21:29:27" (both
// Beijing time) or ISO 8601 with "T" and an optional zone. nullopt for anything else.
std::optional<std::int64_t> publishInstant(std::string_view text);

}  // namespace galewarden::alertservice
