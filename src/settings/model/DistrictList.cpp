#include "settings/model/DistrictList.h"

#include <algorithm>

#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"

namespace galewarden {
namespace {

std::vector<std::size_t> validRows(std::vector<std::size_t> rows, std::size_t size) {
    std::erase_if(rows, [size](std::size_t row) { return row >= size; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace

DistrictList DistrictList::fromStored(std::string_view stored) {
    return DistrictList(splitText(stored, " "));
}

std::string DistrictList::stored() const {
    return joinText(entries_, " ");
}

DistrictList::Added DistrictList::add(const std::vector<std::string>& names) {
    Added added;
    std::size_t storedBytes = stored().size();
    for (const std::string& name : names) {
        if (full()) {
            added.hitLimit = true;
            break;
        }
        if (std::find(entries_.begin(), entries_.end(), name) != entries_.end()) {
            continue;
        }
        const std::size_t grown = storedBytes + (entries_.empty() ? 0 : 1) + name.size();
        if (grown > kMaxStoredBytes) {
            added.hitLengthLimit = true;
            break;
        }
        entries_.push_back(name);
        storedBytes = grown;
        ++added.count;
    }
    return added;
}

// The last first, so that the positions still to go keep pointing at their entries.
void DistrictList::remove(std::vector<std::size_t> rows) {
    rows = validRows(std::move(rows), entries_.size());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*row));
    }
}

std::string DistrictList::summary() const {
    if (entries_.empty()) {
        return {};
    }
    if (entries_.size() == 1) {
        return entries_.front();
    }
    return entries_.front() + " .. (" + std::to_string(entries_.size()) + gbFromUtf8("项)");
}

std::string DistrictList::countText() const {
    return gbFromUtf8("当前共 ") + std::to_string(entries_.size()) + gbFromUtf8(" 个项目。");
}

std::string DistrictList::deleteQuestion(const std::vector<std::size_t>& rows) const {
    std::vector<std::string> names;
    for (std::size_t row : validRows(rows, entries_.size())) {
        names.push_back(entries_[row]);
    }
    if (names.empty()) {
        return {};
    }
    return gbFromUtf8("确定要删除") + joinText(names, gbFromUtf8("、")) + gbFromUtf8("？");
}

}  // namespace galewarden
