#pragma once

#include <array>
#include <optional>
#include <string>
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

    int rowCount() const { return static_cast<int>(shown_.size()); }
    static std::string header(Column column);
    std::string cell(int row, Column column) const;
    const HistoryWarning& warningAt(int row) const;
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
    struct Loaded {
        HistoryWarning warning;
        HistoryDay firstDay = 0;
        HistoryDay lastDay = 0;
    };
    bool matches(const Loaded& row) const;

    HistoryReader reader_;
    std::vector<Loaded> rows_;
    std::vector<int> shown_;
    HistoryFilter filter_;
    std::vector<std::string> types_;
    std::vector<std::string> districts_;
};

}  // namespace galewarden
