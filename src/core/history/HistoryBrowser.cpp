#include "core/history/HistoryBrowser.h"

#include <algorithm>
#include <limits>
#include <set>
#include <unordered_map>

#include "core/history/HistoryColours.h"
#include "core/history/HistoryCsv.h"
#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

// A warning is counted on the days from its first sighting to its end (the pass that found it
// gone) or, while in force, its last sighting.
// What a row's texts usually take together, headline to description.
constexpr std::size_t kTypicalTextBytes = 320;

HistoryTime lastMomentOf(const HistoryWarning& warning) {
    return warning.endedAt ? std::max(warning.firstSeen, *warning.endedAt - 1) : warning.lastSeen;
}

// Rows come by time, so most fall on the day of the one before: the zone is asked once a day.
class DayMemo {
  public:
    HistoryDay dayOf(HistoryTime time) {
        if (time < start_ || time >= end_) {
            day_ = localDayOf(time);
            start_ = startOfDay(day_);
            end_ = startOfDay(day_ + 1);
        }
        return day_;
    }

  private:
    HistoryDay day_ = 0;
    HistoryTime start_ = 0;
    HistoryTime end_ = 0;
};

std::vector<std::string> sortedChoices(const std::set<std::string>& values) {
    std::vector<std::string> choices;
    for (const std::string& value : values) {
        if (!value.empty()) {
            choices.push_back(value);
        }
    }
    return choices;
}

}  // namespace

HistoryBrowser::HistoryBrowser(std::string path) : reader_(std::move(path)) {}

bool HistoryBrowser::load() {
    rows_.clear();
    texts_.clear();
    HistoryQuery everything;
    everything.withGuidance = false;
    everything.withIdentity = false;
    std::set<std::string> types;
    std::set<std::string> districts;
    DayMemo firstDays;
    DayMemo lastDays;
    const bool read = reader_.forEach(
        everything,
        [&](HistoryWarning&& warning) {
            types.insert(warning.type);
            districts.insert(warning.district);
            const HistoryDay first = firstDays.dayOf(warning.firstSeen);
            const HistoryDay last = lastDays.dayOf(lastMomentOf(warning));
            keep(warning, first, last);
        },
        [&](std::size_t expected) {
            rows_.reserve(expected);
            texts_.reserve(expected * kTypicalTextBytes);
        });
    types_ = sortedChoices(types);
    districts_ = sortedChoices(districts);
    setFilter(filter_);
    return read;
}

void HistoryBrowser::keep(const HistoryWarning& warning, HistoryDay firstDay, HistoryDay lastDay) {
    Loaded row{warning.rowId,   warning.colour, warning.firstSeen, warning.lastSeen,
               warning.endedAt, firstDay,       lastDay,           {}};
    std::size_t field = 0;
    for (const std::string* value :
         {&warning.headline, &warning.name, &warning.type, &warning.sender, &warning.district,
          &warning.description, &warning.publishText, &warning.source}) {
        row.texts[field++] = Span{texts_.size(), value->size()};
        texts_ += *value;
    }
    rows_.push_back(row);
}

std::string_view HistoryBrowser::text(const Loaded& row, TextField field) const {
    const Span span = row.texts[static_cast<std::size_t>(field)];
    return std::string_view(texts_).substr(span.offset, span.size);
}

const HistoryBrowser::Loaded& HistoryBrowser::shownRow(int row) const {
    return rows_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(row)])];
}

HistoryWarning HistoryBrowser::warningAt(int row) const {
    const Loaded& loaded = shownRow(row);
    HistoryWarning w;
    w.rowId = loaded.rowId;
    w.colour = loaded.colour;
    w.firstSeen = loaded.firstSeen;
    w.lastSeen = loaded.lastSeen;
    w.endedAt = loaded.endedAt;
    w.headline = text(loaded, headline);
    w.name = text(loaded, name);
    w.type = text(loaded, typeName);
    w.sender = text(loaded, senderName);
    w.district = text(loaded, districtName);
    w.description = text(loaded, description);
    w.publishText = text(loaded, publishText);
    w.source = text(loaded, source);
    return w;
}

