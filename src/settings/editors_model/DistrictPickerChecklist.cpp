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

void DistrictPickerChecklist::setSelection(const std::vector<std::string>& names) {
    selection_.clear();
    chosen_.clear();
    addNames(names);
}

void DistrictPickerChecklist::addNames(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        select(name, true);
    }
    showTicks();
}

void DistrictPickerChecklist::fill(const std::vector<DistrictEntry>& entries,
                                   std::string_view filter) {
    texts_.clear();
    names_.clear();
    for (const DistrictEntry& entry : entries) {
        if (containsText(entry.name, filter, Case::Ignore)) {
            texts_.push_back(districtEntryText(entry));
            names_.push_back(nameOfEntryText(texts_.back()));
        }
    }
    showTicks();
}

void DistrictPickerChecklist::setTicked(std::size_t row, bool ticked) {
    if (row >= ticks_.size() || ticks_[row] == ticked) {
        return;
    }
    select(names_[row], ticked);
    showTicks();
}

void DistrictPickerChecklist::setAllTicked(bool ticked) {
    if (ticked) {
        for (const std::string& name : names_) {
            select(name, true);
        }
    } else {
        for (const std::string& name : names_) {
            chosen_.erase(name);
        }
        std::erase_if(selection_, [this](const std::string& name) { return !selected(name); });
    }
    showTicks();
}

void DistrictPickerChecklist::select(const std::string& name, bool ticked) {
    if (name.empty() || selected(name) == ticked) {
        return;
    }
    if (ticked) {
        chosen_.insert(name);
        selection_.push_back(name);
    } else {
        chosen_.erase(name);
        std::erase(selection_, name);
    }
}

// Rows that share a name share its tick.
void DistrictPickerChecklist::showTicks() {
    ticks_.assign(names_.size(), false);
    tickedCount_ = 0;
    for (std::size_t row = 0; row < names_.size(); ++row) {
        if (selected(names_[row])) {
            ticks_[row] = true;
            ++tickedCount_;
        }
    }
}

std::string selectionCountText(std::size_t count) {
    return gbFromUtf8("当前已选择 " + std::to_string(count) + " 项。");
}

}  // namespace galewarden
