#pragma once

#include <string>
#include <vector>

#include "core/history/HistoryWarning.h"
#include "support/TestHome.h"

namespace galewarden::test {

// A warning as a pass hands it in, told apart by its key.
inline HistoryWarning warningFor(const std::string& key, int colour = 2) {
    HistoryWarning warning;
    warning.key = key;
    warning.headline = gb("北京市气象台发布暴雨蓝色预警信号") + key;
    warning.name = gb("暴雨蓝色预警");
    warning.colour = colour;
    warning.type = gb("暴雨");
    warning.sender = gb("北京市气象台");
    warning.district = gb("北京市");
    warning.region = gb("北京市");
    warning.description = gb("预计未来六小时内有大雨。") + key;
    warning.guidance = gb("1. 注意防范。");
    warning.publishText = "2026/07/01 08:00:00";
    warning.publishTime = 1782864000;
    warning.source = "vendor";
    return warning;
}

inline std::vector<HistoryWarning> warningsFor(const std::vector<std::string>& keys) {
    std::vector<HistoryWarning> warnings;
    for (const std::string& key : keys) {
        warnings.push_back(warningFor(key));
    }
    return warnings;
}

}  // namespace galewarden::test
