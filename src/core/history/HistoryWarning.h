#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace galewarden {

// Seconds since 1970-01-01 00:00 UTC.
using HistoryTime = std::int64_t;

// Signal colours as the history keeps them: 0 none, 1 白 … 5 红.
inline constexpr int kHistoryColours = 6;

// One warning of the history (texts in GB18030). A pass hands in what it keeps; the store adds
// the times it was seen.
struct HistoryWarning {
    std::int64_t rowId = 0;
    // The warning's identity: region, type and the source's id, the same warning from pass
    // to pass.
    std::string key;
    std::string headline;  // as the source gave it
    std::string name;      // 暴雨蓝色预警
    int colour = 0;
    std::string type;  // 暴雨
    std::string sender;
    std::string district;  // the watched district the headline matched
    std::string region;
    std::string description;
    std::string guidance;
    std::string publishText;  // "2024/09/01 08:05:00" (Beijing time)
    std::optional<HistoryTime> publishTime;
    std::string source;
    HistoryTime firstSeen = 0;
    HistoryTime lastSeen = 0;
    // The pass in which it was gone from the answer or lifted; none while in force.
    std::optional<HistoryTime> endedAt;

    bool inForce() const { return !endedAt.has_value(); }
};

}  // namespace galewarden
