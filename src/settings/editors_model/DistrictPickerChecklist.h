#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "settings/editors_model/DistrictPickerAnswer.h"

namespace galewarden {

// What a check list entry shows: name + " (" + province + ")".
std::string districtEntryText(const DistrictEntry& entry);
// The name an entry text stands for: the text up to its first space.
std::string nameOfEntryText(std::string_view text);

// The picker's check list: the entries the filter lets through, each with a tick mark, over a
// selection of names that outlives every refill, so that districts of several provinces can be
// chosen one province after the other. A name ticks every entry that carries it.
class DistrictPickerChecklist {
  public:
    // The names chosen before (the districts watched now), ticked wherever they show.
    void setSelection(const std::vector<std::string>& names);
    // Every entry whose name contains the filter (Latin letters in any case, whole characters
    // only; an empty filter lets all through), ticked when its name is selected.
    void fill(const std::vector<DistrictEntry>& entries, std::string_view filter);

    std::size_t size() const { return texts_.size(); }
    const std::string& text(std::size_t row) const { return texts_[row]; }
    bool ticked(std::size_t row) const { return ticks_[row]; }
    void setTicked(std::size_t row, bool ticked);
    // Every entry shown; names not shown keep their state.
    void setAllTicked(bool ticked);
    // Of the entries shown.
    std::size_t tickedCount() const { return tickedCount_; }
    // Names typed directly join the selection.
    void addNames(const std::vector<std::string>& names);

    // Every selected name, shown or not: those chosen before first, then in the order ticked.
    const std::vector<std::string>& selection() const { return selection_; }

  private:
    bool selected(const std::string& name) const { return chosen_.contains(name); }
    void select(const std::string& name, bool ticked);
    void showTicks();

    std::vector<std::string> texts_;
    std::vector<std::string> names_;
    std::vector<bool> ticks_;
    std::size_t tickedCount_ = 0;
    std::vector<std::string> selection_;
    std::unordered_set<std::string> chosen_;
};

// "当前已选择 " + count + " 项。" (GB18030)
std::string selectionCountText(std::size_t count);

}  // namespace galewarden