int HistoryBrowser::colourAt(int row) const {
    return shownRow(row).colour;
}

void HistoryBrowser::setFilter(HistoryFilter filter) {
    filter_ = std::move(filter);
    shown_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (matches(rows_[i])) {
            shown_.push_back(static_cast<int>(i));
        }
    }
    sortShown();
}

void HistoryBrowser::setOrder(Column column, bool ascending) {
    if (column == orderColumn_ && ascending == ascending_) {
        return;
    }
    orderColumn_ = column;
    ascending_ = ascending;
    // From the file's order again, so that equals stay newest first whatever came before.
    std::sort(shown_.begin(), shown_.end());
    sortShown();
}

// Texts order the rows by their place among the distinct texts of the shown rows: a few
// hundred strings sorted instead of a string comparison in every step of the rows' sort.
std::unordered_map<std::string_view, std::int64_t> HistoryBrowser::textRanks(
    TextField field) const {
    std::unordered_map<std::string_view, std::int64_t> ranks;
    for (const int index : shown_) {
        ranks.emplace(text(rows_[static_cast<std::size_t>(index)], field), 0);
    }
    std::vector<std::string_view> distinct;
    distinct.reserve(ranks.size());
    for (const auto& [value, rank] : ranks) {
        distinct.push_back(value);
    }
    std::sort(distinct.begin(), distinct.end());
    for (std::size_t rank = 0; rank < distinct.size(); ++rank) {
        ranks[distinct[rank]] = static_cast<std::int64_t>(rank);
    }
    return ranks;
}

