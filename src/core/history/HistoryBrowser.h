#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/history/HistoryDays.h"
#include "core/history/HistoryReader.h"
#include "core/history/HistoryWarning.h"

namespace galewarden {

// What the history window shows (texts in GB18030). Days are inclusive; empty texts and no
// days select everything.
struct HistoryFilter {
    std::optional<HistoryDay> from;
    std::optional<HistoryDay> to;
    unsigned colours = (1u << kHistoryColours) - 1;  // bit n: colour n
    std::string type;
    std::string district;
    std::string text;  // found in the headline, name, sender, district or description

    bool operator==(const HistoryFilter&) const = default;
};

// Warnings in force on one day, by colour.
struct HistoryDayCount {
    HistoryDay day = 0;
    std::array<int, kHistoryColours> byColour{};
};

// The history window's data: every warning of the file read once, the filter applied in
// memory, the rows, the full text of one warning, the count per day and the export.
class HistoryBrowser {
  public:
    enum Column { firstSeen, endedAt, colour, type, sender, district, state, columnCount };

    explicit HistoryBrowser(std::string path);

    // Reads the file again; false when it cannot be read (the rows are then none).
    bool load();
    void setFilter(HistoryFilter filter);
    const HistoryFilter& filter() const { return filter_; }
    // The rows by one column; newest first (the file's order) among equals, and by default.
    void setOrder(Column column, bool ascending);

    int rowCount() const { return static_cast<int>(shown_.size()); }
    static std::string header(Column column);
    std::string cell(int row, Column column) const;
    // The shown warning without its guidance.
    HistoryWarning warningAt(int row) const;
    int colourAt(int row) const;
    // The shown row of the file's row `rowId`; -1 when it is not shown.
    int rowOf(std::int64_t rowId) const;
    // The warning with its guidance, for reading: headline, times, description, guidance.
    std::string detailsText(int row);

    // The choices of the type and district filters, sorted.
    const std::vector<std::string>& types() const { return types_; }
    const std::vector<std::string>& districts() const { return districts_; }
    // One entry per day of the filter's days (of the shown warnings' days without them).
    std::vector<HistoryDayCount> dailyCounts() const;
    // The shown rows as CSV (UTF-8).
    std::string csv() const;

  private:
    // Texts of all rows sit in one buffer: a hundred thousand rows would otherwise make a
    // million small allocations.
    enum TextField {
        headline,
        name,
        typeName,
        senderName,
        districtName,
        description,
        publishText,
        source,
        textCount
    };
    struct Span {
        std::size_t offset = 0;
        std::size_t size = 0;
    };
    struct Loaded {
        std::int64_t rowId = 0;
        int colour = 0;
        HistoryTime firstSeen = 0;
        HistoryTime lastSeen = 0;
        std::optional<HistoryTime> endedAt;
        HistoryDay firstDay = 0;
        HistoryDay lastDay = 0;
        std::array<Span, textCount> texts{};
    };
    void keep(const HistoryWarning& warning, HistoryDay firstDay, HistoryDay lastDay);
    std::string_view text(const Loaded& row, TextField field) const;
    const Loaded& shownRow(int row) const;
    bool matches(const Loaded& row) const;
    void sortShown();
    std::unordered_map<std::string_view, std::int64_t> textRanks(TextField field) const;

    HistoryReader reader_;
    std::vector<Loaded> rows_;
    std::string texts_;
    std::vector<int> shown_;
    HistoryFilter filter_;
    Column orderColumn_ = firstSeen;
    bool ascending_ = false;
    std::vector<std::string> types_;
    std::vector<std::string> districts_;
};

}  // namespace galewarden
