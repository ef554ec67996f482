#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/editors_model/DistrictPickerAnswer.h"

namespace galewarden {

// What a check list entry shows: name + " (" + province + ")".
std::string districtEntryText(const DistrictEntry& entry);
// The name an entry text stands for: the text up to its first space.
std::string nameOfEntryText(std::string_view text);

// The picker's check list: the entries the filter lets through, each with a tick mark, and the
// names of the ticked ones in list order.
class DistrictPickerChecklist {
  public:
    // Every entry whose name contains the filter (Latin letters in any case, whole characters
    // only; an empty filter lets all through), unticked.
    void fill(const std::vector<DistrictEntry>& entries, std::string_view filter);

    std::size_t size() const { return texts_.size(); }
    const std::string& text(std::size_t row) const { return texts_[row]; }
    bool ticked(std::size_t row) const { return ticks_[row]; }
    void setTicked(std::size_t row, bool ticked);
    void setAllTicked(bool ticked);
    std::size_t tickedCount() const { return tickedCount_; }

    std::vector<std::string> selection() const;

  private:
    std::vector<std::string> texts_;
    std::vector<bool> ticks_;
    std::size_t tickedCount_ = 0;
};

// "当前已选择 " + count + " 项。" (GB18030)
std::string selectionCountText(std::size_t count);

}  // namespace galewarden
