#include "core/alerts/RefreshResultBuilder.h"

#include "core/alerts/LabelSettings.h"
#include "core/alerts/TimerInterval.h"
#include "core/alerts/classify/SignalColour.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

constexpr std::size_t kBalloonEntries = 5;

std::string balloonBody(const DisplaySnapshot& display) {
    std::string body;
    const std::vector<DisplayEntry>& entries = display.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i >= kBalloonEntries) {
            body += gbFromUtf8("等") + std::to_string(entries.size()) + gbFromUtf8("种预警");
            break;
        }
        body += gbFromUtf8("【") + (display.labelUsesName ? entries[i].placeName : std::string()) +
                entries[i].signalName + gbFromUtf8("色预警】");
    }
    return body + "\r\n" + gbFromUtf8("（单击托盘图标查看详细信息）");
}

std::string balloonTitle(int highestColour, int tornadoCount) {
    return levelWord(highestColour) + gbFromUtf8("：") +
           gbFromUtf8(tornadoCount > 0 ? "预警存在龙卷警报信息" : "气象灾害预警信息变更");
}

}  // namespace

const std::string& noAlertsText() {
    static const std::string text = gbFromUtf8("未获取到预警信息。");
    return text;
}

std::string summaryText(const PassAccumulators& acc, bool labelUsesName) {
    const auto count = [&](int level) {
        return std::to_string(acc.colourCount[static_cast<std::size_t>(level - kWhite)]);
    };
    const std::string tornadoText =
        acc.tornadoCount > 0
            ? gbFromUtf8("（预警存在") + std::to_string(acc.tornadoCount) + gbFromUtf8("龙卷警报）")
            : std::string();
    const std::string typesText =
        labelUsesName ? std::string() : std::to_string(acc.display.size()) + gbFromUtf8("种类型的");
    return tornadoText + gbFromUtf8("共有") + typesText + std::to_string(acc.colouredTotal) +
           gbFromUtf8("个预警正生效中。") + "\r\n" + gbFromUtf8("蓝色预警") + count(kBlue) +
           gbFromUtf8("个，黄色预警") + count(kYellow) + gbFromUtf8("个，橙色预警") +
           count(kOrange) + gbFromUtf8("个，红色预警") + count(kRed) + gbFromUtf8("个。");
}

RefreshResult buildRefreshResult(PassAccumulators acc, const LabelSettings& label,
                                 const ResultSettings& settings) {
    RefreshResult result;
    result.anyKept = acc.anyKept;
    result.highestColour = acc.highestColour;
    result.tornadoCount = acc.tornadoCount;
    result.rotationIntervalMs = timerMilliseconds(settings.intervalSeconds);
    result.soundFrom = settings.soundFrom;
    result.detailsText = acc.anyKept ? std::move(acc.detailsText) : noAlertsText();
    result.alertList =
        acc.alertList.empty() ? std::string("var Alerts = new Array();") : acc.alertList + ");";
    auto display = std::make_shared<DisplaySnapshot>(
        DisplaySnapshot{std::move(acc.display), label.text, label.usesName});
    if (isColourLevel(result.highestColour) && !display->entries.empty() && settings.notice) {
        result.balloonTitle = balloonTitle(result.highestColour, result.tornadoCount);
        result.balloonBody = balloonBody(*display);
    }
    result.display = std::move(display);
    result.kept = std::move(acc.kept);
    return result;
}

}  // namespace galewarden
