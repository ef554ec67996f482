#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/alerts/source/DateTime.h"

namespace galewarden {

// A warning description made fit for one line: line breaks (real, escaped and "<br>"), tabs
// and question marks removed, full-width spaces made ASCII, runs of spaces shrunk to one,
// both ends trimmed; a backquote becomes "&`;".
std::string cleanAlertText(std::string_view text);

// The description without its own defence-guidance section: everything before the first
// heading among 防御指南, 防御措施, 防范措施, 风险提示 and 建议 (tried in that order), trimmed.
// A keyword is a heading when "：", "一", ":", " " or "1" follows it. Unchanged when none is.
std::string cutGuidanceSection(std::string text);

// "预警" when the text says 预警 but never 预警信号, else "预警信号".
std::string signalWord(std::string_view text);

// False for an empty type, for 龙卷 and for a type containing any skip word.
bool isWantedType(std::string_view type, const std::vector<std::string>& skipWords);

// 中心 海洋 中央 中国 国家: words that mark a national or central issuing body.
const std::vector<std::string>& nationalNames();
bool hasNationalName(std::string_view place);

struct AlertTitleParts {
    std::string_view place;
    DateTime publishTime;
    std::string_view type;
    std::string_view colour;  // one colour character, or 无
    std::string_view word;    // 预警 or 预警信号
    // The issuer after the place; 气象台 when not given.
    std::optional<std::string_view> unit;
};

// "北京市气象台7月20日20时发布暴雨蓝色预警信号 [Ⅳ级/一般]". The issuer is left out when the place
// already names a national body.
std::string formatAlertTitle(const AlertTitleParts& parts);

}  // namespace galewarden