void HistoryBrowser::sortShown() {
    if (orderColumn_ == firstSeen && !ascending_) {
        return;  // the file's order
    }
    const TextField field = orderColumn_ == type       ? typeName
                            : orderColumn_ == sender   ? senderName
                            : orderColumn_ == district ? districtName
                                                       : textCount;
    const std::unordered_map<std::string_view, std::int64_t> ranks =
        field != textCount ? textRanks(field)
                           : std::unordered_map<std::string_view, std::int64_t>();
    const auto key = [&](const Loaded& row) -> std::int64_t {
        switch (orderColumn_) {
            case endedAt:  // in force counts as later than any end
                return row.endedAt.value_or(std::numeric_limits<HistoryTime>::max());
            case colour:
                return row.colour;
            case type:
            case sender:
            case district:
                return ranks.at(text(row, field));
            case state:
                return row.endedAt ? 1 : 0;
            case firstSeen:
            case columnCount:
                break;
        }
        return row.firstSeen;
    };
    std::vector<std::pair<std::int64_t, int>> keyed;
    keyed.reserve(shown_.size());
    for (const int index : shown_) {
        keyed.emplace_back(key(rows_[static_cast<std::size_t>(index)]), index);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [this](const auto& a, const auto& b) {
        return ascending_ ? a.first < b.first : b.first < a.first;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        shown_[i] = keyed[i].second;
    }
}

int HistoryBrowser::rowOf(std::int64_t rowId) const {
    for (std::size_t row = 0; row < shown_.size(); ++row) {
        if (rows_[static_cast<std::size_t>(shown_[row])].rowId == rowId) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

bool HistoryBrowser::matches(const Loaded& row) const {
    if ((filter_.from && row.lastDay < *filter_.from) ||
        (filter_.to && row.firstDay > *filter_.to) ||
        !(filter_.colours >> static_cast<unsigned>(row.colour) & 1u) ||
        (!filter_.type.empty() && text(row, typeName) != filter_.type) ||
        (!filter_.district.empty() && text(row, districtName) != filter_.district)) {
        return false;
    }
    if (filter_.text.empty()) {
        return true;
    }
    for (const TextField field : {headline, name, senderName, districtName, description}) {
        if (containsText(text(row, field), filter_.text, Case::Ignore)) {
            return true;
        }
    }
    return false;
}

std::string HistoryBrowser::header(Column column) {
    switch (column) {
        case firstSeen:
            return gbFromUtf8("发现时间");
        case endedAt:
            return gbFromUtf8("解除时间");
        case colour:
            return gbFromUtf8("颜色");
        case type:
            return gbFromUtf8("类型");
        case sender:
            return gbFromUtf8("发布单位");
        case district:
            return gbFromUtf8("地区");
        case state:
            return gbFromUtf8("状态");
        case columnCount:
            break;
    }
    return {};
}

std::string HistoryBrowser::cell(int row, Column column) const {
    const Loaded& w = shownRow(row);
    switch (column) {
        case firstSeen:
            return shownLocalTime(w.firstSeen);
        case endedAt:
            return w.endedAt ? shownLocalTime(*w.endedAt) : std::string();
        case colour:
            return historyColourName(w.colour);
        case type:
            return std::string(text(w, typeName));
        case sender:
            return std::string(text(w, senderName));
        case district:
            return std::string(text(w, districtName));
        case state:
            return gbFromUtf8(w.endedAt ? "已解除" : "生效中");
        case columnCount:
            break;
    }
    return {};
}

std::string HistoryBrowser::detailsText(int row) {
    const HistoryWarning shown = warningAt(row);
    const std::optional<HistoryWarning> full = reader_.warning(shown.rowId);
    const HistoryWarning& w = full ? *full : shown;
    const auto line = [](const char* label, const std::string& value) {
        return gbFromUtf8(label) + value + "\r\n";
    };
    std::string text = w.headline + "\r\n\r\n";
    text += line("名称：", w.name);
    text += line("颜色：", historyColourName(w.colour));
    text += line("发布单位：", w.sender);
    text += line("地区：", w.district);
    text += line("发布时间：", w.publishText);
    text += line("首次发现：", shownLocalTime(w.firstSeen));
    text += line("最后发现：", shownLocalTime(w.lastSeen));
    text += line("状态：",
                 w.endedAt ? gbFromUtf8("已解除（") + shownLocalTime(*w.endedAt) + gbFromUtf8("）")
                           : gbFromUtf8("生效中"));
    text += "\r\n" + w.description + "\r\n";
    if (!w.guidance.empty()) {
        text += "\r\n" + gbFromUtf8("防御指南：\r\n") + w.guidance + "\r\n";
    }
    return text;
}

std::vector<HistoryDayCount> HistoryBrowser::dailyCounts() const {
    if (shown_.empty() && (!filter_.from || !filter_.to)) {
        return {};
    }
    HistoryDay first = filter_.from.value_or(std::numeric_limits<HistoryDay>::max());
    HistoryDay last = filter_.to.value_or(std::numeric_limits<HistoryDay>::min());
    for (const int index : shown_) {
        const Loaded& row = rows_[static_cast<std::size_t>(index)];
        if (!filter_.from) {
            first = std::min(first, row.firstDay);
        }
        if (!filter_.to) {
            last = std::max(last, row.lastDay);
        }
    }
    if (last < first) {
        return {};
    }
    std::vector<HistoryDayCount> counts(static_cast<std::size_t>(last - first + 1));
    for (std::size_t i = 0; i < counts.size(); ++i) {
        counts[i].day = first + static_cast<HistoryDay>(i);
    }
    for (const int index : shown_) {
        const Loaded& row = rows_[static_cast<std::size_t>(index)];
        const auto colourIndex = static_cast<std::size_t>(row.colour);
        for (HistoryDay day = std::max(first, row.firstDay); day <= std::min(last, row.lastDay);
             ++day) {
            ++counts[static_cast<std::size_t>(day - first)].byColour[colourIndex];
        }
    }
    return counts;
}

std::string HistoryBrowser::csv() const {
    std::vector<HistoryWarning> rows;
    rows.reserve(shown_.size());
    for (int row = 0; row < rowCount(); ++row) {
        rows.push_back(warningAt(row));
    }
    std::vector<const HistoryWarning*> warnings;
    warnings.reserve(rows.size());
    for (const HistoryWarning& warning : rows) {
        warnings.push_back(&warning);
    }
    return historyCsv(warnings);
}

}  // namespace galewarden
