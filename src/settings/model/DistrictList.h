#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/IniDocument.h"

namespace galewarden {

// The districts and central observatories of page "解析设置", as [Source] Districts stores
// them (GB18030, separated by single spaces). Entries taken from the stored value stay as they
// are, empty ones included; additions keep the list at most kLimit long, its stored text
// within what the configuration reads back (kMaxStoredBytes), and without repeats.
class DistrictList {
  public:
    static constexpr std::size_t kLimit = 200;
    static constexpr std::size_t kMaxStoredBytes = IniDocument::kMaxValueBytes;

    DistrictList() = default;
    explicit DistrictList(std::vector<std::string> entries) : entries_(std::move(entries)) {}

    // Split at every single space: two adjacent spaces give an empty entry, a trailing space
    // adds nothing, an empty value gives an empty list.
    static DistrictList fromStored(std::string_view stored);
    std::string stored() const;

    const std::vector<std::string>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    bool full() const { return entries_.size() >= kLimit; }

    struct Added {
        std::size_t count = 0;
        // A name was left over when the list was full: the limit message is due, once.
        bool hitLimit = false;
        // A name was left over because the stored text would have grown too long.
        bool hitLengthLimit = false;
    };
    // Appends the names in order, skipping those already present (whole text, exact bytes).
    Added add(const std::vector<std::string>& names);

    // Removes the entries at these positions; positions out of range are ignored.
    void remove(std::vector<std::size_t> rows);
    void clear() { entries_.clear(); }

    // The "区域：" summary of page "基本设置".
    std::string summary() const;
    // "当前共 n 个项目。"
    std::string countText() const;
    // "确定要删除" + the names at these positions joined with "、" + "？"; empty when none.
    std::string deleteQuestion(const std::vector<std::size_t>& rows) const;

    friend bool operator==(const DistrictList&, const DistrictList&) = default;

  private:
    std::vector<std::string> entries_;
};

}  // namespace galewarden
