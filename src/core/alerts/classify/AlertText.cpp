#include "core/alerts/classify/AlertText.h"

#include <array>
#include <utility>

#include "core/alerts/classify/SignalColour.h"
#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

using Replacement = std::pair<std::string, std::string>;

const std::vector<Replacement>& cleaningRules() {
    static const std::vector<Replacement> rules{
        {"`", "&`;"},   {gbFromUtf8("　"), " "},
        {"?", ""},      {"\\r", ""},
        {"\\n", ""},    {"\\t", ""},
        {"\\\\", "\\"}, {"<br>", ""},
        {"<br/>", ""},  {"<br />", ""},
        {"\r", ""},     {"\n", ""},
        {"\t", ""},
    };
    return rules;
}

std::string shrinkSpaces(std::string text) {
    while (containsText(text, "  ")) {
        text = replaceAll(text, "  ", " ");
    }
    return text;
}

const std::vector<std::string>& guidanceKeywords() {
    static const std::vector<std::string> keywords{gbFromUtf8("防御指南"), gbFromUtf8("防御措施"),
                                                   gbFromUtf8("防范措施"), gbFromUtf8("风险提示"),
                                                   gbFromUtf8("建议")};
    return keywords;
}

// The first keyword in priority order found from `from`; its position, or −1.
std::pair<int, std::size_t> findGuidanceKeyword(std::string_view text, int from) {
    for (const std::string& keyword : guidanceKeywords()) {
        const int position = findText(text, keyword, from);
        if (position != -1) {
            return {position, keyword.size()};
        }
    }
    return {-1, 0};
}

bool startsHeading(std::string_view after) {
    static const std::array<std::string, 5> openers{gbFromUtf8("："), gbFromUtf8("一"), ":", " ",
                                                    "1"};
    for (const std::string& opener : openers) {
        if (startsWith(after, opener)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string cleanAlertText(std::string_view text) {
    std::string result(text);
    for (const auto& [found, replacement] : cleaningRules()) {
        if (containsText(result, found, Case::Ignore)) {  // most texts need few of the rules
            result = replaceAll(result, found, replacement, Case::Ignore);
        }
    }
    std::string cleaned = shrinkSpaces(std::move(result));
    const std::string_view kept = trimmedView(cleaned);
    if (kept.size() == cleaned.size()) {
        return cleaned;  // most texts have nothing to trim: no other copy
    }
    return std::string(kept);
}

std::string cutGuidanceSection(std::string text) {
    int from = 1;
    for (;;) {
        const auto [position, length] = findGuidanceKeyword(text, from);
        if (position == -1) {
            return text;
        }
        const auto start = static_cast<std::size_t>(position - 1);
        if (startsHeading(std::string_view(text).substr(start + length))) {
            return trimText(std::string_view(text).substr(0, start));
        }
        from = position + 1;
    }
}

std::string signalWord(std::string_view text) {
    static const std::string alert = gbFromUtf8("预警");
    static const std::string signal = gbFromUtf8("预警信号");
    return containsText(text, alert) && !containsText(text, signal) ? alert : signal;
}

bool isWantedType(std::string_view type, const std::vector<std::string>& skipWords) {
    static const std::string tornado = gbFromUtf8("龙卷");
    if (type.empty() || type == tornado) {
        return false;
    }
    for (const std::string& word : skipWords) {
        if (containsText(type, word)) {
            return false;
        }
    }
    return true;
}

const std::vector<std::string>& nationalNames() {
    static const std::vector<std::string> names{gbFromUtf8("中心"), gbFromUtf8("海洋"),
                                                gbFromUtf8("中央"), gbFromUtf8("中国"),
                                                gbFromUtf8("国家")};
    return names;
}

bool hasNationalName(std::string_view place) {
    for (const std::string& name : nationalNames()) {
        if (containsText(place, name, Case::Ignore)) {
            return true;
        }
    }
    return false;
}

std::string formatAlertTitle(const AlertTitleParts& parts) {
    static const std::string observatory = gbFromUtf8("气象台");
    static const std::string month = gbFromUtf8("月");
    static const std::string day = gbFromUtf8("日");
    static const std::string hourIssued = gbFromUtf8("时发布");
    static const std::string colourSuffix = gbFromUtf8("色");
    std::string title(parts.place);
    if (!hasNationalName(parts.place)) {
        title += parts.unit.value_or(observatory);
    }
    const DateTime& time = parts.publishTime;
    title += std::to_string(time.month) + month + std::to_string(time.day) + day +
             std::to_string(time.hour) + hourIssued;
    title.append(parts.type).append(parts.colour).append(colourSuffix).append(parts.word);
    return title + " [" + levelName(parts.colour) + "]";
}

}  // namespace galewarden
