#pragma once

// A history file of many warnings for the benchmarks: passes of 3,000 warnings each, every
// pass ending the one before, the last of them in force now.

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "core/history/HistoryStore.h"
#include "core/text/CodePage.h"

namespace galewarden::bench {

constexpr int kPassWarnings = 3000;

inline std::vector<HistoryWarning> passWarnings(int pass, int count = kPassWarnings) {
    static const std::array<const char*, 8> types{"暴雨", "大风", "高温", "寒潮",
                                                  "大雾", "雷电", "冰雹", "道路结冰"};
    static const std::array<const char*, 5> colours{"白", "蓝", "黄", "橙", "红"};
    std::vector<HistoryWarning> warnings;
    warnings.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string type = types[static_cast<std::size_t>(i % 8)];
        const std::string colour = colours[static_cast<std::size_t>(i % 5)];
        const std::string district = "第" + std::to_string(i % 200) + "县";
        HistoryWarning w;
        w.key = gbFromUtf8(district + "\x1f" + type + "\x1f") + std::to_string(pass) + "-" +
                std::to_string(i);
        w.headline = gbFromUtf8(district + "气象台发布" + type + colour + "色预警信号");
        w.name = gbFromUtf8(type + colour + "色预警");
        w.colour = i % 5 + 1;
        w.type = gbFromUtf8(type);
        w.sender = gbFromUtf8(district + "气象台");
        w.district = gbFromUtf8(district);
        w.region = w.district;
        w.description = gbFromUtf8(district + "气象台发布" + type + colour +
                                   "色预警信号：预计未来12小时内将出现" + type +
                                   "天气，请注意防范，减少户外活动，关注最新预报。");
        w.guidance = gbFromUtf8("1. 政府及相关部门按照职责做好防御准备工作；2. 注意防范。");
        w.publishText = "2026/07/01 08:00:00";
        w.publishTime = 1782864000;
        w.source = "vendor";
        warnings.push_back(std::move(w));
    }
    return warnings;
}

inline HistoryTime secondsNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// About `rows` warnings, the passes 4 hours apart up to now.
inline void seedHistory(const std::string& path, int rows) {
    HistoryStore store(path);
    const int passes = (rows + kPassWarnings - 1) / kPassWarnings;
    const HistoryTime now = secondsNow();
    for (int pass = 0; pass < passes; ++pass) {
        (void)store.recordPass(passWarnings(pass), now - (passes - 1 - pass) * 4 * 3600, 400);
    }
}

}  // namespace galewarden::bench
