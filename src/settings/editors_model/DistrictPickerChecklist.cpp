#include "settings/editors_model/DistrictPickerChecklist.h"

#include <algorithm>

#include "core/text/CodePage.h"
#include "core/text/TextSearch.h"

namespace galewarden {

std::string districtEntryText(const DistrictEntry& entry) {
    return entry.name + " (" + entry.province + ")";
}

std::string nameOfEntryText(std::string_view text) {
    return std::string(text.substr(0, text.find(' ')));
}

void DistrictPickerChecklist::fill(const std::vector<DistrictEntry>& entries,
                                   std::string_view filter) {
    texts_.clear();
    for (const DistrictEntry& entry : entries) {
        if (containsText(entry.name, filter, Case::Ignore)) {
            texts_.push_back(districtEntryText(entry));
        }
    }
    ticks_.assign(texts_.size(), false);
    tickedCount_ = 0;
}

void DistrictPickerChecklist::setTicked(std::size_t row, bool ticked) {
    if (row >= ticks_.size() || ticks_[row] == ticked) {
        return;
    }
    ticks_[row] = ticked;
    tickedCount_ = ticked ? tickedCount_ + 1 : tickedCount_ - 1;
}

void DistrictPickerChecklist::setAllTicked(bool ticked) {
    std::fill(ticks_.begin(), ticks_.end(), ticked);
    tickedCount_ = ticked ? ticks_.size() : 0;
}

std::vector<std::string> DistrictPickerChecklist::selection() const {
    std::vector<std::string> names;
    names.reserve(tickedCount_);
    for (std::size_t row = 0; row < texts_.size(); ++row) {
        if (ticks_[row]) {
            names.push_back(nameOfEntryText(texts_[row]));
        }
    }
    return names;
}

std::string selectionCountText(std::size_t count) {
    return gbFromUtf8("当前已选择 " + std::to_string(count) + " 项。");
}

}  // namespace galewarden
