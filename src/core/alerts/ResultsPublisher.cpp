#include "core/alerts/ResultsPublisher.h"

#include <array>

#include "core/alerts/RefreshState.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr std::size_t kBalloonEntries = 5;

std::string gb(const char* utf8) {
    return gbFromUtf8(utf8);
}

std::string levelWord(int highestColour) {
    static const std::array<std::string, 5> words{gb("提示信息"), gb("一般"), gb("较重"),
                                                  gb("严重"), gb("特别严重")};
    return highestColour >= 1 && highestColour <= 5
               ? words[static_cast<std::size_t>(highestColour - 1)]
               : std::string();
}

std::string balloonBody(const DisplayLists& display, bool labelUsesName) {
    std::string body;
    for (std::size_t i = 0; i < display.titles.size(); ++i) {
        if (i >= kBalloonEntries) {
            body += gb("等") + std::to_string(display.titles.size()) + gb("种预警");
            break;
        }
        body += gb("【") + (labelUsesName ? display.placeNames[i] : std::string()) +
                display.titles[i] + gb("色预警】");
    }
    return body + "\r\n" + gb("（单击托盘图标查看详细信息）");
}

std::string balloonTitle(int highestColour, int tornadoCount) {
    return levelWord(highestColour) + gb("：") +
           gb(tornadoCount > 0 ? "预警存在龙卷警报信息" : "气象灾害预警信息变更");
}

}  // namespace

const std::string& noAlertsText() {
    static const std::string text = gb("未获取到预警信息。");
    return text;
}

std::string summaryText(const PassAccumulators& acc, int tornadoCount, bool labelUsesName,
                        std::size_t displayEntries) {
    const auto count = [&](int level) { return std::to_string(acc.colourCount[level - 1]); };
    const std::string tornadoText =
        tornadoCount > 0 ? gb("（预警存在") + std::to_string(tornadoCount) + gb("龙卷警报）")
                         : std::string();
    const std::string typesText =
        labelUsesName ? std::string() : std::to_string(displayEntries) + gb("种类型的");
    return tornadoText + gb("共有") + typesText + std::to_string(acc.colouredTotal) +
           gb("个预警正生效中。") + "\r\n" + gb("蓝色预警") + count(2) + gb("个，黄色预警") +
           count(3) + gb("个，橙色预警") + count(4) + gb("个，红色预警") + count(5) + gb("个。");
}

RefreshResult publishResults(PassAccumulators& acc, RefreshState& state, int intervalSeconds,
                             bool notice) {
    RefreshResult result;
    result.anyKept = acc.anyKept;
    result.highestColour = state.highestColour.load();
    result.tornadoCount = state.tornadoCount.load();
    result.cycleIntervalMs = intervalSeconds * 1000;
    result.detailsText = acc.anyKept ? acc.detailsText : noAlertsText();
    state.hasAlerts = acc.anyKept;
    {
        std::lock_guard lock(state.displayLock);
        if (result.highestColour >= 1 && !state.display.titles.empty() && notice) {
            result.balloonTitle = balloonTitle(result.highestColour, result.tornadoCount);
            result.balloonBody = balloonBody(state.display, state.labelUsesName);
        }
    }
    result.alertList =
        acc.alertList.empty() ? std::string("var Alerts = new Array();") : acc.alertList + ");";
    result.kept = std::move(acc.kept);
    return result;
}

}  // namespace galewarden
