#include "app/CrashLoopGuard.h"

#include <limits>

namespace galewarden {

std::optional<std::int64_t> crashMomentFromText(std::string_view text) {
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t moment = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || moment > kLimit) {
            return std::nullopt;
        }
        moment = moment * 10 + (c - '0');
    }
    return moment;
}

// A previous crash "later" than this one belongs to another clock: no loop can be proved.
AfterCrash afterCrash(bool firstCycleDone, std::optional<std::int64_t> previousCrash,
                      std::int64_t crash) {
    if (!firstCycleDone) {
        return AfterCrash::firstMonitoringFailed;
    }
    const bool loop =
        previousCrash && crash >= *previousCrash && crash - *previousCrash < kCrashLoopMilliseconds;
    return loop ? AfterCrash::crashedRepeatedly : AfterCrash::restart;
}

std::string_view afterCrashMessage(AfterCrash after) {
    switch (after) {
        case AfterCrash::firstMonitoringFailed:
            return "软件首次监测预警时出错，请检查软件工作环境及配置文件。";
        case AfterCrash::crashedRepeatedly:
            return "软件在重新启动后一分钟内再次出错，已停止自动重新启动，预警监测已中断。"
                   "请检查软件工作环境及配置文件后手动启动软件。";
        case AfterCrash::restart:
            break;
    }
    return {};
}

}  // namespace galewarden
