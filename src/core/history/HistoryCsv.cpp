#include "core/history/HistoryCsv.h"

#include <initializer_list>
#include <string_view>

#include "core/history/HistoryColours.h"
#include "core/history/HistoryDays.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

void appendField(std::string& out, std::string_view utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += utf8;
        return;
    }
    out += '"';
    for (const char c : utf8) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

void appendLine(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first) {
            out += ',';
        }
        first = false;
        appendField(out, field);
    }
    out += "\r\n";
}

std::string timeText(HistoryTime time) {
    return isoLocalTime(time).substr(0, 19).replace(10, 1, " ");
}

}  // namespace

std::string historyCsv(const std::vector<const HistoryWarning*>& warnings) {
    std::string out;
    appendLine(out, {"首次发现", "最后发现", "解除时间", "状态", "颜色", "类型", "名称", "发布单位",
                     "地区", "标题", "发布时间", "数据源", "内容"});
    for (const HistoryWarning* w : warnings) {
        appendLine(
            out,
            {timeText(w->firstSeen), timeText(w->lastSeen),
             w->endedAt ? timeText(*w->endedAt) : std::string(), w->inForce() ? "生效中" : "已解除",
             utf8FromGb(historyColourName(w->colour)), utf8FromGb(w->type), utf8FromGb(w->name),
             utf8FromGb(w->sender), utf8FromGb(w->district), utf8FromGb(w->headline),
             utf8FromGb(w->publishText), utf8FromGb(w->source), utf8FromGb(w->description)});
    }
    return out;
}

}  // namespace galewarden
